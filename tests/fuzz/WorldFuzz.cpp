// The world-model fuzz targets' set-up, and silent stand-ins for the
// services above the world model that it calls (draw lists, gumps, dialogs,
// sound, the connection): each does the least the world needs.
#include "fuzz/WorldFuzz.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FileManager.h"
#include "Service.h"
#include "app/App.h"
#include "comm/BBGump.h"
#include "comm/BarkGump.h"
#include "comm/UnicodeBarkGump.h"
#include "comm/WordFilter.h"
#include "dialogs/ContainerGump.h"
#include "dialogs/PaperdollGump.h"
#include "dialogs/RadarGump.h"
#include "dialogs/ShopGump.h"
#include "dialogs/StackGump.h"
#include "dialogs/TradeGump.h"
#include "fuzz/FuzzSupport.h"
#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/Sequence.h"
#include "gumps/TextManager.h"
#include "net/ClientSock.h"
#include "resources/GraphicManager.h"
#include "support/doubles/RecordingSound.h"
#include "view/CircleTrans.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/MultiManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/Terrain.h"
#include "world/WeatherManager.h"

namespace tw::fuzz {

void StartWorld(const uint8_t* tiledata, size_t size) {
    EnterScratchDir();
    remove("tiledata.mul");
    if (tiledata) {
        FILE* f = fopen("tiledata.mul", "wb");
        if (f) {
            if (size) fwrite(tiledata, 1, size, f);
            fclose(f);
        }
    }
    FileManager::startup();
    CObjectManager::startup();
    // Sound: the footsteps of walking mobiles are recorded and dropped.
    static tw::doubles::RecordingSound sound;
    sound.played.clear();
    tw::Service<SoundService>::Install(&sound);
}

void StopWorld() {
    CObjectManager::reset();
    CObjectManager::shutdown();
    FileManager::shutdown();
    FileManager::reset();
}

}  // namespace tw::fuzz

// Draw lists: an item keeps its listed flag.
void CDrawItem::AddToDrawList() {
    inList = TRUE;
}
void CDrawItem::RemoveFromDrawList() {
    inList = FALSE;
}
void CDrawItem::Invalidate() {}
void CDrawItem::SetTileAndLocation(int, const TerrainLocation*) {}
void CTexTerr::CalcNormals(const signed char*) {}
void CMobile::AddToDrawList() {
    CDrawItem::AddToDrawList();
    PlayFootstepSound();
}
void CMobile::RemoveFromDrawList() {
    if (inList) CDrawItem::RemoveFromDrawList();
}
void CMobile::InvalidateEquipmentLights() {}
BOOL DrawManager::heightCut = FALSE;
CDrawItem* DrawManager::GetTopItemAt(int, int) {
    return nullptr;
}
void DrawManager::UpdateRoofCut() {}
void DrawManager::ResortItemsOfTile(int) {}
void DrawManager::InvalidateTerrainOfTile(int) {}
CDrawItem* DrawManager::GetItemAtScreenPoint(int, int, BOOL) {
    return nullptr;
}
void ClearMobileAnimations() {}
void StartMobileAnimation(CMobile*) {}
int StopMobileAnimation(CMobile*) {
    return 0;
}
int thelightthingie::personalLight = 0;
void thelightthingie::ScrollView(int, int) {}
void WeatherManager::Scroll(int, int) {}
void InvalidateObjectLight(CObj*) {}
void InvalidateScreen() {}
CObj* g_pointerObject = nullptr;
PathWalk g_pathWalk;
int g_viewOffsetX = 0;
int g_viewOffsetY = 0;
BOOL g_criminalWarning = TRUE;
void RelinkPathBackPointers() {}
CCircleTrans theCircleTrans;
CCircleTransEntry* CCircleTrans::FindEntry(const CDrawItem*) {
    return nullptr;
}
void CCircleTrans::RemoveEntry(CCircleTransEntry*) {}

// The map: flat land, a clear line of sight.
void MapManager::GetLandCornerZ(int, int, signed char corners[4]) {
    for (int i = 0; i < 4; ++i) corners[i] = 0;
}
int MapManager::GetLandTile(int x, int y) {
    return (x * 31 + y) & 0xFFFF;
}
int MapManager::LineOfSight(Coords, Coords, int) {
    return 1;
}
int MapManager::GetDistance(Coords location, int x, int y) {
    return std::max(std::abs(location.x - x), std::abs(location.y - y));
}
int MapManager::GetMapWidth() {
    return 6144;
}
int MapManager::centerX = 0;
int MapManager::centerY = 0;
int MapManager::centerZ = 0;
int MapManager::mapNumber = 0;
void MapManager::SetCenter(int, int, int, int) {}
void MapManager::ShiftCenter(int, int, int) {}
BOOL CompareCornerDiagonals(const signed char corners[4]) {
    return std::abs(corners[0] - corners[2]) <= std::abs(corners[1] - corners[3]);
}

// Gumps: none is ever open (the framework's own globals say so).
void MouseManager::SetCursorType(int) {}
void CGump::BringToFront(CGump*, int) {}
CDragGump::CDragGump() = default;
CDragGump::~CDragGump() = default;
BOOL g_sequencing = FALSE;
CSequence* g_currentSequence = nullptr;
void CSequence::AddPacket(CSequence*, int, const M_BYTE*, int) {}
CGump* CGumpManager::radarGump = nullptr;
CGump* CGumpManager::wornContainerGump = nullptr;
void CGumpManager::ScrollMissiles(int, int) {}
void CGumpManager::UpdateBarkPositions() {}
BOOL MouseManager::IsMouseNearPlayer() {
    return TRUE;
}
CGump* CGumpManager::OpenGump(CObj*, int, CGump*, BOOL) {
    return nullptr;
}
void TextManager::AddSystemMessage(int, int, const char*) {}
void CContainerGump::AddToGump(CObj*) {}
void CContainerGump::AddContents(const RECT&) {}
void CPaperdollGump::Invalidate() {}
void CRadarGump::RenderMap() {}
void CShopGump::RemoveItem(M_DWORD) {}
void CShopGump::RedrawFrame() {}
void CStackGump::CenterAmountSlider() {}
M_DWORD CTradeGump::GetTradeSerial() {
    return 0;
}
// Texts attach to their object, which deletes them.
CBarkGump::CBarkGump(CObj* object, const char*, int, int, CGump*, int v1, int v2)
    : value1(v1), value2(v2) {
    owner = object;
    if (object) {
        nextText = object->textGumps;
        object->textGumps = this;
    }
}
CBarkGump::~CBarkGump() = default;
int CBarkGump::GetKind() {
    return value1 & 1;
}
void CBarkGump::FollowOwner() {}
void CBarkGump::ArrangeStack(CBarkGump*) {}
const char* CBarkGump::GetText() {
    return "text";
}
void CBBGump::RemoveMessage(CGump*) {}
// The speech display of the resources that the speaker record comes with.
CUnicodeBarkGump::CUnicodeBarkGump(CDynamicObj*, const M_WORD*, int, int, const char*, CGump*) {}
CGump* GraphicManager::FindOwnerGump(CObj*) {
    return nullptr;
}
void FilterProfanity(char*) {}
void FilterProfanityUnicode(M_WORD*) {}
void CApp::BeginTarget(const char*, int, int) {}

// No game connection: nothing is sent.  The class's destructors stand here
// too, so that its type information does not bring the real connection.
CClientSock* g_pGameSocket = nullptr;
CSocket::~CSocket() = default;
GroupedPackets::~GroupedPackets() = default;
CClientSock::~CClientSock() = default;
BOOL CClientSock::Write(PDSTRUCT*) {
    return FALSE;
}
