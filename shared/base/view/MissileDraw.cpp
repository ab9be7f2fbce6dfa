// The draw item of a graphic effect: its place in the draw table, its
// screen rectangle and its drawing (plain, rotated, hued, blended); and the
// rotated drawing of the effects a mobile carries.
#include "TWReport.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "view/DrawItemOps.h"
#include "view/Light.h"
#include "view/Missile.h"
#include "view/RotatedBlit.h"
#include "world/Mobile.h"

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

namespace {

// Where the art of an effect lands when its centre sits on the middle of
// the placement: the unrotated art's rectangle and, turned, its bounds.
void CentredArtRects(const SkipImage& image, int direction, const RECT& placement, RECT* art,
                     RECT* bounds) {
    const int cx = (placement.left + placement.right) / 2;
    const int cy = (placement.top + placement.bottom) / 2;
    art->left = cx - (image.Width() >> 1);
    art->top = cy - (image.Height() >> 1);
    art->right = art->left + image.Width();
    art->bottom = art->top + image.Height();
    *bounds = *art;
    if (direction != 0) GetRotatedBoundRect(direction, bounds);
}

// The current art of an effect riding a mobile; a missing one is said once
// for the effect and then passed over.
SkipImage RiderArt(CMissileGump& effect) {
    SkipImage image = StaticArt(effect.currentArt);
    if (!image && !effect.missingArtNoted) {
        effect.missingArtNoted = TRUE;
        TWReport::warning("CMobile::DrawClip: the art %d of an effect on a mobile is missing.\n",
                          effect.currentArt);
    }
    return image;
}

}  // namespace

void DrawRotatedStaticArt(int art, int direction, const RECT& placement, const RECT& clip,
                          M_DWORD hue, M_DWORD blend) {
    const SkipImage image = StaticArt(art);
    if (!image) return;
    RECT unrotated, bounds;
    CentredArtRects(image, direction, placement, &unrotated, &bounds);
    const int x = bounds.left - g_viewOffsetX, y = bounds.top - g_viewOffsetY;
    if (direction == 0) {
        DrawUnrotated(image, clip, x, y, hue, blend);
        return;
    }
    // The turned bounds in the art's own coordinates.
    const RECT source{bounds.left - unrotated.left, bounds.top - unrotated.top,
                      bounds.right - unrotated.left, bounds.bottom - unrotated.top};
    DrawRotated(image, source, x, y, direction, clip, hue, blend);
}

void GrowForAttachedEffects(CMobile& mobile, RECT* rect) {
    mobile.effectMarginX = 0;
    mobile.effectMarginY = 0;
    for (CGump* g = mobile.attachedEffects; g; g = static_cast<CMissileGump*>(g)->nextEffect) {
        CMissileGump& effect = *static_cast<CMissileGump*>(g);
        const SkipImage image = RiderArt(effect);
        if (!image) continue;
        // The turned art, not only the upright one, must fit: what is drawn
        // outside the rectangle would never be painted over again.
        RECT unrotated, bounds;
        CentredArtRects(image, effect.direction, *rect, &unrotated, &bounds);
        const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
        const int excessX = w - (rect->right - rect->left);
        if (excessX > 0) {
            const int grow = (excessX + 1) / 2;
            rect->left -= grow;
            rect->right += grow;
            mobile.effectMarginX += grow;
        }
        const int excessY = h - (rect->bottom - rect->top);
        if (excessY > 0) {
            const int grow = (excessY + 1) / 2;
            rect->top -= grow;
            rect->bottom += grow;
            mobile.effectMarginY += grow;
        }
    }
}

void DrawAttachedEffects(CMobile& mobile, const RECT& clip) {
    for (CGump* g = mobile.attachedEffects; g; g = static_cast<CMissileGump*>(g)->nextEffect) {
        CMissileGump& effect = *static_cast<CMissileGump*>(g);
        if (!RiderArt(effect)) continue;
        DrawRotatedStaticArt(effect.currentArt, effect.direction, mobile.rect, clip, effect.hue,
                             effect.blendMode);
    }
}
