// Mobiles, the player and corpses: where they stand on screen (their
// anchor and foot line), the cell a walking one is filed in, their hiding,
// and their drawing from animation frames: shadow, mount, body and worn
// equipment in the layer order of their direction.
#include <algorithm>

#include "gumps/MouseManager.h"
#include "net/TargetState.h"
#include "view/AnimFrames.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/Missile.h"
#include "view/Sitting.h"
#include "view/ViewGeometry.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

using drawitem::IsHairLayerItem;
using drawitem::LayerOrder;
using drawitem::LoadFrame;
using drawitem::WornAnimation;

constexpr int kGhostHue = 995;
constexpr int kTargetCursor = 19;
constexpr int kHiddenViewer = 987;
constexpr int kHairCover = 0x204E;
constexpr M_DWORD kPartialHueFlag = 0x40000;

int FootLine(const CDrawItem& item, int z) {
    return 22 * item.screenRow - 4 * z + 20;
}

// A rectangle of one point: what has no frame to show.
RECT PointRect(int x, int y) {
    return RECT{x, y, x, y};
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool NoShadow(int body) {
    switch (body) {
        case 221:
        case 151:
        case 150:
        case 52:
        case 21:
        case 95:
            return true;
        default:
            return false;
    }
}

// The screen rectangle of a frame drawn at (ax, ay); *grown: the height the
// shadow is sheared over.
RECT FrameRect(const AnimFrame& f, BOOL mirrored, int ax, int ay, bool footRule, int* grown) {
    const int cx = mirrored ? f.width - f.centreX : f.centreX;
    RECT r;
    r.bottom = ay - f.centreY;
    r.left = ax - cx;
    r.top = r.bottom - f.height;
    r.right = r.left + f.width;
    int h = f.height;
    if (footRule && f.centreY >= 0) {
        r.bottom = ay;
        h += f.centreY;
    }
    if (grown) *grown = h;
    return r;
}

// The item on a layer: the slot's, or for an empty slot of a mobile linked
// to its corpse, the corpse's item of that layer.
CObj* LayerItem(CMobile& mobile, int layer) {
    if (CObj* item = mobile.equippedItem[layer]) return item;
    if (!(mobile.GetSerial() & 0x80000000u)) return nullptr;
    auto* corpse = dynamic_cast<CCorpse*>(CObjectManager::GetLinkedObject(mobile.GetSerial()));
    if (!corpse || layer >= CCorpse::LAYERS || !corpse->equippedSerial[layer]) return nullptr;
    return CObjectManager::FindObject(corpse->equippedSerial[layer]);
}

// A corpse's body: the server sends it as the corpse's amount (its object
// type is the corpse graphic).
int CorpseBody(const CCorpse& corpse) {
    return corpse.amount;
}

bool HiddenFromViewer(const CDynamicObj& object) {
    return (object.statusFlags & 0x80) &&
           !(pPlayerObject && pPlayerObject->objectType == kHiddenViewer);
}

// The animation a mobile shows now.
struct Pose {
    int body = 0;
    int number = -1;
    int frame = 0;
    int action = 0;
    BOOL mirrored = FALSE;
};

Pose PoseOf(CMobile& mobile, int body) {
    Pose p;
    p.body = body;
    const bool player = mobile.IsPlayer() != FALSE;
    const int counter = player ? MoveManager::stepCounter : mobile.frameCounter;
    const BOOL fast = player ? MoveManager::stepRunning : mobile.running;
    GetAnimationId(body, mobile.direction, counter, mobile.GetAnimFrame(), mobile.animFrameCount,
                   (mobile.animAction + mobile.animActionOffset) & 0xFF, fast, &p.number, &p.frame,
                   &mobile);
    p.action = (p.number - FirstAnimationNumber(body) - DirectionGroup(mobile.direction)) / 5;
    p.mirrored = IsMirrored(mobile.direction & 0x7F);
    return p;
}

// The same action and frame of a worn item's animation.
int WornNumber(int itemAnimation, const Pose& pose, int direction) {
    return FirstAnimationNumber(itemAnimation) + 5 * pose.action + DirectionGroup(direction);
}

int BodyOf(const CMobile& mobile) {
    const int body = mobile.objectType;
    return body == 402 || body == 403 ? body - 2 : body;
}

// The notoriety hue a mobile is forced into: the server's target always;
// the highlighted creature while a target cursor shows or the player is at
// war.  0: none.  Never the player's own figure.
int ForcedHue(CMobile& mobile) {
    if (mobile.IsPlayer()) return 0;
    const M_DWORD serial = mobile.GetSerial();
    if (g_serverTargetSerial != 0 && serial == g_serverTargetSerial)
        return GetNotorietyHue(&mobile);
    if (g_onMobileSerial == 0 || serial != g_onMobileSerial) return 0;
    const bool targeting = MouseManager::GetCursorType() == kTargetCursor;
    const bool war = pPlayerObject && pPlayerObject->GetWarMode();
    return targeting || war ? GetNotorietyHue(&mobile) : 0;
}

bool GhostPlayer() {
    return pPlayerObject && pPlayerObject->IsBody402Or403();
}

// The rectangle of a mobile's body and worn figures; FALSE when it has no
// frame to show.  *shadowHeight: the body frame's sheared height.
bool BoundRect(CMobile& mobile, RECT* rect, int* shadowHeight) {
    int ax, ay;
    drawitem::AnchorPoint(mobile, &ax, &ay);
    *rect = PointRect(ax, ay);
    *shadowHeight = 0;
    mobile.cellShift = 0;
    if (mobile.objectType > 999 || HiddenFromViewer(mobile)) return false;
    const Pose pose = PoseOf(mobile, BodyOf(mobile));
    AnimFrame frame;
    int count = 0;
    const bool have = LoadFrame(pose.number, pose.frame, &frame, &count);
    // The animation's own frame count replaces the one the mobile holds.
    if (count > 0) mobile.animFrameCount = static_cast<M_WORD>(std::min(count, 0xFFFF));
    if (!have) return false;
    *rect = FrameRect(frame, pose.mirrored, ax, ay, true, shadowHeight);
    const int v = rect->right - ax + 22;
    mobile.cellShift = v > 44 ? v / 44 : 0;
    if (pose.body < 400) return true;
    for (int layer = 1; layer <= 25; ++layer) {
        if (layer == 21) continue;
        const int n = WornAnimation(LayerItem(mobile, layer));
        AnimFrame worn;
        if (n < 0 || !LoadFrame(WornNumber(n, pose, mobile.direction), pose.frame, &worn)) continue;
        RECT r = FrameRect(worn, pose.mirrored, ax, ay, false, nullptr);
        if (layer == CMobile::MOUNT_LAYER) r.right += worn.width / 2;
        *rect = Union(*rect, r);
    }
    return true;
}

// Draws one frame of an animation with its shadow when asked.
void DrawFrame(int number, int index, BOOL mirrored, int hue, int ax, int ay, const RECT& clip,
               bool shadow) {
    AnimFrame frame;
    if (!LoadFrame(number, index, &frame)) return;
    if (shadow) BlitAnimFrameShadow(mirrored, ax, ay, clip, frame);
    BlitAnimFrame(mirrored, hue, ax, ay, clip, frame);
}

// The hue of a worn item: a ghost player's grey, or the item's own with its
// grey parts hued when its tile says so.
int WornHue(CObj* item, int forced) {
    if (GhostPlayer()) return kGhostHue;
    if (forced) return forced;
    int hue = item->hue;
    if (CObjectManager::ItemTile(item->TileIndex()).flags & kPartialHueFlag) hue |= 0x8000;
    return hue;
}

}  // namespace

namespace drawitem {

// The layer order by direction; its first entry is the mount.
const int* LayerOrder(int direction) {
    static const int kFront[25] = {25, 5,  4,  3,  24, 13, 8,  9, 14, 15, 19, 7, 23,
                                   17, 22, 12, 10, 11, 16, 18, 6, 1,  2,  21, 20};
    static const int kSide[25] = {25, 5,  4,  3,  24, 13, 8,  9, 14, 15, 19, 7, 23,
                                  17, 22, 12, 10, 11, 16, 18, 6, 1,  21, 20, 2};
    static const int kBack[25] = {25, 20, 5,  4,  3,  24, 13, 8,  9, 14, 15, 19, 7,
                                  23, 17, 22, 12, 10, 11, 16, 18, 6, 1,  2,  21};
    switch (direction & 7) {
        case 0:
        case 6:
        case 7:
            return kFront;
        case 3:
            return kBack;
        default:
            return kSide;
    }
}

// A frame of an animation; FALSE when the animation or the frame is
// missing.  *count gets the animation's frame count.
bool LoadFrame(int number, int index, AnimFrame* frame, int* count) {
    size_t size = 0;
    const M_BYTE* item = GetAnimationItem(number, &size);
    if (count) *count = AnimFrameCount(item, size);
    return item && ReadAnimFrame(item, size, index, frame);
}

// The animation number of an item's tile data, when it is a worn figure
// (400..999); else -1.
int WornAnimation(CObj* item) {
    if (!item) return -1;
    const int n = CObjectManager::ItemTile(item->TileIndex()).fieldD;
    return n >= 400 && n <= 999 ? n : -1;
}

// Is the item one that sits on the head's hair layers?
bool IsHairLayerItem(CObj* item) {
    const int layer = CObjectManager::ItemTile(item->TileIndex()).fieldB;
    return layer == 11 || layer == 16;
}

void AnchorPoint(CMobile& mobile, int* x, int* y) {
    const int foot = FootLine(mobile, mobile.drawZ);
    if (mobile.IsPlayer()) {
        // The player's draw offsets move it ahead of its cell while it walks.
        *x = mobile.slideX + 22 * mobile.screenColumn + 1;
        *y = foot + mobile.slideY;
    } else {
        *x = 22 * mobile.screenColumn - mobile.slideX + 1;
        *y = foot - mobile.slideY;
    }
}

void StepCell(CMobile& mobile, int* x, int* y) {
    *x = mobile.locX;
    *y = mobile.locY;
    const int direction = mobile.direction & 7;
    if (mobile.IsPlayer()) {
        // While a step is played the player's cell is the one it leaves.
        if (MoveManager::stepFrame == 0) return;
        switch (direction) {
            case 1:
            case 2:
                ++*x;
                break;
            case 3:
                ++*x;
                ++*y;
                break;
            case 4:
            case 5:
                ++*y;
                break;
            default:
                break;
        }
        return;
    }
    // A mobile's cell is the one it walks into.
    if (mobile.stepFramesLeft > 0) StepCellAdjust(direction, x, y);
}

void CalcRect(CMobile& mobile) {
    if (IsSitting(&mobile)) {
        CalcRectSitting(mobile);
        return;
    }
    mobile.footLine = FootLine(mobile, mobile.drawZ);
    RECT rect;
    int shadowHeight = 0;
    if (BoundRect(mobile, &rect, &shadowHeight)) {
        if (!NoShadow(BodyOf(mobile))) rect.right += shadowHeight / 2;  // the sheared shadow
        GrowForAttachedEffects(mobile, &rect);
    }
    mobile.rect = rect;
}

void CalcBoundRect(CMobile& mobile, RECT* out) {
    if (IsSitting(&mobile)) {
        // The sitting rectangle, leaving the mobile's own as it was.
        const RECT kept = mobile.rect;
        const int keptFoot = mobile.footLine;
        CalcRectSitting(mobile);
        *out = mobile.rect;
        mobile.rect = kept;
        mobile.footLine = keptFoot;
        return;
    }
    int shadowHeight = 0;
    if (BoundRect(mobile, out, &shadowHeight)) GrowForAttachedEffects(mobile, out);
}

void CalcRect(CPlayer& player) {
    CalcRect(static_cast<CMobile&>(player));
}

void CalcRect(CCorpse& corpse) {
    corpse.footLine = FootLine(corpse, corpse.z);
    const int ax = 22 * corpse.screenColumn + 1, ay = corpse.footLine;
    corpse.rect = PointRect(ax, ay);
    corpse.cellShift = 0;
    if (CorpseBody(corpse) > 999 || HiddenFromViewer(corpse)) return;
    int number, index;
    GetCorpseAnimation(CorpseBody(corpse), corpse.direction, &number, &index);
    AnimFrame frame;
    if (!LoadFrame(number, index, &frame)) return;
    const BOOL mirrored = IsMirrored(corpse.direction & 0x7F);
    corpse.rect = FrameRect(frame, mirrored, ax, ay, true, nullptr);
    const int v = corpse.rect.right - ax + 22;
    corpse.cellShift = v > 44 ? v / 44 : 0;
    if (CorpseBody(corpse) < 400) return;
    const int action =
        (number - FirstAnimationNumber(CorpseBody(corpse)) - DirectionGroup(corpse.direction)) / 5;
    for (int layer = 0; layer < 25; ++layer) {
        if (layer == 21 || !corpse.equippedSerial[layer]) continue;
        const int n = WornAnimation(CObjectManager::FindObject(corpse.equippedSerial[layer]));
        AnimFrame worn;
        if (n < 0 ||
            !LoadFrame(FirstAnimationNumber(n) + 5 * action + DirectionGroup(corpse.direction),
                       index, &worn))
            continue;
        corpse.rect = Union(corpse.rect, FrameRect(worn, mirrored, ax, ay, false, nullptr));
    }
}

namespace {

// The worn figures in the direction's layer order, the mount left out.
void DrawWorn(CMobile& mobile, const Pose& pose, int forced, int ax, int ay, const RECT& working) {
    const int* order = LayerOrder(mobile.direction);
    CObj* cover = LayerItem(mobile, 22);
    const bool hairCovered = cover && cover->objectType == kHairCover;
    for (int i = 1; i < 25; ++i) {
        const int layer = order[i];
        if (layer == 21) continue;
        CObj* item = LayerItem(mobile, layer);
        const int n = WornAnimation(item);
        if (n < 0) continue;
        if (mobile.equippedItem[layer] && IsLayerCovered(layer, mobile.equippedItem)) continue;
        if (hairCovered && IsHairLayerItem(item)) continue;
        const int number = n == 538 && mobile.objectType == 401 ? 986 : n;
        DrawFrame(WornNumber(number, pose, mobile.direction), pose.frame, pose.mirrored,
                  WornHue(item, forced), ax, ay, working, false);
    }
}

}  // namespace

void DrawClip(CMobile& mobile, const RECT& clip) {
    if (mobile.objectType > 999) return;
    if (IsSitting(&mobile)) {
        DrawClipSitting(mobile, clip);
        return;
    }
    const bool player = mobile.IsPlayer() != FALSE;
    int forced = ForcedHue(mobile);
    if (mobile.statusFlags & 0x80) {
        // Shown only to the one body that sees the hidden; the player always
        // sees itself.
        if (!player && !(pPlayerObject && pPlayerObject->objectType == kHiddenViewer)) return;
        forced = kGhostHue;
    }
    RECT working = clip;
    if (mobile.objectType < 400 && !sliceDrawing)
        working.bottom = std::min<int>(working.bottom, mobile.footLine - g_viewOffsetY);
    int ax, ay;
    drawitem::AnchorPoint(mobile, &ax, &ay);
    const bool ghost = player && mobile.IsBody402Or403();
    Pose pose = PoseOf(mobile, BodyOf(mobile));
    const int hue = ghost ? (player ? mobile.hue : kGhostHue)
                          : (forced ? forced : static_cast<int>(mobile.hue));
    AnimFrame body;
    int count = 0;
    const bool haveBody = LoadFrame(pose.number, pose.frame, &body, &count);
    if (count > 0) mobile.animFrameCount = static_cast<M_WORD>(std::min(count, 0xFFFF));
    if (!haveBody) {
        // Nothing to show: the rectangle shrinks to the anchor.
        mobile.rect = PointRect(ax, ay);
        return;
    }
    const bool shadow = !NoShadow(pose.body) && !ghost && !(player && (mobile.statusFlags & 0x80));
    if (shadow) BlitAnimFrameShadow(pose.mirrored, ax, ay, working, body);
    if (pose.body >= 400) {
        if (CObj* mount = mobile.equippedItem[CMobile::MOUNT_LAYER]) {
            const int n = CObjectManager::ItemTile(mount->TileIndex()).fieldD;
            DrawFrame(WornNumber(n, pose, mobile.direction), pose.frame, pose.mirrored,
                      GhostPlayer() ? kGhostHue : (forced ? forced : mount->hue), ax, ay, working,
                      true);
            // The rider is drawn from its own body.
            pose = PoseOf(mobile, mobile.objectType);
            if (!LoadFrame(pose.number, pose.frame, &body)) {
                DrawAttachedEffects(mobile, working);
                return;
            }
        }
    }
    BlitAnimFrame(pose.mirrored, hue, ax, ay, working, body);
    if (pose.body >= 400) DrawWorn(mobile, pose, forced, ax, ay, working);
    DrawAttachedEffects(mobile, working);
}

void DrawClip(CCorpse& corpse, const RECT& clip) {
    if (CorpseBody(corpse) > 999) return;
    int forced = 0;
    if (corpse.statusFlags & 0x80) {
        if (!(pPlayerObject && pPlayerObject->objectType == kHiddenViewer)) return;
        forced = kGhostHue;
    }
    // A corpse whose mobile still falls is not drawn yet.
    for (const LinkedPair& pair : CObjectManager::linkedPairs)
        if (pair.first == corpse.GetSerial()) return;
    RECT working = clip;
    working.bottom = std::min<int>(working.bottom, corpse.footLine - g_viewOffsetY);
    const int ax = 22 * corpse.screenColumn + 1, ay = corpse.footLine;
    int number, index;
    GetCorpseAnimation(CorpseBody(corpse), corpse.direction, &number, &index);
    const BOOL mirrored = IsMirrored(corpse.direction & 0x7F);
    const int hue = GhostPlayer() ? kGhostHue : (forced ? forced : static_cast<int>(corpse.hue));
    DrawFrame(number, index, mirrored, hue, ax, ay, working, false);
    if (CorpseBody(corpse) < 400) return;
    const int action =
        (number - FirstAnimationNumber(CorpseBody(corpse)) - DirectionGroup(corpse.direction)) / 5;
    const int* order = LayerOrder(corpse.direction);
    for (int i = 0; i < 25; ++i) {
        const int layer = order[i];
        if (layer == 21 || layer == 25 || !corpse.equippedSerial[layer]) continue;
        CObj* item = CObjectManager::FindObject(corpse.equippedSerial[layer]);
        const int n = WornAnimation(item);
        if (n < 0) continue;
        DrawFrame(FirstAnimationNumber(n) + 5 * action + DirectionGroup(corpse.direction), index,
                  mirrored, WornHue(item, forced), ax, ay, working, false);
    }
}

BOOL HitTest(CMobile& mobile, int wx, int wy) {
    if (mobile.objectType > 999) return FALSE;
    // A sitting figure is hit where its pose shows a pixel.
    if (IsSitting(&mobile)) return HitTestSitting(mobile, wx, wy) != 0;
    int ax, ay;
    AnchorPoint(mobile, &ax, &ay);
    const Pose pose = PoseOf(mobile, BodyOf(mobile));
    AnimFrame frame;
    if (LoadFrame(pose.number, pose.frame, &frame) &&
        HitFrameRuns(wx, wy, pose.mirrored, ax, ay, frame))
        return TRUE;
    if (pose.body < 400) return FALSE;
    const int* order = LayerOrder(mobile.direction);
    for (int i = 0; i < 25; ++i) {
        const int layer = order[i];
        if (layer == 21 || IsLayerCovered(layer, mobile.equippedItem)) continue;
        const int n = WornAnimation(mobile.equippedItem[layer]);
        AnimFrame worn;
        if (n >= 0 && LoadFrame(WornNumber(n, pose, mobile.direction), pose.frame, &worn) &&
            HitFrameRuns(wx, wy, pose.mirrored, ax, ay, worn))
            return TRUE;
    }
    return FALSE;
}

BOOL HitTest(CCorpse& corpse, int wx, int wy) {
    if (CorpseBody(corpse) > 999) return FALSE;
    int number, index;
    GetCorpseAnimation(CorpseBody(corpse), corpse.direction, &number, &index);
    AnimFrame frame;
    // A frame beyond the animation's count is a miss.
    if (!LoadFrame(number, index, &frame)) return FALSE;
    return HitFrameRuns(wx, wy, IsMirrored(corpse.direction & 0x7F), 22 * corpse.screenColumn + 1,
                        corpse.footLine, frame);
}

BOOL IsHidden(CMobile& mobile) {
    // The player is never cut away.
    if (mobile.IsPlayer()) return !mobile.inList;
    if (!mobile.inList || mobile.z >= DrawManager::roofLimit) return TRUE;
    if (DrawManager::heightCut) {
        for (CDrawItem* before = mobile.prev; before; before = before->prev)
            if (before->IsTerrain() && before->z > DrawManager::heightCutLimit) return TRUE;
    }
    // Under a roof that covers its cell and the cells round its feet.
    const int x = mobile.locX, y = mobile.locY, h = mobile.z + 20;
    static const int kAround[5][2] = {{0, 0}, {1, 1}, {1, 0}, {0, 1}, {2, 2}};
    for (const auto& d : kAround)
        if (!DrawManager::IsCellCovered(x + d[0], y + d[1], h)) return FALSE;
    return TRUE;
}

}  // namespace drawitem

void DrawManager::CalcBoundRect(CMobile* mobile, RECT* out) {
    drawitem::CalcBoundRect(*mobile, out);
}
