// The tips and notice window.
#include "comm/TipsGump.h"

#include <algorithm>
#include <cstring>

#include "FrameBuf.h"
#include "comm/Parchment.h"
#include "config/Config.h"
#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {

using parchment::BottomGap;
using parchment::TopGap;

constexpr int kFont = 6;
constexpr int kWrapWidth = 214;
constexpr int kPageLines = 10;
constexpr int kTipIconArt = 2507;
constexpr int kNoticeIconArt = 2515;

}  // namespace

std::vector<std::string> BreakTipText(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size() && lines.size() < CTipsGump::MAX_LINES) {
        size_t end = text.find('\r', start);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(start, end - start);
        paragraph.resize(strnlen(paragraph.c_str(), paragraph.size()));
        while (lines.size() < CTipsGump::MAX_LINES) {
            const int brk = FontManager::FindLineBreak(kFont, paragraph.c_str(), kWrapWidth);
            if (brk < 0 || static_cast<size_t>(brk) + 1 >= paragraph.size()) {
                lines.push_back(paragraph.substr(0, CTipsGump::LINE_BYTES - 1));
                break;
            }
            // The character after the break point goes.
            lines.push_back(
                paragraph.substr(0, std::min<size_t>(brk + 1, CTipsGump::LINE_BYTES - 1)));
            paragraph.erase(0, static_cast<size_t>(brk) + 2);
        }
        if (end >= text.size()) break;
        start = end + 1;
    }
    return lines;
}

CTipsGump::CTipsGump(int, int, const std::vector<std::string>& linesIn, BOOL tip)
    : CParchmentGump(tip ? 320 : 20, tip ? 180 : 20, tip ? kTipIconArt : kNoticeIconArt),
      tipMode(tip) {
    name = "tips gump";
    for (const std::string& line : linesIn) {
        if (lines.size() >= MAX_LINES) break;
        lines.push_back(line.substr(0, LINE_BYTES - 1));
    }
    const int B = BottomGap();
    thumb = new CThumbGump(256, 72, TRUE, height - B - 56, this, 31);
    thumb->PutInGump(this);
    AddFrameButtons();
    const GumpCallback nothing = static_cast<GumpCallback>(&CTipsGump::Nothing);
    (new CButtonGump(249, 56, this, CButtonGump::PUSH, CButtonGump::UP, nothing, 2084, 2084, 0))
        ->PutInGump(this);
    (new CButtonGump(249, height - B - 52, this, CButtonGump::PUSH, CButtonGump::UP, nothing, 2085,
                     2085, 0))
        ->PutInGump(this);
    if (tipMode) {
        (new CButtonGump(35, height - B - 24, this, CButtonGump::PUSH, CButtonGump::UP,
                         &CGump::TipPrev, 2508, 2508, 0))
            ->PutInGump(this);
        (new CButtonGump(251, height - B - 24, this, CButtonGump::PUSH, CButtonGump::UP,
                         &CGump::TipNext, 2509, 2509, 0))
            ->PutInGump(this);
        dontShow = new CButtonGump(96, height - B - 27, this, CButtonGump::TOGGLE,
                                   ShowTips ? CButtonGump::UP : CButtonGump::PRESSED, nothing, 2510,
                                   2511, 0);
        dontShow->PutInGump(this);
    }
    thumb->SetValue(0, static_cast<int>(lines.size()));
    RedrawFrame();
}

CTipsGump::~CTipsGump() {
    if (!tipMode || !dontShow) return;
    const BOOL shown = dontShow->State() == CButtonGump::UP;
    ShowTips = shown;
    saveConfigDirective(51, shown ? "yes" : "no");
}

void CTipsGump::RedrawFrame() {
    M_WORD* pixels = NewFrameBlock(0, width, height);
    if (!pixels) return;
    const BlitTarget target(pixels, pitch, width, height);
    parchment::DrawArtColumn(target, height);
    const int T = TopGap(), B = BottomGap();
    DrawGumpPixels(CopySpanTransparent, 2091, 30, T + 34, target);
    DrawGumpPixels(CopySpanTransparent, 2091, 31, height - B - 48, target);
    if (tipMode)
        DrawGumpPixels(CopySpanTransparent, 2506, 127, T + 9, target);
    else
        DrawGumpPixels(CopySpanTransparent, 2514, 112, T + 11, target);
    const RECT area{38, 68, (width - 49) % 2 ? width - 49 : width - 50, height - 78};
    const BlitTarget clipped = target.Clipped(area);
    int y = area.top;
    for (size_t i = static_cast<size_t>(std::max(firstLine, 0));
         i < lines.size() && y < area.bottom; ++i) {
        int w = 0, h = 0, baseline = 0;
        FontManager::GetStringSize(kFont, lines[i].c_str(), &w, &h, &baseline);
        FontManager::DrawString(area.left, y + baseline, kFont, 0, lines[i].c_str(), clipped);
        y += std::max(h, 1);
    }
}

BOOL CTipsGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < DrawWidth() && py < DrawHeight();
}

void CTipsGump::ScrollBarClick(int px, int py) {
    if (px < width - 48 || px > width - 25 || py < 68 || py > height - 78 || lines.empty()) return;
    const int count = static_cast<int>(lines.size());
    const int wanted = py - 8;
    const bool upward = wanted < thumb->y;
    firstLine =
        upward ? std::max(firstLine - kPageLines, 0) : std::min(firstLine + kPageLines, count - 1);
    thumb->SetValue(firstLine, count);
    ChaseThumb(thumb, wanted, upward);
    RedrawFrame();
}

void CTipsGump::Resize(int newWidth, int newHeight, int) {
    TakeSize(newWidth, newHeight, thumb, nullptr);
    thumb->SetValue(firstLine, static_cast<int>(lines.size()));
    RedrawFrame();
}

void CTipsGump::HandleScroll(int position, int range, CGump*) {
    const int count = static_cast<int>(lines.size());
    if (count == 0) return;
    if (position < 2)
        firstLine = 0;
    else if (position >= range)
        firstLine = count - 1;
    else
        firstLine =
            range > 0 ? static_cast<int>(static_cast<long long>(count) * position / range) : 0;
    RedrawFrame();
}
