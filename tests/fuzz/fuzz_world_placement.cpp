// Sequences of placing operations driven by fuzzed serials, graphics,
// positions, containers and layers, the way the server messages drive them:
// the world must stay consistent and every object must be released at the
// end without a finding under the sanitizers.
#include <cstdint>
#include <vector>

#include "ByteWriter.h"
#include "app/FrameTick.h"
#include "fuzz/WorldFuzz.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

constexpr M_DWORD kItem = 0x40000000;

// Graphics worth reaching: the sorted containers, corpses, amount art,
// light graphics, gump-art objects, a multi, scrolls and a body.
const int kSpecial[] = {11000, 4006,  3834,  3643,      CORPSE_OBJ, 654, 3821, 15874,
                        14612, 13700, 13729, 16384 + 3, 3827,       899, 400,  0x3FFF};

// Tile flags by tile number modulo 8.
const M_DWORD kFlags[] = {0,
                          TILE_CONTAINER,
                          TILE_ITEM_OBJ,
                          TILE_LIGHT | TILE_ANIMATED,
                          TILE_ROOF,
                          TILE_STACKABLE,
                          TILE_CONTAINER | TILE_LIGHT,
                          TILE_ANIMATED | TILE_STACKABLE};

// 32 item records (no header) for tiles group * 32 on.
std::vector<M_BYTE> ItemRecords(int firstTile, unsigned seed) {
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    for (int i = 0; i < 32; ++i) {
        const int tile = firstTile + i;
        w.u32le(kFlags[(tile + seed) % 8]);
        w.u8(tile % 120);  // field A
        w.u8(0);
        w.u32le(2);  // amount of a static
        w.u16le(0);
        w.u16le(0);
        w.u16le(tile % 5);      // light
        w.u8((tile * 3) % 20);  // height
        w.zeros(20);
    }
    return bytes;
}

void PatchTiles(unsigned seed) {
    for (int group : {0, 1, 2, 3, 3834 / 32, 3643 / 32, 4006 / 32, 11000 / 32}) {
        std::vector<M_BYTE> records = ItemRecords(group * 32, seed);
        CObjectManager::PatchTileDataGroup(512 + group, records.data(), int(records.size()));
    }
}

int Graphic(tw::fuzz::OpStream& ops) {
    const unsigned b = ops.byte();
    return b < 16 ? kSpecial[b] : int(b % 128);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::StartWorld(nullptr, 0);
    tw::fuzz::OpStream ops(data, size);
    PatchTiles(ops.byte());
    g_frameTime = 1000;
    auto itemSerial = [&] { return kItem | (ops.byte() & 15); };
    auto mobileSerial = [&] { return M_DWORD(1 + (ops.byte() & 7)); };
    auto anySerial = [&] { return (ops.byte() & 1) ? itemSerial() : mobileSerial(); };
    auto coord = [&] { return int(ops.byte() % 48) + 80; };
    CPlayer* player = nullptr;

    for (int steps = 0; ops.more() && steps < 400; ++steps) {
        if (player != pPlayerObject) player = pPlayerObject;
        switch (ops.byte() % 18) {
            case 0: {
                const M_DWORD s = itemSerial();
                const int g = Graphic(ops), inc = int(ops.byte() & 3), amount = int(ops.word());
                const int x = coord(), y = coord(), z = int(int8_t(ops.byte()));
                CObjectManager::HandleMove(s, g, inc, amount, x, y, z, int(ops.byte()),
                                           int(ops.word()), int(ops.byte()));
                break;
            }
            case 1: {
                const M_DWORD s = mobileSerial();
                if (s == 1) break;  // the handlers never move the player this way
                const int body = int(ops.word() & 0x3FF), x = coord(), y = coord();
                CObjectManager::HandleMove(s, body, 0, 0, x, y, int(int8_t(ops.byte())),
                                           int(ops.byte()), int(ops.word()), int(ops.byte()));
                break;
            }
            case 2: {
                const M_DWORD s = anySerial(), container = anySerial();
                const int g = Graphic(ops), x = coord(), y = coord();
                CObjectManager::HandleAddToContainer(s, g, 0, int(ops.byte()), x, y, container,
                                                     int(ops.word()));
                break;
            }
            case 3: {  // a worn item, as the worn-item message places it (any serial)
                CDynamicObj* item = CObjectManager::FindObject(anySerial());
                CDynamicObj* wearer = CObjectManager::FindObject(mobileSerial());
                const int layer = int(ops.byte()) - 8;
                if (!item || !wearer || !wearer->IsMobile()) break;
                if (!item->inVoid) item->ToVoid();
                item->ToEquipped(static_cast<CMobile*>(wearer), layer);
                break;
            }
            case 4: {  // deleted by the server
                const M_DWORD s = anySerial();
                CDynamicObj* o = CObjectManager::FindObject(s);
                if (!o || o == pPlayerObject || CObjectManager::IsLinked(0, s)) break;
                o->SaveOverheadText();
                o->Release();
                break;
            }
            case 5:
                g_frameTime += ops.byte() * 20;
                g_wallTime = g_frameTime / 1000;
                CObjectManager::UpdateMovement();
                CObjectManager::AgeRecentList();
                break;
            case 6: {
                CDynamicObj* m = CObjectManager::FindObject(mobileSerial());
                if (m && m->IsMobile())
                    CObjectManager::AddLink(static_cast<CMobile*>(m), itemSerial(), ops.byte() & 1);
                break;
            }
            case 7: {
                const M_DWORD first = itemSerial(), second = mobileSerial() | 0x80000000;
                CObjectManager::RemoveLink(ops.byte() & 1 ? first : 0, second, ops.byte() & 1);
                break;
            }
            case 8:
                CObjectManager::GetObject(CObjectManager::FindObject(anySerial()), ops.byte() & 3);
                break;
            case 9:
                CObjectManager::UseObject(CObjectManager::FindObject(anySerial()));
                break;
            case 10:
                CObjectManager::SetPlayerLight(CObjectManager::FindObject(anySerial()),
                                               int(ops.byte() % 9));
                break;
            case 11:
                if (CDynamicObj* o = CObjectManager::FindObject(itemSerial())) {
                    const int command = int(ops.byte() % 7), index = int(ops.byte() % 6) - 1;
                    o->EditMapPins(command, index, coord(), coord());
                }
                break;
            case 12:
                if (CDynamicObj* o = CObjectManager::FindObject(anySerial())) {
                    const unsigned how = ops.byte() % 4;
                    if (how == 0) o->AddOverheadText("hi", 0, 3, nullptr, int(ops.byte()));
                    if (how == 1) o->ReplaceOverheadText("yo", 0, 3, nullptr);
                    if (how == 2) o->ClearOverheadText();
                    if (how == 3) o->SaveOverheadText();
                }
                break;
            case 13: {  // an object handed into a container (the player included)
                CDynamicObj* container = CObjectManager::FindObject(anySerial());
                CDynamicObj* item = CObjectManager::FindObject(anySerial());
                if (!container || !item || !container->IsContainer()) break;
                if (!item->inVoid) item->ToVoid();
                item->ToContainer(static_cast<CContainerObj*>(container),
                                  Coords(short(coord()), short(coord()), 0));
                break;
            }
            case 14:
                CObjectManager::ReleaseAllObjects();
                break;
            case 15:
                if (CDynamicObj* o = CObjectManager::FindObject(itemSerial()); o && o->IsCorpse())
                    static_cast<CCorpse*>(o)->SetLayerSerial(int(ops.byte()) - 2, itemSerial());
                break;
            case 16:
                if (!pPlayerObject) {
                    pPlayerObject = new CPlayer(1, 400, 0);
                    pPlayerObject->ToWorld(Coords(short(coord()), short(coord()), 0));
                } else {
                    if (!pPlayerObject->inVoid) pPlayerObject->ToVoid();
                    pPlayerObject->ToWorld(Coords(short(coord()), short(coord()), 0));
                }
                break;
            case 17: {  // the server replaces a group while objects stand
                const int g = int(ops.byte() % 4);
                std::vector<M_BYTE> group(4, 0);
                std::vector<M_BYTE> records = ItemRecords(g * 32, ops.byte());
                group.insert(group.end(), records.begin(), records.end());
                CObjectManager::SetItemTileData(512 + g, group.data(), int(group.size()));
                break;
            }
        }
    }
    tw::fuzz::StopWorld();
    return 0;
}
