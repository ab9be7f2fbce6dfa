// The circle of transparency.
#include "view/CircleTrans.h"

#include <algorithm>
#include <cstring>

#include "config/Config.h"
#include "resources/GraphicManager.h"
#include "view/Light.h"
#include "view/WorldView.h"
#include "world/Obj.h"
#include "world/Player.h"

CCircleTrans theCircleTrans;

namespace {

// The handler CircleSpan wraps while DrawCircleClipped runs.
SpanHandler g_inner = nullptr;

void CircleSpanOfCurrent(M_WORD* dst, const void* src, int n) {
    CircleSpan(theCircleTrans, g_inner, dst, src, n);
}

template <typename Combine>
M_WORD PerChannel(M_WORD a, M_WORD b, Combine combine) {
    M_WORD out = 0;
    for (int s : {10, 5, 0}) {
        const int ca = (a >> s) & 31, cb = (b >> s) & 31;
        out = static_cast<M_WORD>(out | (combine(ca, cb) & 31) << s);
    }
    return out;
}

}  // namespace

void CCircleTrans::Reset() {
    while (theCircleTrans.list) theCircleTrans.RemoveEntry(theCircleTrans.list);
    theCircleTrans.radius = std::clamp(CircleTransRadius, MIN_RADIUS, MAX_RADIUS);
    theCircleTrans.Rebuild();
}

void CCircleTrans::ClearSeeThroughList() {
    while (theCircleTrans.list) theCircleTrans.RemoveEntry(theCircleTrans.list);
}

void CCircleTrans::SetRadius(int r) {
    radius = std::clamp(r, MIN_RADIUS, MAX_RADIUS);
    Rebuild();
}

void CCircleTrans::SetPosition(int x, int y) {
    const int w = std::max(1, GraphicManager::getGameplayWindowPixelWidth());
    const int h = std::max(1, GraphicManager::getGameplayWindowPixelHeight());
    centreX = std::clamp(x, 0, w - 1);
    centreY = std::clamp(y, 0, h - 1);
    Rebuild();
}

void CCircleTrans::Rebuild() {
    if (centreX < 0 || centreY < 0) {
        centreX = GraphicManager::getGameplayWindowPixelWidth() / 2;
        centreY = GraphicManager::getGameplayWindowPixelHeight() / 2;
    }
    r2 = radius * radius;
    shift = 0;
    if ((r2 & (r2 - 1)) == 0)
        while ((1 << shift) < r2) ++shift;
    blend = (r2 & (r2 - 1)) == 0 ? BlendShift : BlendDivide;
    box = RECT{centreX - 1 - radius, centreY - 1 - radius, centreX + radius + 1,
               centreY + radius + 1};
}

BOOL CCircleTrans::IsSeeThrough(CDrawItem* item) const {
    if (!item || !item->IsObj()) return FALSE;
    auto* object = static_cast<CObj*>(item);
    if (object->IsDynamic()) return FALSE;
    if (object->objectType >= 6038 && object->objectType <= 6066) return FALSE;
    if (!pPlayerObject || object->z + object->GetHeight() <= pPlayerObject->z + 5) return FALSE;
    const RECT r{item->rect.left - g_viewOffsetX, item->rect.top - g_viewOffsetY,
                 item->rect.right - g_viewOffsetX, item->rect.bottom - g_viewOffsetY};
    return r.left < box.right && box.left < r.right && r.top < box.bottom && box.top < r.bottom;
}

CCircleTransEntry* CCircleTrans::FindEntry(const CDrawItem* item) {
    for (CCircleTransEntry* e = list; e; e = e->next)
        if (e->item == item) return e;
    return nullptr;
}

void CCircleTrans::RemoveEntry(CCircleTransEntry* entry) {
    if (!entry) return;
    if (entry->prev) entry->prev->next = entry->next;
    if (entry->next) entry->next->prev = entry->prev;
    if (list == entry) list = entry->next;
    if (entry->item) entry->item->Invalidate();
    delete entry;
}

M_WORD CCircleTrans::BlendDivide(const CCircleTrans& c, M_WORD a, M_WORD b, int d2) {
    return PerChannel(a, b, [&](int ca, int cb) { return (cb * (c.r2 - d2) + ca * d2) / c.r2; });
}

M_WORD CCircleTrans::BlendShift(const CCircleTrans& c, M_WORD a, M_WORD b, int d2) {
    return PerChannel(a, b,
                      [&](int ca, int cb) { return (cb * (c.r2 - d2) + ca * d2) >> c.shift; });
}

void CircleSpan(const CCircleTrans& circle, SpanHandler handler, M_WORD* dst, const void* src,
                int n) {
    const WorldTarget& t = thelightthingie::target;
    if (n <= 0) return;
    // The place of the pixel in the play area, from the draw target (the
    // ring's own address wanders as the picture scrolls).
    const long offset = t.origin && t.pitch > 0 ? static_cast<long>(dst - t.origin) : -1;
    if (offset < 0) {
        handler(dst, src, n);
        return;
    }
    const int row = static_cast<int>(offset / t.pitch);
    const int column = static_cast<int>(offset % t.pitch);
    const int dy = row - circle.centreY;
    const CCircleTrans::BlendFn blend = circle.blend ? circle.blend : CCircleTrans::BlendShift;
    if (dy * dy > circle.r2) {
        handler(dst, src, n);
        return;
    }
    // The source is untyped bytes, perhaps unaligned: each pixel is fetched
    // by copy.
    const M_BYTE* bytes = static_cast<const M_BYTE*>(src);
    for (int i = 0; i < n; ++i) {
        const M_BYTE* pixel = bytes + 2 * static_cast<long>(i);
        const int dx = column + i - circle.centreX;
        const int d2 = dx * dx + dy * dy;
        if (d2 > circle.r2) {
            handler(dst + i, pixel, 1);
            continue;
        }
        M_WORD fresh;
        if (handler == CopySpan) {
            std::memcpy(&fresh, pixel, sizeof fresh);
        } else {
            fresh = dst[i];
            handler(&fresh, pixel, 1);
        }
        dst[i] = blend(circle, fresh, dst[i], d2);
    }
}

void DrawCircleClipped(SpanHandler handler, const SkipImage& art, const RECT& clip, int x, int y) {
    SpanHandler saved = g_inner;
    g_inner = handler;
    SkipDrawClipped(CircleSpanOfCurrent, art, thelightthingie::target.Clipped(clip), x, y);
    g_inner = saved;
}
