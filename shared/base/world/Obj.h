// The world object classes: everything drawn in a map cell is a CDrawItem,
// and everything the map or the server puts into the world is a CObj built on
// it.
//
//   CDrawItem            draw-list state, guard word, cell and height
//     CTerrain, CTexTerr land cells (world/Terrain.h), from their pools
//     CObj               a map static, from the static pool
//       CMultiTargetObj  one part of a multi shown while it is placed
//       CDynamicObj      an object the server names by serial (dynamic pool)
//         CItemObj       an item with map pins
//         CContainerObj  an item that holds other objects
//           CCorpse      a dead body
//           CMobile      a creature or character (world/Mobile.h)
//             CPlayer    the player's own character
//
// Type tests are the virtual queries below, never run-time type information.
// An object is in exactly one place: the void, the world, a container's
// contents or a mobile's equipment, and every move passes through the void
// (ToWorld, ToContainer, ToEquipped, ToVoid; placement is in Placement.cpp).
// The draw-list operations (AddToDrawList, RemoveFromDrawList, Invalidate)
// and the drawing slots belong to the world view: the members here hand
// them on to its installed draw lists (world/ViewHooks.h).  The gumps an
// object owns are opaque here; what the object asks of them goes through
// world/GumpHooks.h, and its texts are the ObjectText chain of
// world/ObjectText.h.
//
// Ownership: the object manager owns every dynamic object through its master
// list and deletes it through Release; pooled objects go back to their pool
// and are never destroyed, so their guard word stays valid.
#pragma once

#include "MemoryManager.h"
#include "TWTypes.h"
#include "resources/SkipDraw.h"
#include "world/Coords.h"
#include "world/ObjectText.h"

class CGump;
class CContainerObj;
class CMobile;
class MultiComponentList;

// Graphics with placement rules of their own.  Containers that keep their
// contents sorted: a vendor's stock by x (the vendor's shop gumps show it),
// one container by y, two by amount.
constexpr int VENDOR_STOCK_CONTAINER = 11000;
// The spell scrolls: graphics a spellbook takes (with a second range, see
// IsGraphicInSetB) and that ask for a target when used.
constexpr int FIRST_SPELL_SCROLL = 3827;
constexpr int LAST_SPELL_SCROLL = 3833;
constexpr int Y_SORTED_CONTAINER = 4006;
constexpr int AMOUNT_SORTED_CONTAINER_A = 3834;
constexpr int AMOUNT_SORTED_CONTAINER_B = 3643;
// Objects shown in a container by a gump art of their own: graphics
// 13700..13729 show gump art (graphic - 11369).
constexpr int FIRST_GUMP_ART_OBJ = 13700;
constexpr int LAST_GUMP_ART_OBJ = 13729;
constexpr int GUMP_ART_OBJ_BASE = 11369;
// One land cell of the map as the map code hands it over (world view).
struct TerrainLocation;

// Anything placed in a cell's draw list.
class CDrawItem {
public:
    CDrawItem();
    virtual ~CDrawItem();
    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;

    // Slot 1: gives the item up (back to its pool, or deleted).
    virtual void Release();
    // Files the item into, or takes it out of, the sorted list of its cell
    // (world view).
    virtual void AddToDrawList();
    virtual void RemoveFromDrawList();
    virtual BOOL IsObj() { return FALSE; }
    virtual BOOL IsTerrain() { return FALSE; }
    virtual BOOL IsTexTerr() { return FALSE; }
    virtual BOOL IsMobile() { return FALSE; }
    virtual BOOL IsPlayer() { return FALSE; }
    virtual BOOL IsDynamic() { return TRUE; }
    virtual BOOL IsContainer() { return FALSE; }
    virtual BOOL IsMissile() { return FALSE; }
    virtual BOOL IsBigMobComponent() { return FALSE; }
    // TRUE while the view leaves the item undrawn.
    virtual BOOL IsCutAway() { return !inList; }
    virtual M_DWORD GetTileFlags() { return 0; }
    // Height rules of walking.
    virtual int GetStandZ() { return z; }
    virtual int GetLowZ() { return z; }
    virtual int GetZToward(int direction) {
        (void)direction;
        return z;
    }
    // Takes an object out of where it is; draw items that are not objects
    // never leave the world this way.
    virtual void ToVoid();

    // Marks the item's screen rectangle dirty (world view).
    void Invalidate();
    // Sets up a land cell taken from a pool (world view).
    void SetTileAndLocation(int tile, const TerrainLocation* where);

    M_DWORD validation = MemoryManager::VALID_OBJECT_BIT_PATTERN;
    // The draw-list state of the world view: the item's screen rectangle,
    // its neighbours in the cell's list and its sort data.
    RECT rect = {0, 0, 0, 0};
    CDrawItem* next = nullptr;
    CDrawItem* prev = nullptr;
    BOOL inList = FALSE;
    short locX = -1;
    short locY = -1;
    short z = 0;
    int screenColumn = 0;
    int screenRow = 0;
    int drawKey = 0;
};

// Set while a gump destroys its children and while the program shuts down
// (the gump framework's teardown flag): the destructors of world objects
// then skip their own clean-up of lists and gumps.
extern BOOL g_gumpTeardown;

// One map pin of an item's map.
struct MapPin {
    M_WORD x;
    M_WORD y;
    MapPin* next;
};

// A static object of the map, and the base of every object.
class CObj : public CDrawItem {
public:
    CObj();
    ~CObj() override;

    void Release() override;
    BOOL IsObj() override { return TRUE; }
    BOOL IsDynamic() override { return FALSE; }
    M_DWORD GetTileFlags() override;
    void ToVoid() override;

    virtual BOOL IsCorpse() { return FALSE; }
    virtual BOOL IsEquipped() { return FALSE; }
    virtual BOOL IsMovable() { return FALSE; }
    virtual BOOL IsItemObj() { return FALSE; }
    virtual BOOL SortsByAmount() { return FALSE; }
    virtual BOOL IsMultiComp() { return (flags & 1) != 0; }
    virtual void SetMultiComp() { flags |= 1; }
    virtual int GetHeight();
    // The top: z plus the height (half of it for a stair or bridge tile).
    int GetStandZ() override;
    virtual int GetLightId();
    virtual SkipImage GetArt();
    // The static-art id GetArt fetches, or -1 when the object has none.
    int GetArtId();
    // A stack of a stackable tile is drawn twice, offset.
    virtual BOOL IsDrawnDoubled();
    // Graphics whose art shows the amount.
    virtual BOOL IsAmountArt();
    // The cell that range is measured from, and how far a multi there
    // widens the range: an object's own cell; a held object's top-level
    // holder; a mobile's last queued cell (Actions.cpp).
    virtual void GetRangeCell(int* x, int* y, int* widening) {
        *x = locX;
        *y = locY;
        *widening = 0;
    }

    // Placing (Placement.cpp).  Each requires the object to be in the void.
    // The player only ever goes to the world: a container or a wearer would
    // release it with itself.
    void ToWorld(Coords where);
    void ToContainer(CContainerObj* container, Coords where);
    void ToContainerSortX(CContainerObj* container, Coords where);
    void ToContainerSortY(CContainerObj* container, Coords where);
    void ToContainerSortQty(CContainerObj* container, Coords where);
    // Layers 0..29; any other layer is refused with a log line and the
    // object stays in the void.
    void ToEquipped(CMobile* mobile, int layer);

    // The tile name, plural for a stack of a stackable tile.
    const char* GetDisplayName();
    // The item tile of objectType + increment.
    int TileIndex() const { return objectType + increment; }
    // Back to the state of a new object (the constructor's and the pools').
    void ResetObj();
    // Takes a multi part out of the multi-component list.
    void LeaveMultiCompList();
    // Deletes every attached text gump.
    void DeleteTextGumps();

    M_WORD objectType = 0;  // the graphic, 14 bits
    M_BYTE increment = 0;   // added to objectType to index the item tiles
    M_WORD amount = 0;
    M_WORD hue = 0;
    // The world list or the holding container's contents list (also the
    // static pool's free-list link).
    CObj* worldNext = nullptr;
    CObj* worldPrev = nullptr;
    CObj* lightNext = nullptr;
    CObj* lightPrev = nullptr;
    M_BYTE inLightList = 0;
    CObj* nextAnimated = nullptr;
    CObj* prevAnimated = nullptr;
    CObj* roofNext = nullptr;
    CObj* roofPrev = nullptr;
    CObj* multiNext = nullptr;
    CObj* multiPrev = nullptr;
    // The texts shown over the object, newest first.
    ObjectText* textGumps = nullptr;
    M_BYTE inVoid = 1;
    M_BYTE direction = 0;
    // The graphic offset of the current animation frame (world view).
    int frameOffset = 0;
    M_BYTE flags = 0;  // bit 0: in the multi-component list

protected:
    // Takes the object out of the animated-item, light-source and roof lists.
    void LeaveSpecialLists();
    // Unlinks from the world list or the holder's contents list.
    void UnlinkPlace();
};

// One part of a multi shown at the target cursor while the player places it.
class CMultiTargetObj : public CObj {
public:
    // Links itself at the head of the multi-preview list and goes to the
    // world at (x, y) on the placement height.
    CMultiTargetObj(int graphic, int x, int y);
    ~CMultiTargetObj() override;
    void Release() override { delete this; }

    // The height the next preview object is made at (set by the preview).
    static int placementZ;
    CMultiTargetObj* nextPreview = nullptr;
    CMultiTargetObj* prevPreview = nullptr;
};

// An object the server names by serial.
class CDynamicObj : public CObj {
public:
    // Only the dynamic pool builds plain dynamic objects.
    CDynamicObj();
    ~CDynamicObj() override;

    void Release() override;
    BOOL IsDynamic() override { return TRUE; }
    void ToVoid() override;
    BOOL IsEquipped() override;
    BOOL IsMovable() override;
    void GetRangeCell(int* x, int* y, int* widening) override;
    // The gump that using the object brings to the front instead of asking
    // the server (an item's open gump), or null.
    virtual CGump* GetUseGump() { return nullptr; }

    M_DWORD GetSerial() const { return serial_; }
    // The serial may change only through here: the object manager finds
    // objects by serial through an index.
    void SetSerial(M_DWORD serial);

    // Map pins (only an item object keeps them): 1 appends, 2 inserts before
    // index, 3 moves the pin at index, 4 removes it, 5 removes all.
    void EditMapPins(int command, int index, int x, int y);

    // Texts over the object.
    void AddOverheadText(const char* text, int hue, int font, CGump* ownerGump, int value);
    void ReplaceOverheadText(const char* text, int hue, int font, CGump* ownerGump);
    void ClearOverheadText();
    void ArrangeOverheadText();
    void SaveOverheadText();

    // The holder's top-level object: the object itself when it is not held.
    CDynamicObj* TopLevel();

    CContainerObj* containedBy = nullptr;
    CDynamicObj* masterNext = nullptr;
    CDynamicObj* masterPrev = nullptr;
    // The object's own gump and two further gumps (gump framework).
    CGump* gump = nullptr;
    CGump* gump2 = nullptr;
    CGump* gump3 = nullptr;
    MultiComponentList* multi = nullptr;
    M_BYTE statusFlags = 0;
    M_BYTE eqPos = 0;
    int personalLight = 0;
    M_BYTE* ownedBuffer = nullptr;  // new[]; released with the object
    int spare = 0;

    // The dynamic pool's set-up of an object it hands out: the dynamic part
    // cleared, the serial given, linked at the head of the master list.
    void ResetDynamic(M_DWORD serial);

protected:
    CDynamicObj(M_DWORD serial, int graphic, int increment);
    void LinkMaster();
    void UnlinkMaster();
    // What Release and the destructor share before the object goes.
    void ForgetReferences();

private:
    M_DWORD serial_ = 0;
    BOOL linked_ = FALSE;  // in the master list (and the serial index)
};

// An item object: its map pins.
class CItemObj : public CDynamicObj {
public:
    CItemObj(M_DWORD serial, int graphic, int increment, BOOL link);
    ~CItemObj() override;
    void Release() override { delete this; }
    BOOL IsItemObj() override { return TRUE; }
    CGump* GetUseGump() override { return pinGump; }

    void EditPins(int command, int index, int x, int y);
    void FreePins();

    MapPin* pins = nullptr;
    int pinCount = 0;
    CGump* pinGump = nullptr;  // deleted with the object
};

// An item that holds other objects.
class CContainerObj : public CDynamicObj {
public:
    CContainerObj(M_DWORD serial, int graphic, int increment, BOOL link);
    ~CContainerObj() override;
    void Release() override { delete this; }
    BOOL IsContainer() override { return TRUE; }
    // The holder as the mobile that wears what it holds, or null for a
    // container, whose objects lie in its contents.
    virtual CMobile* AsWearer() { return nullptr; }
    BOOL SortsByAmount() override {
        return objectType == AMOUNT_SORTED_CONTAINER_A || objectType == AMOUNT_SORTED_CONTAINER_B;
    }

    // Releases every object of the contents, first child first.
    void ReleaseContents();

    CObj* firstChild = nullptr;
    CGump* containerGump = nullptr;
    CDrawItem* bigMobComponents = nullptr;
    int cellShift = 0;
};

constexpr int CORPSE_OBJ = 8198;

// A dead body: a container with the serials of what its body wore.
class CCorpse : public CContainerObj {
public:
    static constexpr int LAYERS = 26;

    CCorpse(M_DWORD serial, int theType);
    ~CCorpse() override;
    BOOL IsCorpse() override { return TRUE; }
    M_DWORD GetTileFlags() override { return 0; }
    int GetHeight() override { return 6; }

    // Stores the serial of the item worn on a layer; layers outside 0..25
    // are refused with a log line.
    BOOL SetLayerSerial(int layer, M_DWORD serial);

    M_DWORD equippedSerial[LAYERS] = {};
};

// The pools.  Statics and land cells come and go by the thousand; their
// blocks are never returned.
CObj* NewStaticObj(int graphic);
CDynamicObj* NewDynamicObj(M_DWORD serial, int graphic, int increment);

// Pool figures for tests and the memory report.
struct PoolCounts {
    int inUse;
    int total;
};
PoolCounts StaticPoolCounts();
PoolCounts DynamicPoolCounts();
PoolCounts TerrainPoolCounts();
PoolCounts TexTerrPoolCounts();
