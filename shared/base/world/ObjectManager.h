// The world model.
//
// This folder owns every object round the player: the class tree (Obj.h,
// Terrain.h, Mobile.h) and CObjectManager, the single static owner of the
// shared state: the item and terrain tile tables of "tiledata.mul", the
// player object, the master lists of dynamic objects and mobiles, the world
// list of placed objects with the light-source, roof, animated-item and
// multi-component lists derived from it, the held-item record and the linked
// pairs of dying mobiles and their corpses.
//
// Neighbours: server-message handlers call the lookups and the placing
// operations here; objects file themselves into the world view's draw lists
// (view/) and tell open gumps (gumps/, dialogs/, comm/) about changes; the
// walk queue, path finding and multis (MoveManager, PathManager,
// MultiManager) are called where the placing and the per-frame movement need
// them.
//
// Lifetimes: the tile tables live from startup to shutdown; every object and
// list lives for the world and is released when the game is left
// (ReleaseAllObjects).  Main thread only.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"
#include "world/Coords.h"

class CObj;
class CDynamicObj;
class CContainerObj;
class CMobile;
class CPlayer;
class CMultiTargetObj;
class CGump;

constexpr int TILE_COUNT = 16384;
constexpr int TILE_GROUPS = 512;
constexpr int TILES_PER_GROUP = 32;

// Item tile flags read by the world model.
constexpr M_DWORD TILE_STACKABLE = 0x800;
constexpr M_DWORD TILE_ARTICLE_MASK = 0xC000;
constexpr M_DWORD TILE_ROOF = 0x20000;
constexpr M_DWORD TILE_ITEM_OBJ = 0x100000;
constexpr M_DWORD TILE_CONTAINER = 0x200000;
constexpr M_DWORD TILE_LIGHT = 0x800000;
constexpr M_DWORD TILE_ANIMATED = 0x01000000;

// One item tile of "tiledata.mul".
struct ItemTileData {
    M_DWORD flags;
    M_BYTE fieldA;  // below 91: movable
    M_BYTE fieldB;
    M_DWORD field32;  // low half: the amount of a map static
    M_WORD fieldC;
    M_WORD fieldD;  // the hue of a map static
    M_WORD light;
    M_BYTE height;
    char name[21];  // 20 on file, always terminated here
};

// One land tile of "tiledata.mul".
struct TerrainTileData {
    M_DWORD flags;
    M_WORD texture;
    char name[21];
};

// A mobile that dies and the corpse it is linked to.
struct LinkedPair {
    M_DWORD first;   // the corpse's serial
    M_DWORD second;  // the mobile's serial with bit 31 set
    int direction;   // the mobile's direction when the pair was made
    int flag;
};

// The object the user holds.  Holders are kept by serial: the server may
// delete them while the item is in the hand.
struct HeldObject {
    short x = 0;
    short y = 0;
    short z = 0;
    M_WORD graphic = 0;
    M_BYTE increment = 0;
    M_DWORD serial = 0;
    M_WORD hue = 0;
    M_WORD amount = 0;
    M_BYTE flags = 0;
    M_DWORD tileFlags = 0;
    M_DWORD containerSerial = 0;  // 0: not from a container
    M_DWORD mobileSerial = 0;     // 0: not worn
    int layer = 0;
};

// An overhead text kept while its object is deleted and sent again.
struct SavedOverheadText {
    M_DWORD serial;
    int age;
    std::string text;
    M_WORD hue;
    M_WORD font;
    int value1;
    int value2;
};

// The player's character, null outside the game.
extern CPlayer* pPlayerObject;

class CObjectManager {
public:
    static void startup();
    static void shutdown();
    // Reads "tiledata.mul" into the tables; a missing file leaves them zero.
    static void LoadTileData();

    // The tile records; an index outside the tables reads an all-zero record.
    static const ItemTileData& ItemTile(int tile);
    static const TerrainTileData& TerrainTile(int tile);
    // Replace one group of 32 records in memory and in "tiledata.mul" (the
    // bytes are the group as stored in the file: a 4-byte header, then the
    // records).  Item groups are 512..1023, terrain groups 0..511; any other
    // group, or too few bytes, is refused.
    static void SetItemTileData(int group, const M_BYTE* data, int length);
    static void SetTerrTileData(int group, const M_BYTE* data, int length);
    // A version patch of 32 records (no header) in memory only: groups
    // 0..511 land, 512..1023 items.
    static void PatchTileDataGroup(int group, const M_BYTE* records, int length);

    // The item tile's name with its article, or its plural; the text lives
    // in a static buffer until the next call.
    static const char* GetTileName(int tile, BOOL plural);
    // The article and name of the land tile at a map cell.
    static const char* GetTerrainName(int x, int y);
    // Shows the name of a map static over it (a single click).
    static void ShowName(CObj* object);

    static BOOL IsItemObjTile(int tile);
    static BOOL IsContainerTile(int tile);
    static BOOL StubTrue() { return TRUE; }

    // Look-ups.  FindObject asks the player first, then the master list.
    static CDynamicObj* FindObject(M_DWORD serial);
    // The first placed object on the cell whose height range holds z.
    static CObj* FindObjectAt(Coords cell, int z);
    // Mode 0: the first placed object on the cell; otherwise the last
    // movable dynamic object on it.
    static CObj* GetObjectAtCell(int x, int y, int mode);
    static CObj* GetObjAtScreenLoc(int x, int y);

    // Server messages that place objects (Placement.cpp, Links.cpp).
    static void HandleMove(M_DWORD serial, int graphic, int increment, int amount, int x, int y,
                           int z, int direction, int hue, int statusFlags);
    static void HandleAddToContainer(M_DWORD serial, int graphic, int increment, int amount, int x,
                                     int y, M_DWORD containerSerial, int hue);
    static void AddLink(CMobile* mobile, M_DWORD corpseSerial, int flag);
    static void RemoveLink(M_DWORD first, M_DWORD second, BOOL keep);
    static BOOL IsLinked(M_DWORD first, M_DWORD second);
    static CDynamicObj* GetLinkedObject(M_DWORD mobileSerial);

    // The player's range and reach.
    static BOOL IsInRange(CObj* object, int range);
    static BOOL CanReachObject(CDynamicObj* object);
    // Picks an object up, uses it, sets the player's personal light.
    static void GetObject(CDynamicObj* object, int amount);
    static void UseObject(CDynamicObj* object);
    static void SetPlayerLight(CDynamicObj* object, int level);

    // Overhead texts that survive their object's re-creation.
    static void RestoreOverheadText(CDynamicObj* object);
    static void AgeRecentList();
    static void ClearRecentList();

    // Once per frame: moves the mobiles, places and removes multi parts, and
    // releases what left the player's surroundings.
    static void UpdateMovement();
    // Releases every object when the game is left.
    static void ReleaseAllObjects();
    // Links a static part of a multi into the multi-component list.
    static void AddMultiComp(CObj* object);

    // Lists.  Heads (and tails) of the object lists; the links live in the
    // objects.
    static CDynamicObj* masterDynamicObjectList;
    static CDynamicObj* masterDynamicObjectTail;
    static CMobile* masterMobileList;
    static CObj* worldList;
    static CObj* worldTail;
    static CObj* lightList;
    static CObj* lightTail;
    static CObj* roofList;
    static CObj* roofTail;
    static CObj* animatedItemList;
    static CObj* multiCompList;
    static CObj* multiCompTail;
    static CMultiTargetObj* multiPreviewList;

    static ItemTileData* itemTiles;
    static TerrainTileData* terrainTiles;
    static int itemTileCount;
    static int terrainTileCount;
    static int mobileCount;

    static HeldObject held;
    static BOOL holdingItem;
    static CGump* dragGump;
    static std::vector<LinkedPair> linkedPairs;
    static std::vector<SavedOverheadText> recentTexts;
    // The last object used (read by the macros).
    static M_DWORD lastUsedSerial;
    static int lastUsedType;

    // Test support: every object released, the lists and tables emptied,
    // the pools returned.
    static void reset();
};

// The ground height of a cell.
int GetGroundZ(int x, int y);

// The hue word as it is stored in an object.
M_WORD NormalizeHue(M_WORD hue);

// Graphic sets of the world view and the drag code.
BOOL IsAmountArtGraphic(int graphic);
BOOL IsGraphicInSetB(int graphic);
BOOL IsGraphicInSetC(int graphic);
BOOL IsGraphicInSetD(int graphic);
BOOL IsObjectInSetC(CObj* object);
BOOL IsObjectInSetD(CObj* object);
BOOL IsBody80Or81(int body);
// Graphics that give light whatever their tile flags.
BOOL IsLightGraphic(int graphic);

// TRUE when the object is the container or lies in it at any depth.
BOOL IsContainedIn(CObj* container, CObj* object);
// TRUE when the holder is somewhere in the object's chain of holders.
BOOL IsHeldBy(CObj* object, CObj* holder);
