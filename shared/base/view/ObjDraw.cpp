// Objects (map statics, items, containers, multi parts): their screen
// rectangles, their drawing with hues and blending, and their hiding.
#include <cstdlib>
#include <unordered_set>

#include "config/Config.h"
#include "resources/GraphicManager.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "view/CircleTrans.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/LandTile.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/ViewGeometry.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kCensoredArt = 0x2127;
constexpr int kGreyHue = 995;
constexpr int kHighlightHueIndex = 53;
constexpr int kFirstUnseenHue = 60001;
constexpr int kSeesHiddenBody = 987;
constexpr M_DWORD kTranslucent = 0x8;
constexpr M_DWORD kNeverDrawn = 0x10000;
constexpr M_DWORD kBlendedWhenCut = 0x20000;
constexpr M_DWORD kPartialHue = 0x40000;
constexpr M_DWORD kRoof = 0x10000000;

bool NeverDrawnGraphic(int graphic) {
    return graphic == 1 || (graphic >= 8600 && graphic <= 8610);
}

SpanHandler HandlerFor(M_DWORD mode) {
    switch (mode) {
        case 2:
        case 0x20002:
            return HueSpan;
        case 8:
        case 0x40008:
            return Blend75Span;
        case 10:
            return HueBlendSpan;
        case 16:
            return CensoredBloodSpan;
        case 0x20008:
        case 0x60008:
            return Blend25Span;
        case 0x40002:
        case 0x60002:
            return HueGraySpan;
        case 0x4000a:
            return HueGrayBlendSpan;
        default:
            return CopySpan;
    }
}

// Every object is drawn through the clipped run-length drawer, wholly
// visible or not, so that its pixels never depend on how the dirty area
// was cut into rectangles.
void DrawArt(SpanHandler handler, const SkipImage& art, const RECT& clip, int x, int y) {
    SkipDrawClipped(handler, art, thelightthingie::target.Clipped(clip), x, y);
}

void DrawObject(CObj& object, const RECT& clip, M_DWORD forcedFlags) {
    if (NeverDrawnGraphic(object.objectType)) return;
    CPlayer* player = pPlayerObject;
    bool grey = false;
    if (object.IsDynamic() && (static_cast<CDynamicObj&>(object).statusFlags & 0x80)) {
        if (!player || player->objectType != kSeesHiddenBody) return;
        grey = true;
    }
    const SkipImage art = drawitem::ArtOf(object);
    const bool doubled = object.IsDrawnDoubled() != FALSE;
    if (player && player->IsBody402Or403()) grey = true;
    const M_DWORD flags = object.GetTileFlags() | forcedFlags;
    if (flags & kNeverDrawn) return;

    const int x = object.rect.left - g_viewOffsetX;
    const int y = object.rect.top - g_viewOffsetY;
    if (!art) {
        if (grey)
            DrawLandTileShaded(0, x, y, clip);
        else
            DrawLandTile(0, x, y, clip);
        return;
    }
    if (object.hue >= kFirstUnseenHue) return;
    const int hue = grey ? kGreyHue : object.hue;
    const bool highlighted = g_onObjSerial != 0 && object.IsDynamic() &&
                             static_cast<CDynamicObj&>(object).GetSerial() == g_onObjSerial;
    DrawHue = highlighted ? kHighlightHueIndex : hue - 1;

    M_DWORD mode = grey ? 0 : (flags & (kTranslucent | kBlendedWhenCut | kPartialHue));
    if (hue != 0 || highlighted) mode += 2;
    if (hue == 0 && CensorBlood && IsObjectInSetC(&object)) mode = 16;
    const SpanHandler handler = HandlerFor(mode);
    if (UseCircleTrans && theCircleTrans.IsSeeThrough(&object)) {
        DrawCircleClipped(handler, art, clip, x, y);
        if (doubled) DrawCircleClipped(handler, art, clip, x + 5, y + 5);
        return;
    }
    DrawArt(handler, art, clip, x, y);
    if (doubled) DrawArt(handler, art, clip, x + 5, y + 5);
}

// The objects that the roof cut-away's last pass found in front of the
// player, and those the pass under way finds.
std::unordered_set<const CObj*> g_inFront;
std::unordered_set<const CObj*> g_nextInFront;

// Graphics that hide together: the pieces of one wide object.
int CoverGroup(int graphic) {
    static const int kGroups[][2] = {{3397, 3404}, {3405, 3411}, {3420, 3426},
                                     {3427, 3433}, {3443, 3449}, {3450, 3455},
                                     {3463, 3467}, {3468, 3472}, {4798, 4807}};
    for (int i = 0; i < static_cast<int>(sizeof kGroups / sizeof kGroups[0]); ++i)
        if (graphic >= kGroups[i][0] && graphic <= kGroups[i][1]) return i;
    return -1;
}

// Whether an object that is blended instead of hidden stands in front of
// the player and covers it.  A piece of a wide object answers for the
// whole: it is in front when a piece of its group on its own diagonal row,
// as many cells away as their graphics differ, covers the player.
bool InFrontOfPlayer(CObj& object, CPlayer& player) {
    const int graphic = object.objectType;
    const int group = CoverGroup(graphic);
    const int playerRow = player.locX + player.locY;
    const int row = object.locX + object.locY;
    if (group < 0) return RectsOverlap(player.rect, object.rect) && playerRow < row;
    for (CObj* o = CObjectManager::roofList; o; o = o->roofNext) {
        if (!o->inList || CoverGroup(o->objectType) != group) continue;
        if (!RectsOverlap(player.rect, o->rect)) continue;
        const Coords a(o->locX, o->locY, o->z), b(object.locX, object.locY, object.z);
        if (MapManager::GetDistance(a, b) != std::abs(o->objectType - graphic)) continue;
        const int oRow = o->locX + o->locY;
        if (playerRow < oRow && oRow == row) return true;
    }
    return false;
}

}  // namespace

namespace drawitem {

SkipImage ArtOf(CObj& object) {
    if (CensorFlesh && IsObjectInSetD(&object)) return GraphicManager::GetStaticArt(kCensoredArt);
    return object.GetArt();
}

void CalcRect(CObj& object) {
    const SkipImage art = drawitem::ArtOf(object);
    if (!art) {
        const int top = 22 * object.screenRow - 4 * object.z;
        const int left = 22 * object.screenColumn;
        object.rect = RECT{left, top, left + 44, top + 44};
        return;
    }
    int w = art.Width(), h = art.Height();
    if (object.IsDrawnDoubled()) {
        w += 5;
        h += 5;
    }
    const int bottom = 22 * object.screenRow + 43 - 4 * object.z;
    const int left = 22 * object.screenColumn - w / 2;
    object.rect = RECT{left, bottom - h, left + w, bottom};
}

void DrawClip(CObj& object, const RECT& clip) {
    DrawObject(object, clip, 0);
}

void DrawClip(CMultiTargetObj& part, const RECT& clip) {
    // The placement preview is drawn see-through.
    DrawObject(part, clip, kTranslucent);
}

BOOL IsHidden(CObj& object) {
    if (!object.inList || !pPlayerObject) return TRUE;
    if (DrawManager::heightCut) {
        const int limit = DrawManager::heightCutLimit;
        if (object.z >= limit) return TRUE;
        for (CDrawItem* before = object.prev; before; before = before->prev)
            if (before->IsTerrain() && before->z >= limit) return TRUE;
    }
    const M_DWORD flags = object.GetTileFlags();
    if ((flags & kRoof) && DrawManager::roofLimit != 127) return TRUE;
    if (object.z >= DrawManager::roofLimit) return TRUE;
    if (flags & kNeverDrawn) return TRUE;
    if (!(flags & kBlendedWhenCut)) return FALSE;
    // Objects that are blended instead of hidden keep the answer of the
    // roof cut-away's last pass; none is cut while no pass has run.
    if (!DrawManager::roofRecompute) return g_inFront.count(&object) ? TRUE : FALSE;
    if (!InFrontOfPlayer(object, *pPlayerObject)) return FALSE;
    g_nextInFront.insert(&object);
    return TRUE;
}

BOOL WasInFront(const CObj& object) {
    return g_inFront.count(&object) ? TRUE : FALSE;
}

void BeginInFrontPass() {
    g_nextInFront.clear();
    DrawManager::roofRecompute = TRUE;
}

void EndInFrontPass() {
    // Only the answers of this pass are kept: an object that has gone since
    // is forgotten (its address is never followed).
    g_inFront.swap(g_nextInFront);
    g_nextInFront.clear();
    DrawManager::roofRecompute = FALSE;
}

}  // namespace drawitem
