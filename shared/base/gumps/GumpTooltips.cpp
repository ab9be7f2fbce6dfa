// The tool-tip of the gump under the mouse, and tool-tip texts by id.
#include <cstring>

#include "Clock.h"
#include "FrameBuf.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/ToolTipGump.h"
#include "strings/LanguageManager.h"

namespace {

// The sections of tool-tip texts, each for the ids from its first on; an id
// past the end of its section falls through to the next.
struct TipSection {
    const char* name;
    int first;
    bool any;  // every id, counted from 0
};
constexpr TipSection kSections[] = {
    {"gt_5400", 5400, false}, {"gt_5000", 5000, false}, {"gt_4000", 4000, false},
    {"gt_2400", 2400, false}, {"gt_2310", 2310, false}, {"gt_2000", 2000, false},
    {"gt_1010", 1010, false}, {"gt_0000", 0, true},     {"tooltips", 100000, false},
};
constexpr int kSectionCount = sizeof kSections / sizeof kSections[0];

// Sections found missing are not looked for again (the search would open
// files every frame while a tip is due).
bool s_missing[kSectionCount];

LanguageSection* section(int i) {
    if (s_missing[i]) return nullptr;
    LanguageSection* s = LanguageManager::loadSection(
        kSections[i].name, LanguageManager::getUserLanguageCode(), kSections[i].name, FALSE, FALSE);
    if (!s) s_missing[i] = true;
    return s;
}

}  // namespace

void CGumpManager::ForgetToolTipSections() {
    for (bool& m : s_missing) m = false;
}

void CGumpManager::PlaceToolTip(CGump* tip, int mouseX, int mouseY, int cursorWidth) {
    if (mouseX <= 320)
        tip->x = cursorWidth <= 250 ? mouseX + cursorWidth : mouseX;
    else
        tip->x = mouseX - tip->width;
    tip->y = mouseY > 240 ? mouseY - tip->height : mouseY;
}

const M_WORD* CGumpManager::GetTooltipText(int tooltipId) {
    if (tooltipId < 0) return nullptr;
    for (int i = 0; i < kSectionCount; ++i) {
        const TipSection& rule = kSections[i];
        if (!rule.any && tooltipId < rule.first) continue;
        LanguageSection* s = section(i);
        if (!s) continue;
        const int index = tooltipId - rule.first;
        if (index >= s->getNumStrings()) continue;
        if (const USimStr* text = s->getStr(index)) return *text;
    }
    return nullptr;
}

void CGumpManager::UpdateToolTip() {
    if (!UseToolTips) return;
    int mouseX = 0, mouseY = 0, cursorWidth = 0, cursorHeight = 0;
    MouseManager::GetMousePos(&mouseX, &mouseY);
    MouseManager::GetCursorSize(&cursorWidth, &cursorHeight);
    CGump* gump = GetGumpAt(mouseX, mouseY, nullptr, 0);
    if (!gump || std::strcmp(gump->name, "tutorial gump") == 0) {
        // Coming back to a gump starts its wait anew.
        toolTipCandidate = nullptr;
        return;
    }
    const int id = gump->GetTooltipId(mouseX, mouseY);
    const M_DWORD now = GetTimeMs();
    if (gump != toolTipCandidate) {
        toolTipCandidate = gump;
        toolTipCandidateSince = now;
        return;
    }
    if (id == -1 || now - toolTipCandidateSince <= static_cast<M_DWORD>(ToolTipPreDelay)) return;
    const M_WORD* text = GetTooltipText(id);
    if (!text || !text[0]) return;
    if (!ToolTipGump::HasFrameArt()) {
        static bool said = false;
        if (!said) {
            said = true;
            TWReport::error(
                "ToolTipGump::ToolTipGump: Gump Tooltip art is wrong size! No tool-tips are "
                "shown.\n");
        }
        return;
    }
    auto* tip = new ToolTipGump(mouseX, mouseY, text);
    toolTipGump = tip;
    PlaceToolTip(tip, mouseX, mouseY, cursorWidth);
    if (tip->x >= g_displayWidth || tip->y >= g_displayHeight) delete tip;
}
