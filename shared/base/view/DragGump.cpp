// The drag gump: the held item's picture under the pointer, the paperdoll
// mark, and the decision where a released item goes.
#include "gumps/DragGump.h"

#include <cstdlib>

#include "SoundManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/BlitTarget.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/ResourceSettings.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "view/DrawManager.h"
#include "view/MapGump.h"
#include "view/MapManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

constexpr int kRefusedSound = 81;
constexpr int kPileOffset = 5;
constexpr int kCensoredArt = 8487;
constexpr int kDropRange = 3;
constexpr M_DWORD kTileImpassable = 0x40;
constexpr M_DWORD kTileSurface = 0x200;
constexpr M_DWORD kTilePartialHue = 0x40000;
constexpr M_DWORD kTileWearable = 0x400000;
constexpr M_WORD kNoPlace = 0xFFFF;

// Tile data is indexed only by graphics inside the table.
const ItemTileData* TileOf(int graphic) {
    if (graphic < 0 || graphic >= TILE_COUNT) return nullptr;
    return &CObjectManager::ItemTile(graphic);
}
M_DWORD TileFlags(int graphic) {
    const ItemTileData* tile = TileOf(graphic);
    return tile ? tile->flags : 0;
}
int TileLayer(int graphic) {
    const ItemTileData* tile = TileOf(graphic);
    return tile ? tile->fieldB : 0;
}

bool IsPile(int graphic, int amount) {
    return amount > 1 && (TileFlags(graphic) & TILE_STACKABLE);
}

// The static art the held item shows: the amount variants, the censored
// replacement.
int ArtGraphic(const HeldObject& held) {
    const int graphic = held.graphic;
    if (IsAmountArtGraphic(graphic))
        return graphic + (held.amount > 5 ? 2 : held.amount > 1 ? 1 : 0);
    if (CensorFlesh && IsGraphicInSetD(graphic)) return kCensoredArt;
    return graphic;
}

SpanHandler HandlerFor(const HeldObject& held) {
    if (CensorBlood && IsGraphicInSetC(held.graphic)) return CensoredBloodSpan;
    // A hue that names no entry of the hue table draws the art unhued.
    if (held.hue == 0 || !HueColours(held.hue - 1)) return CopySpanTransparent;
    DrawHue = held.hue - 1;
    return (TileFlags(held.graphic) & kTilePartialHue) ? HueGraySpanTransparent
                                                       : HueSpanTransparent;
}

void Widen565(M_WORD* pixels, int pitch, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            M_WORD& p = pixels[static_cast<size_t>(y) * pitch + x];
            p = static_cast<M_WORD>((p & 31) | ((p & 0x7FE0) << 1));
        }
}

void Send(PDSTRUCT& packet) {
    if (g_pGameSocket) g_pGameSocket->Write(&packet);
}

void SendDrop(M_WORD x, M_WORD y, int z, M_DWORD container) {
    PDSTRUCT packet;
    PacketManager::BuildDrop(&packet, CObjectManager::held.serial, x, y, static_cast<M_BYTE>(z),
                             container);
    Send(packet);
}

CGump* PlayAreaGump() {
    return GraphicManager::pMapGump;
}

// Makes the drag gump of an item just picked up.
class ViewDragGumps final : public GumpService {
public:
    CGump* MakeDragGump() override { return new CDragGump(); }
};

}  // namespace

void InstallDragGump() {
    static ViewDragGumps gumps;
    tw::Service<GumpService>::Install(&gumps);
}

CDragGump::CDragGump() {
    name = "drag gump";
    CGumpManager::DeactivateGump();
    MouseManager::SetCapture(this);
    const HeldObject& held = CObjectManager::held;
    frameCount = 1;
    frames = new GumpFrame[1];
    if (held.graphic >= FIRST_GUMP_ART_OBJ && held.graphic <= LAST_GUMP_ART_OBJ) {
        const int art = held.graphic - GUMP_ART_OBJ_BASE;
        int w = 0, h = 0;
        GetGumpArtSize(art, &w, &h);
        if (M_WORD* pixels = w > 0 && h > 0 ? NewFrameBlock(0, w, h) : nullptr)
            DrawGumpArt(CopySpanTransparent, art, 0, 0, BlitTarget(pixels, FramePitch(w), w, h));
        width = w;
        height = h;
    } else {
        SkipImage art = GraphicManager::GetStaticArt(ArtGraphic(held));
        if (!art) art = GraphicManager::GetStaticArt(0);
        const bool pile = IsPile(held.graphic, held.amount);
        width = art.Width() + (pile ? kPileOffset : 0);
        height = art.Height() + (pile ? kPileOffset : 0);
        M_WORD* pixels = width > 0 && height > 0 ? NewFrameBlock(0, width, height) : nullptr;
        if (pixels) {
            const BlitTarget target(pixels, FramePitch(width), width, height);
            const SpanHandler handler = HandlerFor(held);
            SkipDrawClipped(handler, art, target, 0, 0);
            if (pile) SkipDrawClipped(handler, art, target, kPileOffset, kPileOffset);
            if (resource_settings::Display565()) Widen565(pixels, FramePitch(width), width, height);
        }
    }
    pitch = FramePitch(width);
    int px = 0, py = 0;
    MouseManager::GetMousePos(&px, &py);
    x = px - width / 2;
    y = py - height / 2;
    PutInGump(nullptr);
    HandleMouseDrag(width / 2, height / 2);
}

CDragGump::CDragGump(int gumpArt) {
    name = "generic drag gump";
    carriesItem = FALSE;
    MouseManager::SetCapture(this);
    frameCount = 1;
    frames = new GumpFrame[1];
    int w = 0, h = 0;
    GetGumpArtSize(gumpArt, &w, &h);
    if (M_WORD* pixels = w > 0 && h > 0 ? NewFrameBlock(0, w, h) : nullptr)
        DrawGumpArt(CopySpanTransparent, gumpArt, 0, 0, BlitTarget(pixels, FramePitch(w), w, h));
    width = w;
    height = h;
    pitch = FramePitch(width);
    int px = 0, py = 0;
    MouseManager::GetMousePos(&px, &py);
    x = px - width / 2;
    y = py - height / 2;
    PutInGump(nullptr);
    HandleMouseDrag(width / 2, height / 2);
}

CDragGump::~CDragGump() {
    if (carriesItem) CObjectManager::holdingItem = FALSE;
    if (CObjectManager::dragGump == this) CObjectManager::dragGump = nullptr;
    if (MouseManager::GetCapture() == this) MouseManager::SetCapture(nullptr);
    Unmark();
}

void CDragGump::Unmark() {
    CGump* paperdoll = highlightedPaperdoll;
    highlightedPaperdoll = nullptr;
    if (!paperdoll) return;
    if (tw::Service<DragDropTargets>::IsInstalled())
        tw::Service<DragDropTargets>::Get().MarkPaperdollLayer(paperdoll, 0);
    paperdoll->Invalidate();
}

void CDragGump::Refuse() {
    SoundManager::PlaySound(kRefusedSound, 0, 0);
}

void CDragGump::HandleMouseMove(int px, int py) {
    MouseManager::SetCapture(this);
    HandleMouseDrag(px, py);
}

void CDragGump::HandleMouseDrag(int px, int py) {
    RECT moved{0, 0, 0, 0};
    MoveBy(px - width / 2, py - height / 2, TRUE, moved, FALSE);
    int sx = x + width / 2, sy = y + height / 2;
    CGump* under = CGumpManager::GetGumpAt(sx, sy, this, 1);
    if (carriesItem) {
        const M_DWORD flags = TileFlags(CObjectManager::held.graphic);
        const int layer = TileLayer(CObjectManager::held.graphic);
        if (under && under->IsPaperdollGump()) {
            if (under != highlightedPaperdoll) {
                CMobile* wearer = under->owner && under->owner->IsMobile()
                                      ? static_cast<CMobile*>(under->owner)
                                      : nullptr;
                const bool layerFree =
                    wearer && layer > 0 && layer < CMobile::LAYERS && !wearer->equippedItem[layer];
                if ((flags & kTileWearable) && layerFree) {
                    Unmark();
                    highlightedPaperdoll = under;
                    if (tw::Service<DragDropTargets>::IsInstalled())
                        tw::Service<DragDropTargets>::Get().MarkPaperdollLayer(under, layer);
                    under->Invalidate();
                }
            }
        } else {
            Unmark();
        }
    }
    CGump* map = PlayAreaGump();
    if (forwardRightDrag && map && under == map) {
        CGump::ScreenToGumpCoords(map, &sx, &sy);
        map->HandleMouseDrag(sx, sy);
    }
}

void CDragGump::HandleRButtonDown(int px, int py) {
    forwardRightDrag = TRUE;
    int sx = x + px, sy = y + py;
    CGump* map = PlayAreaGump();
    if (!map || CGumpManager::GetGumpAt(sx, sy, this, 1) != map) return;
    CGump::ScreenToGumpCoords(map, &sx, &sy);
    map->HandleMouseMove(sx, sy);
    map->HandleRButtonDown(sx, sy);
}

void CDragGump::HandleRButtonUp(int px, int py) {
    forwardRightDrag = FALSE;
    int sx = x + px, sy = y + py;
    CGump* map = PlayAreaGump();
    if (!map || CGumpManager::GetGumpAt(sx, sy, this, 1) != map) return;
    CGump::ScreenToGumpCoords(map, &sx, &sy);
    map->HandleMouseMove(sx, sy);
    map->HandleRButtonUp(sx, sy);
}

void CDragGump::Tick() {
    if (CGump* map = PlayAreaGump()) map->Tick();
}

void CDragGump::HandleLButtonUp(int px, int py) {
    int sx = x + px, sy = y + py;
    CGump* target = CGumpManager::GetGumpAt(sx, sy, this, 1);
    if (!target || !target->AcceptsItems()) return;
    CGump::ScreenToGumpCoords(target, &sx, &sy);
    if (!carriesItem) {
        if (target != PlayAreaGump()) return;
        if (DrawManager::GetItemAtScreenPoint(sx + width / 2 - 22, sy + height / 2 - 22, FALSE))
            delete this;
        return;
    }
    if (target->IsMapGump())
        DropOnPlayArea(target, sx, sy);
    else
        DropOnGump(target, sx, sy);
}

void CDragGump::DropOnPlayArea(CGump* map, int px, int py) {
    (void)map;
    const HeldObject& held = CObjectManager::held;
    CObj* object = CObjectManager::GetObjAtScreenLoc(px, py);
    if (object && object->IsDynamic()) {
        auto* dynamic = static_cast<CDynamicObj*>(object);
        if (!CObjectManager::CanReachObject(dynamic)) return Refuse();
        if (dynamic->IsMobile()) {
            SendDrop(kNoPlace, kNoPlace, 0, dynamic->GetSerial());
            MouseManager::SetCapture(nullptr);
            delete this;
            return;
        }
        if (dynamic->IsContainer()) {
            RECT area{0, 0, 0, 0};
            CGumpManager::GetContainerBounds(CGumpManager::GetContainerGumpId(dynamic->objectType),
                                             &area);
            if (area.right - area.left < width || area.bottom - area.top < height) return Refuse();
            SendDrop(kNoPlace, kNoPlace, 0, dynamic->GetSerial());
            MouseManager::SetCapture(nullptr);
            delete this;
            return;
        }
        if (dynamic->objectType == held.graphic && dynamic->hue == held.hue && held.amount > 0 &&
            IsPile(dynamic->objectType, 2) && IsPile(held.graphic, 2)) {
            SendDrop(static_cast<M_WORD>(dynamic->locX), static_cast<M_WORD>(dynamic->locY),
                     dynamic->z, dynamic->GetSerial());
            MouseManager::SetCapture(nullptr);
            delete this;
            return;
        }
    }
    if (object && !object->IsTerrain() && !(object->GetTileFlags() & kTileSurface)) return Refuse();

    CDrawItem* picked =
        DrawManager::GetItemAtScreenPoint(px + width / 2 - 22, py + height / 2 - 22, FALSE);
    if (!picked) return;
    CPlayer* player = pPlayerObject;
    if (!player) return;
    const int tx = picked->locX, ty = picked->locY;
    if (std::abs(tx - player->locX) > kDropRange || std::abs(ty - player->locY) > kDropRange)
        return Refuse();
    const Coords from(player->locX, player->locY, static_cast<short>(player->z + 12));
    const Coords to(static_cast<short>(tx), static_cast<short>(ty), 0);
    if (!MapManager::LineOfSight(from, to, 64)) return Refuse();
    // Down the cell's list to the land or a surface; the walk ends with the
    // list.
    int z = 0;
    bool found = false;
    for (CDrawItem* item = picked; item; item = item->prev) {
        if (item->IsTerrain()) {
            signed char corners[4];
            MapManager::GetLandCornerZ(tx, ty, corners);
            z = (corners[1] + corners[3]) / 2;
            found = true;
            break;
        }
        const M_DWORD flags = item->GetTileFlags();
        if (flags & kTileImpassable) return Refuse();
        if (flags & kTileSurface) {
            const ItemTileData* tile =
                item->IsObj() ? TileOf(static_cast<CObj*>(item)->TileIndex()) : nullptr;
            z = (tile ? tile->height : 0) + item->z;
            found = true;
            break;
        }
    }
    if (!found) return Refuse();
    SendDrop(static_cast<M_WORD>(tx), static_cast<M_WORD>(ty), z, 0xFFFFFFFF);
    MouseManager::SetCapture(nullptr);
    delete this;
}

void CDragGump::DropOnGump(CGump* target, int px, int py) {
    const HeldObject& held = CObjectManager::held;
    DragDropTargets* dialogs = tw::Service<DragDropTargets>::IsInstalled()
                                   ? &tw::Service<DragDropTargets>::Get()
                                   : nullptr;
    if (target->IsPaperdollGump() && dialogs) {
        const int layer = dialogs->GetPaperdollLayerAt(target, px, py);
        CMobile* wearer = target->owner && target->owner->IsMobile()
                              ? static_cast<CMobile*>(target->owner)
                              : nullptr;
        CObj* worn =
            wearer && layer > 0 && layer < CMobile::LAYERS ? wearer->equippedItem[layer] : nullptr;
        if (worn && worn->IsContainer() && worn->IsDynamic()) {
            SendDrop(kNoPlace, kNoPlace, 0, static_cast<CDynamicObj*>(worn)->GetSerial());
            Unmark();
            delete this;
            return;
        }
    }
    if (target == highlightedPaperdoll) {
        CMobile* wearer = target->owner && target->owner->IsMobile()
                              ? static_cast<CMobile*>(target->owner)
                              : nullptr;
        Unmark();
        if (!wearer) return Refuse();
        PDSTRUCT packet;
        PacketManager::BuildEquipRequest(&packet, held.serial,
                                         static_cast<M_BYTE>(TileLayer(held.graphic)),
                                         wearer->GetSerial());
        Send(packet);
        delete this;
        return;
    }
    if (target->IsContainerGump()) {
        CObj* owner = target->owner;
        if (!owner || !owner->IsDynamic() ||
            !CObjectManager::CanReachObject(static_cast<CDynamicObj*>(owner)) || !dialogs ||
            !dialogs->ContainerTakesDrop(target, px, py))
            return Refuse();
        delete this;
        return;
    }
    if (target->IsSpellBookGump() && IsGraphicInSetB(held.graphic) && target->owner &&
        target->owner->IsDynamic()) {
        SendDrop(kNoPlace, kNoPlace, 0, static_cast<CDynamicObj*>(target->owner)->GetSerial());
        delete this;
        return;
    }
    Refuse();
}
