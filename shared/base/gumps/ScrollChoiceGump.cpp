// The scrolling choice list: its scroll bar and sort row, its picture, and
// what a choice does.
#include <algorithm>

#include "gumps/ButtonGump.h"
#include "gumps/ChoiceGump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "gumps/WaitingGump.h"
#include "resources/GumpArt.h"
#include "world/Obj.h"

namespace {

ShardChoice& shards() {
    return tw::Service<ShardChoice>::Get();
}

int artHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

// The sort row: the label, then three buttons (up, pressed and hover art,
// tool-tip, callback).
constexpr int kSortRowOffset = 40;
constexpr int kSortLabelWidth = 160, kSortLabelHeight = 30;
struct SortButton {
    int x;
    int upArt, pressedArt, hoverArt;
    int tooltip;
    void (CScrollChoiceGump::*callback)();
};
constexpr SortButton kSortButtons[] = {
    {80, 2363, 2364, 2365, 100060, &CScrollChoiceGump::SortShardsA},
    {188, 2366, 2367, 2368, 100059, &CScrollChoiceGump::SortShardsB},
    {296, 2369, 2370, 2371, 100058, &CScrollChoiceGump::PingAndSortShards},
};

}  // namespace

CScrollChoiceGump::CScrollChoiceGump(CGump* owner, int frameArtIn, int xIn, int yIn, int widthIn,
                                     int heightIn, CInputControlGump* field, BOOL sortVariantIn,
                                     BOOL wideIn)
    : CChoiceListGump(xIn, yIn, widthIn, heightIn, owner, field, frameArtIn, wideIn),
      columnX(widthIn - 19),
      columnBottom(sortVariantIn ? heightIn - 68 : heightIn - 20),
      sortVariant(sortVariantIn) {
    name = "scrollchoice gump";
    listRect =
        sortVariant ? RECT{74, 10, width - 30, height - 67} : RECT{20, 10, width - 20, height - 30};

    thumb = new CThumbGump(columnX - 1, columnTop + 21, TRUE, columnBottom, this, THUMB_ART);
    thumb->PutInGump(this);
    auto* up = new CButtonGump(
        columnX - 1, columnTop, this, CButtonGump::AUTO_REPEAT, CButtonGump::UP,
        static_cast<GumpCallback>(&CScrollChoiceGump::ChoiceScrollUp), UP_ART, UP_PRESSED_ART, 0);
    up->hoverArt = UP_ART;
    up->PutInGump(this);
    auto* down =
        new CButtonGump(columnX - 1, columnBottom, this, CButtonGump::AUTO_REPEAT, CButtonGump::UP,
                        static_cast<GumpCallback>(&CScrollChoiceGump::ChoiceScrollDown), DOWN_ART,
                        DOWN_PRESSED_ART, 0);
    down->hoverArt = DOWN_ART;
    down->PutInGump(this);

    if (sortVariant) {
        auto* label = new CInputControlGump(0, height - kSortRowOffset, this, kSortLabelWidth,
                                            kSortLabelHeight, CInputControlGump::TEXT,
                                            CInputControlGump::MAX_TEXT, SORT_LABEL_FONT,
                                            SORT_LABEL_HUE, FALSE, FALSE, 0);
        label->SetText("Sort by:");
        label->RedrawText();
        label->PutInGump(this);
        for (const SortButton& b : kSortButtons) {
            auto* button = new CButtonGump(
                b.x, height - kSortRowOffset, this, CButtonGump::AUTO_REPEAT, CButtonGump::UP,
                static_cast<GumpCallback>(b.callback), b.upArt, b.pressedArt, 0);
            button->hoverArt = b.hoverArt;
            button->tooltipId = b.tooltip;
            button->PutInGump(this);
        }
    }
    RenderChoices();
}

CScrollChoiceGump::CScrollChoiceGump() {
    name = "scrollchoice gump";
}

CScrollChoiceGump::~CScrollChoiceGump() {
    // Nothing follows a list that closes with everything else.
    if (!sortVariant || g_gumpTeardown) return;
    if (cancelled) {
        shards().ShardListCancelled();
    } else if (CWaitingGump* box =
                   CGumpManager::OpenWaitingGump("Connecting... ", nullptr, TRUE, FALSE, FALSE)) {
        // No button: the box waits for the server.
        if (box->firstChild) box->firstChild->visible = FALSE;
    }
}

void CScrollChoiceGump::AddChoice(int id, const M_WORD* text, int hue) {
    const int before = count;
    AddChoice(id, "", hue);
    if (count == before) return;
    M_WORD* out = wideTexts[before];
    int n = 0;
    for (; text && n < TEXT_SIZE - 1 && text[n]; ++n) out[n] = text[n];
    out[n] = 0;
}

void CScrollChoiceGump::RenderChoices() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const int w = FrameWidth(0), h = FrameHeight(0);
    std::fill_n(pixels, static_cast<size_t>(pitch) * h, 0);
    const BlitTarget whole(pixels, pitch, w, h);

    // 1: the frame, left of the scroll column (and above the sort row).
    DrawTiledFrameAt(0, 0, w - 20, sortVariant ? h - 45 : h, frameArt, pixels - 2, FALSE);

    // 2: the scroll track: top, bottom, then the middle pieces between.
    const int trackX = columnX - 1;
    const int arrowHeight = artHeight(UP_ART);
    const int bottomY = columnBottom - artHeight(TRACK_BOTTOM_ART) + 1;
    DrawGumpArt(CopySpanTransparent, TRACK_TOP_ART, trackX, arrowHeight, whole);
    DrawGumpArt(CopySpanTransparent, TRACK_BOTTOM_ART, trackX, bottomY, whole);
    const BlitTarget column =
        whole.Clipped(RECT{trackX, arrowHeight, w, columnBottom + arrowHeight});
    const int middleHeight = artHeight(TRACK_MIDDLE_ART);
    int y = arrowHeight + artHeight(TRACK_TOP_ART);
    // A middle piece of no height would repeat for ever.
    if (middleHeight > 0) {
        for (; y <= bottomY; y += middleHeight)
            DrawGumpArt(CopySpanTransparent, TRACK_MIDDLE_ART, trackX, y, column);
        DrawGumpArt(CopySpanTransparent, TRACK_MIDDLE_ART, trackX, y, column);
    }

    // 3-4: the title and the rows.
    PaintRows(listFont, HOVER_HUE, FALSE, sortVariant);
}

void CScrollChoiceGump::ChooseAt(int px, int py) {
    const int row = RowAt(px, py);
    if (row < 0) return;
    if (inputControl) {
        GumpHandle self(this);
        FillField(row);
        if (self) delete this;
        return;
    }
    cancelled = FALSE;
    shards().SelectShard(ids[row], texts[row]);
}

void CScrollChoiceGump::HandleRButtonUp(int, int) {
    if (!closeOnRightClick) return;
    MouseManager::SetCapture(nullptr);
    cancelled = TRUE;
    delete this;
}

void CScrollChoiceGump::Scroll(int step) {
    firstVisible = std::clamp(firstVisible + step, 0, std::max(0, count - 1));
    RenderChoices();
    if (thumb) thumb->SetValue(firstVisible, count);
}

void CScrollChoiceGump::ChoiceScrollUp() {
    Scroll(-1);
}

void CScrollChoiceGump::ChoiceScrollDown() {
    Scroll(1);
}

void CScrollChoiceGump::SortShardsA() {
    shards().SortShards(this, 0);
}

void CScrollChoiceGump::SortShardsB() {
    shards().SortShards(this, 1);
}

void CScrollChoiceGump::PingAndSortShards() {
    shards().SortShards(this, 2);
}
