#include "support/fakes/FakeObjectManager.h"

#include "support/TwTest.h"

CObj* CObjectManager::animatedItemList = nullptr;
CMultiTargetObj* CObjectManager::multiPreviewList = nullptr;

namespace tw::fake {

std::vector<TilePatch>& TilePatches() {
    static std::vector<TilePatch> patches;
    return patches;
}

std::map<M_DWORD, CDynamicObj*>& ObjectsBySerial() {
    static std::map<M_DWORD, CDynamicObj*> objects;
    return objects;
}

std::map<std::pair<int, int>, int>& GroundHeights() {
    static std::map<std::pair<int, int>, int> heights;
    return heights;
}

int& ReleaseAllCalls() {
    static int calls = 0;
    return calls;
}

std::vector<M_DWORD>& UsedObjects() {
    static std::vector<M_DWORD> used;
    return used;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        TilePatches().clear();
        GroundHeights().clear();
        ReleaseAllCalls() = 0;
        ObjectsBySerial().clear();
        UsedObjects().clear();
        CObjectManager::animatedItemList = nullptr;
        CObjectManager::multiPreviewList = nullptr;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void CObjectManager::PatchTileDataGroup(int group, const M_BYTE* records, int length) {
    tw::fake::TilePatches().push_back({group, std::vector<M_BYTE>(records, records + length)});
}

CDynamicObj* CObjectManager::FindObject(M_DWORD serial) {
    auto it = tw::fake::ObjectsBySerial().find(serial);
    return it == tw::fake::ObjectsBySerial().end() ? nullptr : it->second;
}

int GetGroundZ(int x, int y) {
    auto it = tw::fake::GroundHeights().find({x, y});
    return it == tw::fake::GroundHeights().end() ? 0 : it->second;
}

void CObjectManager::ReleaseAllObjects() {
    ++tw::fake::ReleaseAllCalls();
}

void CObjectManager::UseObject(CDynamicObj* object) {
    for (const auto& [serial, known] : tw::fake::ObjectsBySerial())
        if (known == object) tw::fake::UsedObjects().push_back(serial);
}
