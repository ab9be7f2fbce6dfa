#include "FakeCircleTrans.h"

#include "support/TwTest.h"
#include "view/CircleTrans.h"

CCircleTrans theCircleTrans;

namespace tw::fake {

CircleTransCalls& circleTrans() {
    static CircleTransCalls calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls = CircleTransCalls{}; });
    }
    return calls;
}

}  // namespace tw::fake

void CCircleTrans::SetRadius(int radius) {
    tw::fake::circleTrans().radii.push_back(radius);
}

void CCircleTrans::SetPosition(int x, int y) {
    tw::fake::circleTrans().positions.emplace_back(x, y);
}

void CCircleTrans::ClearSeeThroughList() {
    ++tw::fake::circleTrans().seeThroughClears;
}

// Every item has an entry: its own address stands for it.
CCircleTransEntry* CCircleTrans::FindEntry(const CDrawItem* item) {
    tw::fake::circleTrans().found.push_back(item);
    return reinterpret_cast<CCircleTransEntry*>(const_cast<CDrawItem*>(item));
}

void CCircleTrans::RemoveEntry(CCircleTransEntry* entry) {
    tw::fake::circleTrans().removed.push_back(entry);
}
