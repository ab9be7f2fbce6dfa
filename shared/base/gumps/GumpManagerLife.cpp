// The gump manager's start-up and shutdown, the main back buffer and the save
// buffer that is sized with it.
#include <algorithm>

#include "FrameBuf.h"
#include "TWReport.h"
#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MinimizedPositions.h"
#include "gumps/MouseManager.h"

CGump* CGumpManager::radarGump = nullptr;
CGump* CGumpManager::wornContainerGump = nullptr;
int CGumpManager::containerStaggerX = CGumpManager::CONTAINER_STAGGER;
int CGumpManager::containerStaggerY = CGumpManager::CONTAINER_STAGGER;
BOOL CGumpManager::mainBitmapReleased = TRUE;
SavedWindowPlace CGumpManager::gmChatPlace;
SavedWindowPlace CGumpManager::htmlPlace;
SavedWindowPlace CGumpManager::mailPlace;
std::vector<M_WORD> CGumpManager::saveBuffer;
RECT CGumpManager::presentRect = {0, 0, 0, 0};

namespace {

void clearReferences() {
    g_gumpList = nullptr;
    g_focusGump = nullptr;
    for (CGump** slot :
         {&CGumpManager::tail, &CGumpManager::mouseonGump, &CGumpManager::modalGump,
          &CGumpManager::helpTextGump, &CGumpManager::toolTipGump, &CGumpManager::pWaitingGump,
          &CGumpManager::configGump, &CGumpManager::radarGump, &CGumpManager::skillGump,
          &CGumpManager::fightingGump, &CGumpManager::arrowGump, &CGumpManager::pChatGump,
          &CGumpManager::pGMChatGump, &CGumpManager::pHTMLGump, &CGumpManager::pMailGump,
          &CGumpManager::wornContainerGump, &CGumpManager::toolTipCandidate})
        *slot = nullptr;
    CGumpManager::toolTipCandidateSince = 0;
    CGumpManager::containerStaggerX = CGumpManager::CONTAINER_STAGGER;
    CGumpManager::containerStaggerY = CGumpManager::CONTAINER_STAGGER;
}

}  // namespace

void CGumpManager::SizeSaveBuffer(int width, int height) {
    const size_t pixels = width > 0 && height > 0 ? static_cast<size_t>(width) * height : 0;
    if (saveBuffer.size() != pixels) saveBuffer.assign(pixels, 0);
}

void CGumpManager::startup() {
    TWReport::message("CGumpManager::startup(): begin.\n");
    SizeSaveBuffer(g_displayWidth, g_displayHeight);
    mainBitmapReleased = TRUE;
    clearReferences();
    saveRecords.clear();
    saveRecords.reserve(MAX_SAVE_RECORDS);
    if (tw::Service<GumpFactory>::IsInstalled()) tw::Service<GumpFactory>::Get().LoadSkillGroups();
}

void CGumpManager::shutdown() {
    TWReport::message("CGumpManager::shutdown(): begin.\n");
    while (CGump* head = g_gumpList) {
        delete head;
        if (g_gumpList == head) {
            // Only a gump that failed to unlink could stay at the head.
            TWReport::error("CGumpManager::shutdown: a closed gump stayed linked.\n");
            g_gumpList = head->next;
        }
    }
    delete toolTipGump;
    toolTipGump = nullptr;
    ResetBackBufferPointer();
    mainBitmapReleased = TRUE;
    std::vector<M_WORD>().swap(saveBuffer);
}

void CGumpManager::RecreateMainBitmap() {
    if (!mainBitmapReleased) ResetBackBufferPointer();
    AllocateMainBitmap();
    mainBitmapReleased = FALSE;
    // Screen pixels and their saved copies use the same ring indexes.
    SizeSaveBuffer(g_displayWidth, g_displayHeight);
    if (g_backBuffer != nullptr)
        std::fill_n(g_backBuffer, static_cast<size_t>(g_displayWidth) * g_displayHeight, 0);
}

void CGumpManager::reset() {
    clearReferences();
    ResetMinimizedPositions();
    MouseManager::pCapture = nullptr;
    CDragGump::highlightedPaperdoll = nullptr;
    mainBitmapReleased = TRUE;
    gmChatPlace = htmlPlace = mailPlace = SavedWindowPlace{};
    std::vector<M_WORD>().swap(saveBuffer);
    saveRecords.clear();
    saveRecordsOverflowed = FALSE;
    saveRecordLimit = MAX_SAVE_RECORDS;
    drawTarget = GumpDrawTarget{};
    presentRect = RECT{0, 0, 0, 0};
    ForgetToolTipSections();
}
