// The draw item of a graphic effect: its place in the draw table, its
// screen rectangle and its drawing (plain, rotated, hued, blended); and the
// rotated drawing of the effects a mobile carries.
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "view/DrawItemOps.h"
#include "view/Light.h"
#include "view/Missile.h"
#include "view/RotatedBlit.h"

void DrawItemVisitorBase::Visit(CMissileDrawItem& effect) {
    Visit(static_cast<CDrawItem&>(effect));
}

namespace {

constexpr int kStaticArtBase = 0x4000;

SkipImage StaticArt(int art) {
    return GetArtData(art + kStaticArtBase);
}

// The unrotated run-length drawing, through the span handler the hue and
// blend mode choose.
void DrawUnrotated(const SkipImage& art, const RECT& clip, int x, int y, M_DWORD hue,
                   M_DWORD blend) {
    SpanHandler handler = CopySpan;
    if (hue) {
        DrawHue = static_cast<int>(hue);
        handler = HueSpan;
        if (!IsBlendModeNone(static_cast<int>(blend))) {
            SelectBlendTable(static_cast<int>(blend));
            handler = HueGreenBlendTableSpan;
        }
    } else if (!IsBlendModeNone(static_cast<int>(blend))) {
        SelectBlendTable(static_cast<int>(blend));
        handler = BlendTableSpan;
    }
    SkipDrawClipped(handler, art, thelightthingie::target.Clipped(clip), x, y);
}

void DrawRotated(const SkipImage& art, const RECT& source, int x, int y, int direction,
                 const RECT& clip, M_DWORD hue, M_DWORD blend) {
    const bool blended = !IsBlendModeNone(static_cast<int>(blend));
    if (blended) SelectBlendTable(static_cast<int>(blend));
    if (hue) {
        if (blended)
            BlitRotatedHuedEffectToView(art, source, x, y, direction, clip, static_cast<int>(hue));
        else
            BlitRotatedHuedToView(art, source, x, y, direction, clip, static_cast<int>(hue));
    } else if (blended) {
        BlitRotatedEffectToView(art, source, x, y, direction, clip);
    } else {
        BlitRotatedToView(art, source, x, y, direction, clip);
    }
}

}  // namespace

CMissileDrawItem::CMissileDrawItem(CMissileGump* owner_, Coords where) : owner(owner_) {
    locX = where.x;
    locY = where.y;
    z = where.z;
    worldX = where.x;
    worldY = where.y;
    worldZ = where.z;
}

CMissileDrawItem::~CMissileDrawItem() {
    if (inList) RemoveFromDrawList();
    if (owner && owner->drawItem == this) owner->drawItem = nullptr;
}

void CMissileDrawItem::Step() {
    worldX += stepX;
    worldY += stepY;
    worldZ += stepZ;
    if (inList) RemoveFromDrawList();
    locX = static_cast<short>(worldX);
    locY = static_cast<short>(worldY);
    z = static_cast<short>(worldZ);
    AddToDrawList();
}

void CMissileDrawItem::CalcRect() {
    int w = 0, h = 0;
    if (owner->flicker) {
        GetGumpArtSize(owner->currentArt, &w, &h);
    } else if (const SkipImage art = StaticArt(owner->currentArt)) {
        w = art.Width();
        h = art.Height();
    }
    RECT r{owner->x - (w >> 1), owner->y - h, 0, 0};
    r.right = r.left + w;
    r.bottom = r.top + h;
    if (owner->direction != 0 && w > 0) GetRotatedBoundRect(owner->direction, &r);
    rect = RECT{r.left + g_viewOffsetX, r.top + g_viewOffsetY, r.right + g_viewOffsetX,
                r.bottom + g_viewOffsetY};
}

void CMissileDrawItem::DrawClip(const RECT& clip) {
    const int x = rect.left - g_viewOffsetX, y = rect.top - g_viewOffsetY;
    if (owner->flicker) {
        int w = 0, h = 0;
        GetGumpArtSize(owner->currentArt, &w, &h);
        if (w <= 0) return;
        DrawGumpPixels(CopySpanTransparent, owner->currentArt, x, y,
                       thelightthingie::target.Clipped(clip));
        return;
    }
    const SkipImage art = StaticArt(owner->currentArt);
    if (!art) return;
    if (owner->direction == 0) {
        DrawUnrotated(art, clip, x, y, owner->hue, owner->blendMode);
        return;
    }
    // The rectangle in the art's own coordinates: less the unrotated art's
    // top-left corner.
    const int artLeft = owner->x - (art.Width() >> 1), artTop = owner->y - art.Height();
    const RECT source{x - artLeft, y - artTop, rect.right - g_viewOffsetX - artLeft,
                      rect.bottom - g_viewOffsetY - artTop};
    DrawRotated(art, source, x, y, owner->direction, clip, owner->hue, owner->blendMode);
}

void DrawRotatedStaticArt(int art, int direction, const RECT& placement, const RECT& clip,
                          M_DWORD hue, M_DWORD blend) {
    const SkipImage image = StaticArt(art);
    if (!image) return;
    const int x = placement.left - g_viewOffsetX, y = placement.top - g_viewOffsetY;
    if (direction == 0) {
        DrawUnrotated(image, clip, x, y, hue, blend);
        return;
    }
    // Turned about its centre, which lands on the destination point.
    const int cx = image.Width() >> 1, cy = image.Height() >> 1;
    const RECT source{cx, cy, cx + (placement.right - placement.left),
                      cy + (placement.bottom - placement.top)};
    DrawRotated(image, source, x, y, direction, clip, hue, blend);
}
