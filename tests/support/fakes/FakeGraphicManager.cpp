#include "FakeGraphicManager.h"

#include "resources/GraphicManager.h"
#include "support/TwTest.h"

namespace tw::fake {

GraphicManagerCalls& graphicManager() {
    static GraphicManagerCalls calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls = GraphicManagerCalls{}; });
    }
    return calls;
}

}  // namespace tw::fake

void GraphicManager::setGameplayWindowPixelWidthAndHeight(int width, int height) {
    tw::fake::graphicManager().gameplayWindowSizes.emplace_back(width, height);
}

void GraphicManager::UpdateScreen() {
    ++tw::fake::graphicManager().screenUpdates;
}

int GraphicManager::getGameplayWindowPixelWidth() {
    return tw::fake::graphicManager().width;
}

int GraphicManager::getGameplayWindowPixelHeight() {
    return tw::fake::graphicManager().height;
}

// Every body walks 4 and runs 2 frames per cell.
const M_BYTE* GraphicManager::GetAnimInfo(int) {
    static const M_BYTE speeds[2] = {4, 2};
    return speeds;
}
