// The journal window: its parchment layout, the journal's lines wrapped
// into the text area, scrolling by thumb, arrows and scroll-bar clicks, and
// making it taller.
#include "comm/TextGump.h"

#include "comm/Parchment.h"

#include <algorithm>
#include <vector>

#include "FrameBuf.h"
#include "comm/Journal.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/SmallGumps.h"
#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/ResourceSettings.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"

namespace {

using parchment::BottomGap;
using parchment::TopGap;

constexpr int kIconArt = 2096;
constexpr int kDecorationArt = 2091;
constexpr int kHeaderArt = 2090;
constexpr int kToggleArt = 2092;
constexpr int kUpArt = 2084;
constexpr int kDownArt = 2085;
constexpr int kThumbArt = 31;
constexpr int kJournalFont = 9;

}  // namespace

namespace {

using parchment::DrawArtColumn;

M_WORD WideColour(M_DWORD hue) {
    const M_WORD* colours = hue >= 1 ? HueColours(static_cast<int>(hue) - 1) : nullptr;
    return colours ? colours[30] : 0x7FFF;
}

// Guarded: a window or text area of no height divides nothing.
long long Scaled(long long total, int position, int range) {
    return range > 0 ? total * position / range : 0;
}

}  // namespace

CTextGump::CTextGump(int xIn, int yIn) : CParchmentGump(xIn, yIn, kIconArt) {
    name = "text gump";
    const int B = BottomGap();
    thumb = new CThumbGump(256, 72, TRUE, height - B - 56, this, kThumbArt);
    thumb->PutInGump(this);
    AddFrameButtons();
    auto* up = new CButtonGump(249, 56, this, CButtonGump::AUTO_REPEAT, CButtonGump::UP,
                               &CGump::TextScrollUp, kUpArt, kUpArt, 0);
    up->PutInGump(this);
    auto* down = new CButtonGump(249, height - B - 52, this, CButtonGump::AUTO_REPEAT,
                                 CButtonGump::UP, &CGump::TextScrollDown, kDownArt, kDownArt, 0);
    down->PutInGump(this);
    followToggle = new CButtonGump(233, height - B - 52, this, CButtonGump::TOGGLE, CButtonGump::UP,
                                   &CGump::TextReflow, kToggleArt, kToggleArt, 0);
    followToggle->PutInGump(this);
    Layout();
    Reflow();
    UpdateThumb();
    RedrawFrame();
}

CTextGump::~CTextGump() = default;

void CTextGump::Layout() {
    textArea.left = 38;
    textArea.top = 68;
    textArea.right = (width - 49) % 2 ? width - 49 : width - 50;
    textArea.bottom = height - 78;
}

BOOL CTextGump::Following() const {
    return !followToggle || followToggle->State() == CButtonGump::UP;
}

int CTextGump::LineHeight(const JournalLine* line) const {
    const int wrap = std::max(textArea.right - textArea.left, 1);
    int w = 0, h = 0, baseline = 0;
    if (line->wide)
        UnicodeCalcInfo(line->wideText.data(), wrap, &w, &h, &baseline);
    else
        FontManager::CalcInfoWrap(kJournalFont, line->text.empty() ? " " : line->text.c_str(), wrap,
                                  &w, &h, &baseline, 0);
    return std::max(h, 0);
}

void CTextGump::Reflow() {
    firstLine = Journal::head;
    offset = 0;
    const int room = textArea.bottom - textArea.top - 4;
    int sum = 0;
    for (JournalLine* line = Journal::tail; line; line = line->prev) {
        sum += LineHeight(line);
        if (sum >= room) {
            firstLine = line;
            offset = sum - room;
            return;
        }
    }
}

void CTextGump::Refresh() {
    Reflow();
    UpdateThumb();
    RedrawFrame();
}

void CTextGump::UpdateThumb() {
    if (!thumb) return;
    long long before = 0, total = 0;
    for (JournalLine* line = Journal::head; line; line = line->next) {
        if (line == firstLine) before = total;
        total += LineHeight(line);
    }
    thumb->UpdateFromText(static_cast<int>(before), offset, static_cast<int>(total));
}

void CTextGump::RedrawFrame() {
    M_WORD* pixels = NewFrameBlock(0, width, height);
    if (!pixels) return;
    const BlitTarget target(pixels, pitch, width, height);
    DrawArtColumn(target, height);
    const int T = TopGap(), B = BottomGap();
    DrawGumpPixels(CopySpanTransparent, kDecorationArt, 30, T + 34, target);
    DrawGumpPixels(CopySpanTransparent, kDecorationArt, 31, height - B - 48, target);
    DrawGumpPixels(CopySpanTransparent, kHeaderArt, 111, T + 10, target);

    const BlitTarget area = target.Clipped(textArea);
    const int wrap = textArea.right - textArea.left;
    if (area.Empty() || wrap <= 0) return;
    std::vector<M_WORD> scratch;
    int y = textArea.top - offset;
    for (JournalLine* line = firstLine; line && y < textArea.bottom; line = line->next) {
        const int h = LineHeight(line);
        if (!line->wide) {
            FontManager::DrawstringBuf(textArea.left, y, kJournalFont,
                                       static_cast<int>(line->colour), line->text.c_str(), wrap,
                                       area, 0, 0, FALSE);
        } else {
            // Wide text is drawn in 5-5-5 and widened for a 5-6-5 screen.
            scratch.assign(static_cast<size_t>(pitch) * height, 0);
            UnicodeDrawStringBuf(BlitTarget(scratch.data(), pitch, width, height).Clipped(textArea),
                                 wrap, line->wideText.data(), textArea.left, y,
                                 WideColour(line->colour), FALSE);
            const bool widen = resource_settings::Display565();
            for (size_t i = 0; i < scratch.size(); ++i)
                if (scratch[i]) pixels[i] = widen ? To565(scratch[i]) : scratch[i];
        }
        y += h;
    }
}

BOOL CTextGump::HitTest(int px, int py) {
    const int frame = minimized ? 1 : 0;
    const M_WORD* pixels = FramePixels(frame);
    if (pixels && px >= 0 && py >= 0 && px < FrameWidth(frame) && py < FrameHeight(frame) &&
        pixels[static_cast<long>(py) * FramePitch(FrameWidth(frame)) + px])
        return TRUE;
    if (minimized) return FALSE;
    for (CGump* c = firstChild; c; c = c->next)
        if (px >= c->x && py >= c->y && c->HitTest(px - c->x, py - c->y)) return TRUE;
    return FALSE;
}

void CTextGump::PageBy(int entries) {
    if (!firstLine) return;
    if (followToggle) followToggle->SetState(CButtonGump::PRESSED);
    JournalLine* line = firstLine;
    if (entries < 0) {
        for (int i = 0; i < -entries && line->prev; ++i) line = line->prev;
        firstLine = line;
        if (!line->prev) offset = 0;
    } else {
        for (int i = 0; i < entries && line->next; ++i) line = line->next;
        firstLine = line;
        if (!line->next) offset = std::max(LineHeight(line) - 1, 0);
    }
}

void CTextGump::ScrollBarClick(int px, int py) {
    if (px < width - 48 || px > width - 25 || py < textArea.top || py > textArea.bottom) return;
    if (!firstLine || !thumb) return;
    const int wanted = py - 8;
    const bool upward = wanted < thumb->y;
    PageBy(upward ? -PAGE_ENTRIES : PAGE_ENTRIES);
    UpdateThumb();
    ChaseThumb(thumb, wanted, upward);
    RedrawFrame();
}

void CTextGump::HandleScroll(int position, int range, CGump*) {
    if (followToggle) followToggle->SetState(CButtonGump::PRESSED);
    if (!Journal::head) return;
    if (position < 2) {
        firstLine = Journal::head;
        offset = 0;
    } else if (position >= range) {
        firstLine = Journal::tail;
        offset = std::max(LineHeight(firstLine) - 1, 0);
    } else {
        long long total = 0;
        for (JournalLine* line = Journal::head; line; line = line->next) total += LineHeight(line);
        long long pixel = Scaled(total, position, range);
        firstLine = Journal::head;
        for (JournalLine* line = Journal::head; line; line = line->next) {
            const int h = LineHeight(line);
            firstLine = line;
            if (pixel < h || !line->next) break;
            pixel -= h;
        }
        offset = static_cast<int>(std::clamp<long long>(pixel, 0, LineHeight(firstLine)));
    }
    RedrawFrame();
}

void CTextGump::ScrollUp() {
    if (!firstLine) return;
    if (followToggle) followToggle->SetState(CButtonGump::PRESSED);
    offset -= ARROW_STEP;
    while (offset < 0 && firstLine->prev) {
        firstLine = firstLine->prev;
        offset += LineHeight(firstLine);
    }
    offset = std::max(offset, 0);
    UpdateThumb();
    RedrawFrame();
}

void CTextGump::ScrollDown() {
    if (!firstLine) return;
    if (followToggle) followToggle->SetState(CButtonGump::PRESSED);
    offset += ARROW_STEP;
    while (offset >= LineHeight(firstLine) && firstLine->next) {
        offset -= LineHeight(firstLine);
        firstLine = firstLine->next;
    }
    offset = std::min(offset, std::max(LineHeight(firstLine) - 1, 0));
    UpdateThumb();
    RedrawFrame();
}

void CTextGump::ToggleFollow() {
    if (!Following()) return;
    Reflow();
    UpdateThumb();
    RedrawFrame();
}

void CTextGump::Resize(int newWidth, int newHeight, int) {
    TakeSize(newWidth, newHeight, thumb, followToggle);
    Layout();
    if (Following()) Reflow();
    UpdateThumb();
    RedrawFrame();
}

CResizeGump::CResizeGump(int xIn, int yIn, int w, int h, int minW, int minH, int maxW, int maxH,
                         CGump* targetIn, int extraIn)
    : CGump(xIn, yIn, nullptr, nullptr, 0, 0, 0),
      minWidth(minW + (minW & 1)),
      minHeight(std::max(minH, 1)),
      maxWidth(maxW + (maxW & 1)),
      maxHeight(maxH),
      target(targetIn),
      extra(extraIn) {
    name = "resize gump";
    // A maximum below the minimum (a window near the screen's foot) would
    // make the clamp below ask for a negative size.
    maxWidth = std::max(maxWidth, minWidth);
    maxHeight = std::max(maxHeight, minHeight);
    width = maxWidth;
    height = maxHeight;
    pitch = FramePitch(width);
    currentWidth = std::clamp(w, minWidth, maxWidth) & ~1;
    currentHeight = std::clamp(h, minHeight, maxHeight);
    edges_[0] = new CDumbGump(0, 0, 0, maxWidth, 2, -1, nullptr, -1);
    edges_[1] = new CDumbGump(currentWidth - 2, 0, 0, 2, maxHeight, -1, nullptr, -1);
    edges_[2] = new CDumbGump(0, currentHeight - 2, 0, maxWidth, 2, -1, nullptr, -1);
    edges_[3] = new CDumbGump(0, 0, 0, 2, maxHeight, -1, nullptr, -1);
    for (CGump* edge : edges_) edge->PutInGump(this);
    if (target) SetSize(target->grabX, target->grabY);
    MouseManager::SetCapture(this);
}

void CResizeGump::SetSize(int px, int py) {
    previousWidth = currentWidth;
    previousHeight = currentHeight;
    currentWidth = std::clamp(px, minWidth, maxWidth) & ~1;
    currentHeight = std::clamp(py, minHeight, maxHeight);
    const M_WORD white = GraphicManager::MakeColor(255, 255, 255);
    const int sizes[4][2] = {
        {currentWidth, 2}, {2, currentHeight}, {currentWidth, 2}, {2, currentHeight}};
    for (int i = 0; i < 4; ++i) {
        CGump* edge = edges_[i];
        edge->width = sizes[i][0];
        edge->height = sizes[i][1];
        edge->pitch = FramePitch(edge->width);
        if (M_WORD* pixels = edge->NewFrameBlock(0, edge->width, edge->height))
            std::fill_n(pixels, static_cast<size_t>(edge->pitch) * edge->height, white);
    }
    edges_[1]->x = currentWidth - 2;
    edges_[2]->y = currentHeight - 2;
}

void CResizeGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    if (target) target->Resize(currentWidth, currentHeight, extra);
    delete this;
}

void JournalWindowsLineGoing(JournalLine* line) {
    for (CGump* g = g_gumpList; g; g = g->next)
        if (g->IsTextGump()) {
            auto* window = static_cast<CTextGump*>(g);
            if (window->firstLine == line) {
                window->firstLine = line->next;
                window->offset = 0;
            }
        }
}

void JournalWindowsRefresh() {
    for (CGump* g = g_gumpList; g; g = g->next)
        if (g->IsTextGump()) {
            auto* window = static_cast<CTextGump*>(g);
            if (window->Following()) window->Refresh();
        }
}
