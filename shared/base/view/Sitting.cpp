// Sitting poses: the chair table, the choice of the facing, the
// composition buffer and its four pixel maps, and the sitting forms of a
// mobile's rectangle, drawing and picking.
#include "view/Sitting.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "resources/SpanHandlers.h"
#include "view/AnimFrames.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/Missile.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kGhostHue = 995;
constexpr int kHairCover = 8270;
constexpr M_DWORD kPartialHueFlag = 0x40000;
constexpr int kStillOnly = 0x10;
// The anchor of a frame in the composition buffer.
constexpr int kAnchorColumn = 32;
constexpr int kAnchorRow = 80;

// Rows that share a line in the chair list are separate records, in order.
const ChairRecord kChairs[] = {
    {2862, 0x4, 6, 6, 0},  {2863, 0x2, 6, 6, 0},  {2894, 0x2, 0, 0, 0},   {2895, 0x4, 0, 0, 0},
    {2898, 0x2, 0, 0, 0},  {2899, 0x4, 0, 0, 0},  {2902, 0x2, 4, 4, 0},   {2903, 0x4, 4, 4, 0},
    {2906, 0x2, 8, 8, 0},  {2907, 0x4, 8, 8, 0},  {4632, 0x4, 4, 4, 0},   {4633, 0x2, 4, 4, 0},
    {2896, 0x1, 0, 0, 1},  {2897, 0x8, 0, 0, 1},  {2900, 0x1, 0, 0, 1},   {2901, 0x8, 0, 0, 1},
    {2904, 0x8, 0, 8, 1},  {2905, 0x1, 0, 8, 1},  {2908, 0x1, 0, 8, 1},   {2909, 0x8, 0, 8, 1},
    {4634, 0x1, 0, 8, 3},  {4635, 0x8, 0, 8, 3},  {2866, 0x4, 0, 0, 0},   {2867, 0x2, 0, 0, 0},
    {5415, 0x2, 0, 0, 0},  {1113, 0x5, 2, 2, 0},  {1114, 0xA, 2, 2, 0},   {1115, 0x5, 2, 2, 0},
    {1116, 0xA, 2, 2, 0},  {2860, 0xA, 2, 2, 0},  {2861, 0x5, 2, 2, 0},   {15871, 0x5, 2, 2, 0},
    {15872, 0xA, 2, 2, 0}, {2911, 0xA, 3, 14, 0}, {2912, 0xA, 3, 14, 0},  {2913, 0xA, 3, 14, 0},
    {2914, 0xA, 3, 10, 0}, {2915, 0xA, 3, 10, 0}, {2916, 0xA, 3, 10, 0},  {2917, 0x5, 3, 10, 0},
    {2918, 0x5, 3, 10, 0}, {2919, 0x5, 3, 10, 0}, {2920, 0x5, 3, 10, 0},  {2921, 0x5, 3, 10, 0},
    {2922, 0x5, 3, 10, 0}, {2961, 0x4, 6, 6, 0},  {2962, 0x4, 6, 6, 0},   {2963, 0x2, 6, 6, 0},
    {2964, 0x2, 6, 6, 0},  {7623, 0xA, 3, 10, 0}, {7624, 0xA, 3, 10, 0},  {7625, 0xA, 3, 10, 0},
    {7626, 0x5, 3, 10, 0}, {7627, 0x5, 3, 10, 0}, {7628, 0x5, 3, 10, 0},  {7629, 0xA, 3, 10, 0},
    {7630, 0xA, 3, 10, 0}, {7631, 0xA, 3, 10, 0}, {7632, 0x5, 3, 10, 0},  {7633, 0x5, 3, 10, 0},
    {7634, 0xA, 3, 10, 0}, {4604, 0xF, 2, 7, 0},  {2602, 0xF, -4, -4, 0}, {2603, 0xF, -8, -8, 0},
    {3315, 0x1A, 2, 8, 0}, {3316, 0x1A, 2, 8, 0}, {3318, 0x15, 2, 8, 0},  {3319, 0x15, 2, 8, 0},
    {6001, 0x1F, 0, 0, 0}, {6006, 0x1F, 0, 0, 0}, {6009, 0x1F, 0, 0, 0},
};
constexpr int kChairCount = static_cast<int>(sizeof kChairs / sizeof kChairs[0]);

// The layer order of a sitting mobile other than the player, by direction;
// the first entry is the mount.
const int* SittingLayerOrder(int direction) {
    static const int kFront[25] = {25, 5,  4,  3,  24, 19, 13, 8, 9, 14, 15, 7, 23,
                                   17, 22, 12, 10, 11, 16, 18, 1, 2, 21, 20, 6};
    static const int kEast[25] = {25, 5,  4,  3,  24, 19, 13, 8, 9,  14, 15, 7, 23,
                                  17, 22, 12, 10, 11, 16, 18, 1, 21, 20, 2,  6};
    static const int kBack[25] = {25, 20, 5,  4,  3,  24, 19, 13, 8, 9, 14, 15, 7,
                                  23, 17, 22, 12, 10, 11, 16, 18, 6, 1, 2,  21};
    static const int kSouth[25] = {25, 5,  4,  3,  24, 19, 13, 8, 9,  14, 15, 7, 23,
                                   17, 22, 12, 10, 11, 16, 18, 1, 21, 20, 6,  2};
    switch (direction & 7) {
        case 1:
        case 2:
            return kEast;
        case 3:
            return kBack;
        case 4:
        case 5:
            return kSouth;
        default:
            return kFront;
    }
}

// The four pixel maps, one per pair of facings: for each output pixel the
// index (row x 64 + column) of the composition pixel it shows.
using PixelMap = std::array<M_WORD, kPoseWidth * kPoseHeight>;

M_WORD SourceIndex(int row, int column) {
    if (row < 0) return 0;
    column = std::clamp(column, 0, kPoseWidth - 1);
    return static_cast<M_WORD>(std::min(row, kPoseHeight - 1) * kPoseWidth + column);
}

std::array<PixelMap, 4> BuildPixelMaps() {
    std::array<PixelMap, 4> maps{};
    for (int r = 0; r < kPoseHeight; ++r)
        for (int c = 0; c < kPoseWidth; ++c) {
            const int at = r * kPoseWidth + c;
            // North and west: the frame moved down by 26 rows.
            maps[0][at] = SourceIndex(r - 26, c - 3);
            maps[3][at] = SourceIndex(r - 26, c + 3);
            // East and south: the upper body down by 12 rows, the hips
            // sheared, the legs 8 columns toward the facing and 4 rows up.
            if (r < 56) {
                maps[1][at] = maps[2][at] = SourceIndex(r - 12, c);
            } else if (r < 72) {
                const int k = r - 56;
                maps[1][at] = SourceIndex(r - 12 + (k >> 2), c - k / 2);
                maps[2][at] = SourceIndex(r - 12 + (k >> 2), c + k / 2);
            } else {
                maps[1][at] = SourceIndex(r - 8, c - 8);
                maps[2][at] = SourceIndex(r - 8, c + 8);
            }
        }
    return maps;
}

const std::array<PixelMap, 4>& PixelMaps() {
    static const std::array<PixelMap, 4> maps = BuildPixelMaps();
    return maps;
}

std::array<M_WORD, kPoseWidth * kPoseHeight> g_pose{};

CDrawItem* CellHead(int x, int y) {
    return DrawMapThingie::table[y & 63][x & 63];
}
int g_chair = -1;

bool IsMoving(CMobile& mobile) {
    if (mobile.IsPlayer()) return MoveManager::stepFrame != 0;
    return mobile.queueCount > 0;
}

// Stands still: no step is being played.
bool IsStill(CMobile& mobile) {
    return mobile.IsPlayer() ? MoveManager::stepFrame == 0 : mobile.stepFramesLeft == 0;
}

// The ghost test of the sitting hue: the player's own dead flag, a mobile's
// ghost body.
bool GhostTest(CMobile& mobile) {
    if (mobile.IsPlayer()) return static_cast<CPlayer&>(mobile).dead != FALSE;
    return mobile.IsBody402Or403() != FALSE;
}

// What a sitting pose is made of: facing, animation and anchor.
struct Seat {
    int chair = -1;
    int facing = 0;
    int action = 4;
    BOOL mirrored = FALSE;
    int ax = 0;  // the anchor, world pixels
    int ay = 0;
};

Seat SeatOf(CMobile& mobile) {
    Seat s;
    s.chair = g_chair;
    s.facing = mobile.direction & 7;
    ChooseSittingDirection(s.chair, &s.facing);
    s.action = s.facing == 0 || s.facing == 6 ? 25 : 4;
    s.mirrored = IsMirrored(s.facing);
    drawitem::AnchorPoint(mobile, &s.ax, &s.ay);
    return s;
}

int PoseNumber(int firstOf, const Seat& s) {
    return FirstAnimationNumber(firstOf) + 5 * s.action + DirectionGroup(s.facing);
}

RECT FrameBox(const AnimFrame& f, const Seat& s) {
    RECT r;
    r.left = s.ax - (s.mirrored ? f.width - f.centreX : f.centreX);
    r.right = r.left + f.width;
    r.bottom = s.ay - f.centreY;
    r.top = r.bottom - f.height;
    return r;
}

// Composes body and worn figures as the pose is drawn; FALSE when the body
// has no frame.
bool Compose(CMobile& mobile, const Seat& s) {
    ClearSittingPose();
    AnimFrame body;
    if (!drawitem::LoadFrame(PoseNumber(mobile.objectType, s), 0, &body)) return false;
    const bool ghostRule = pPlayerObject && GhostTest(*pPlayerObject) != GhostTest(mobile);
    int hue = mobile.hue;
    if (g_onMobileSerial != 0 && mobile.GetSerial() == g_onMobileSerial)
        hue = GetNotorietyHue(&mobile);
    if (ghostRule) hue = kGhostHue;
    ComposeSittingFrame(hue, s.mirrored, body);
    const int* order;
    if (mobile.IsPlayer()) {
        order = drawitem::LayerOrder(s.facing);
    } else {
        // Items worn over the robe's place keep the standing order.
        const int over13 = drawitem::WornAnimation(mobile.equippedItem[13]);
        const int over19 = drawitem::WornAnimation(mobile.equippedItem[19]);
        order = over13 == 538 || over19 == 528 ? drawitem::LayerOrder(mobile.direction)
                                               : SittingLayerOrder(mobile.direction);
    }
    CObj* cover = mobile.equippedItem[22];
    const bool hairCovered = cover && cover->objectType == kHairCover;
    for (int i = 1; i < 25; ++i) {
        const int layer = order[i];
        CObj* item = mobile.equippedItem[layer];
        if (layer == 21 || !item || IsLayerCovered(layer, mobile.equippedItem)) continue;
        if (hairCovered && drawitem::IsHairLayerItem(item)) continue;
        int n = drawitem::WornAnimation(item);
        if (n < 0) continue;
        if (n == 538 && mobile.objectType == 401) n = 986;
        AnimFrame worn;
        if (!drawitem::LoadFrame(PoseNumber(n, s), 0, &worn)) continue;
        int wornHue = item->hue;
        if (ghostRule)
            wornHue = kGhostHue;
        else if (CObjectManager::ItemTile(item->TileIndex()).flags & kPartialHueFlag)
            wornHue |= 0x8000;
        ComposeSittingFrame(wornHue, s.mirrored, worn);
    }
    return true;
}

// The pose's top-left corner in play-area pixels, the chair's offset added.
void PoseOrigin(const Seat& s, int* x, int* y) {
    const ChairRecord& chair = ChairAt(s.chair);
    *x = s.ax - g_viewOffsetX - kAnchorColumn;
    *y = s.ay - g_viewOffsetY - kAnchorRow +
         (s.facing == 0 || s.facing == 6 ? chair.offsetNorthWest : chair.offsetEastSouth);
}

// The chair under the sitter, found in its cell again.
CObj* ChairItem(CMobile& mobile, int art) {
    for (CDrawItem* item = CellHead(mobile.locX, mobile.locY); item; item = item->next) {
        if (!item->IsObj() || item->IsMobile()) continue;
        auto* o = static_cast<CObj*>(item);
        if (o->locX == mobile.locX && o->locY == mobile.locY && o->objectType == art) return o;
    }
    return nullptr;
}

void BlitSittingPose(CMobile& mobile, const Seat& s, const RECT& area) {
    const WorldTarget& t = thelightthingie::target;
    if (!t.origin) return;
    const RECT clip{std::max<int>(area.left, 0), std::max<int>(area.top, 0),
                    std::min<int>(area.right, t.width), std::min<int>(area.bottom, t.height)};
    int dx, dy;
    PoseOrigin(s, &dx, &dy);
    const int r0 = std::max<int>(0, clip.top - dy),
              r1 = std::min<int>(kPoseHeight, clip.bottom - dy);
    const int c0 = std::max<int>(0, clip.left - dx),
              c1 = std::min<int>(kPoseWidth, clip.right - dx);
    for (int r = r0; r < r1; ++r) {
        M_WORD* line = t.origin + static_cast<long>(dy + r) * t.pitch + dx;
        for (int c = c0; c < c1; ++c)
            if (const M_WORD p = SittingPosePixel(s.facing, c, r)) line[c] = p;
    }
    // A chair back that stands before the sitter is drawn over it again.
    const ChairRecord& chair = ChairAt(s.chair);
    if ((s.facing != 0 && s.facing != 6) || chair.backCut == 0) return;
    CObj* item = ChairItem(mobile, chair.art);
    if (!item) return;
    const int centre = ((item->rect.left + item->rect.right) >> 1) - g_viewOffsetX;
    RECT narrowed = area;
    if (s.facing == 6)
        narrowed.left = centre - chair.backCut;
    else
        narrowed.right = centre + chair.backCut;
    if (narrowed.left < narrowed.right) DrawManager::DrawClip(item, narrowed);
}

}  // namespace

int FindChair(int art) {
    for (int i = 0; i < kChairCount; ++i)
        if (kChairs[i].art == art) return i;
    return -1;
}

const ChairRecord& ChairAt(int index) {
    static const ChairRecord kNone{0, 0, 0, 0, 0};
    return index >= 0 && index < kChairCount ? kChairs[index] : kNone;
}

int SittingChair() {
    return g_chair;
}

BOOL IsSitting(CMobile* mobile) {
    if (!mobile || !mobile->inList) return FALSE;
    const int body = mobile->objectType;
    if (body < 400 || body > 999 || mobile->IsBody402Or403()) return FALSE;
    if (IsMoving(*mobile) || mobile->equippedItem[CMobile::MOUNT_LAYER]) return FALSE;
    for (CDrawItem* i = CellHead(mobile->locX, mobile->locY); i; i = i->next) {
        if (!i->IsObj() || i->IsMobile()) continue;
        auto* o = static_cast<CObj*>(i);
        if (o->locX != mobile->locX || o->locY != mobile->locY) continue;
        if (std::abs(o->z - mobile->z) > 1) continue;
        const int chair = FindChair(o->objectType);
        if (chair < 0 || kChairs[chair].facings == 0) continue;
        if ((kChairs[chair].facings & kStillOnly) && !IsStill(*mobile)) continue;
        g_chair = chair;
        return TRUE;
    }
    return FALSE;
}

void ChooseSittingDirection(int chairIndex, int* direction) {
    static const int kBit[8] = {1, 0, 2, 0, 4, 0, 8, 0};
    static const int kTry[8] = {0, 1, -1, 2, -2, 3, -3, 4};
    const int d = *direction & 7;
    const int facings = ChairAt(chairIndex).facings;
    for (int step : kTry) {
        const int f = (d + step + 8) & 7;
        if (kBit[f] & facings) {
            *direction = f;
            return;
        }
    }
    *direction = (d + 4) & 7;
}

void ClearSittingPose() {
    g_pose.fill(0);
}

void ComposeSittingFrame(int hue, BOOL mirrored, const AnimFrame& frame) {
    const int number = hue & 0x3FFF;
    // Hue numbers outside the table draw unhued.
    const M_WORD* row = nullptr;
    if (number != 0) row = HueColours((hue & 0x8000) ? number - 1 : hue - 1);
    ForEachRun(frame, [&](const FrameRun& run) {
        const int r = kAnchorRow + run.dy;
        if (r >= kPoseHeight) return false;
        if (r < 0) return true;
        const int start = mirrored ? kAnchorColumn - run.dx - run.length : kAnchorColumn + run.dx;
        M_WORD* line = g_pose.data() + r * kPoseWidth;
        for (int i = 0; i < run.length; ++i) {
            const int c = start + i;
            if (c < 0 || c >= kPoseWidth) continue;
            // Mirrored runs are written right to left.
            M_WORD colour = frame.ColourAt(run.pixels[mirrored ? run.length - 1 - i : i]);
            if (row) {
                const bool grey = (colour >> 5) == (colour & 0x3FF);
                if (!(hue & 0x8000) || grey) colour = row[(colour >> 10) & 31];
            }
            line[c] = colour;
        }
        return true;
    });
}

M_WORD SittingPosePixel(int facing, int column, int row) {
    if (column < 0 || column >= kPoseWidth || row < 0 || row >= kPoseHeight) return 0;
    return g_pose[PixelMaps()[(facing & 7) >> 1][row * kPoseWidth + column]];
}

M_WORD HitTestSitting(CMobile* mobile, int wx, int wy) {
    return drawitem::HitTestSitting(*mobile, wx, wy);
}

namespace drawitem {

void CalcRectSitting(CMobile& mobile) {
    const Seat s = SeatOf(mobile);
    mobile.footLine = 22 * mobile.screenRow - 4 * mobile.drawZ + 20;
    mobile.rect = RECT{s.ax, s.ay, s.ax, s.ay};
    AnimFrame body;
    if ((mobile.statusFlags & 0x80) || !LoadFrame(PoseNumber(mobile.objectType, s), 0, &body))
        return;
    RECT r = FrameBox(body, s);
    for (int layer = 1; layer <= 25; ++layer) {
        if (layer == 21) continue;
        const int n = WornAnimation(mobile.equippedItem[layer]);
        AnimFrame worn;
        if (n < 0 || !LoadFrame(PoseNumber(n, s), 0, &worn)) continue;
        const RECT w = FrameBox(worn, s);
        r = RECT{std::min(r.left, w.left), std::min(r.top, w.top), std::max(r.right, w.right),
                 std::max(r.bottom, w.bottom)};
    }
    r.left -= 16;
    r.top -= 16;
    r.right += 16;
    // The pose comes down by up to 26 rows and then by the chair's offset:
    // the rectangle holds both, so that every pixel drawn is repainted.
    const ChairRecord& chair = ChairAt(s.chair);
    const int offset =
        s.facing == 0 || s.facing == 6 ? chair.offsetNorthWest : chair.offsetEastSouth;
    r.bottom += 32 + std::max(0, offset);
    GrowForAttachedEffects(mobile, &r);
    mobile.rect = r;
}

void DrawClipSitting(CMobile& mobile, const RECT& clip) {
    // A hidden mobile is not drawn while it sits.
    if (mobile.statusFlags & 0x80) return;
    const Seat s = SeatOf(mobile);
    if (!Compose(mobile, s)) return;
    BlitSittingPose(mobile, s, clip);
    DrawAttachedEffects(mobile, clip);
}

M_WORD HitTestSitting(CMobile& mobile, int wx, int wy) {
    const Seat s = SeatOf(mobile);
    if (!Compose(mobile, s)) return 0;
    int dx, dy;
    PoseOrigin(s, &dx, &dy);
    return SittingPosePixel(s.facing, wx - g_viewOffsetX - dx, wy - g_viewOffsetY - dy);
}

}  // namespace drawitem
