// The four pools: map statics, dynamic objects and the two kinds of land
// cell.  Each hands out the elements of whole blocks and takes released ones
// back on a free list; blocks are never returned while the client runs, so
// a released object keeps its guard word and passes the pointer check.
#include <new>
#include <type_traits>
#include <vector>

#include "resources/ArtRemap.h"
#include "world/ObjectManager.h"
#include "world/Terrain.h"
#include "world/WorldInternal.h"

BOOL inNewStaticObj = FALSE;
BOOL inNewDynamicObj = FALSE;
BOOL inNewTerrain = FALSE;
BOOL inNewTexTerr = FALSE;

namespace {

// Link is the member that holds the free-list link while the element is
// free: the first world link of a static, the master-list link of a dynamic
// object, the cell-list link of a land cell.
template <typename T, int N, typename Link>
class Pool {
public:
    Pool(BOOL* building, const char* allocator) : building_(building), allocator_(allocator) {}

    T* Take() {
        T* item = free_;
        if (item) {
            free_ = Link::Get(item);
            Link::Set(item, nullptr);
        } else {
            item = Grow();
        }
        ++inUse;
        return item;
    }

    void Give(T* item) {
        --inUse;
        Link::Set(item, free_);
        free_ = item;
    }

    // Frees every block.  The elements are torn down without their list
    // clean-up: the lists they were in are emptied by the caller.
    void Reset() {
        const BOOL savedTeardown = g_gumpTeardown;
        g_gumpTeardown = TRUE;
        for (T* block : blocks_) {
            for (int i = 0; i < N; ++i) {
                block[i].inList = FALSE;
                if constexpr (std::is_base_of_v<CObj, T>) block[i].DeleteTextGumps();
            }
            delete[] block;
        }
        g_gumpTeardown = savedTeardown;
        blocks_.clear();
        free_ = nullptr;
        inUse = 0;
        total = 0;
    }

    int inUse = 0;
    int total = 0;

private:
    T* Grow() {
        *building_ = TRUE;
        T* block = new (std::nothrow) T[N];
        *building_ = FALSE;
        if (!block) TWReport::fatal("%s: out of memory.\n", allocator_);
        blocks_.push_back(block);
        total += N;
        // The rest of the block goes out in address order.
        for (int i = N - 1; i >= 1; --i) {
            if (!WorldPointerOk(&block[i]))
                TWReport::error(
                    "%s: either pointer '&(p[i])' is not valid, or the data it points to is not "
                    "valid. the program may crash!\n",
                    allocator_);
            Link::Set(&block[i], free_);
            free_ = &block[i];
        }
        return &block[0];
    }

    BOOL* building_;
    const char* allocator_;
    T* free_ = nullptr;
    std::vector<T*> blocks_;
};

struct StaticLink {
    static CObj* Get(CObj* o) { return o->worldNext; }
    static void Set(CObj* o, CObj* v) { o->worldNext = v; }
};
struct DynamicLink {
    static CDynamicObj* Get(CDynamicObj* o) { return o->masterNext; }
    static void Set(CDynamicObj* o, CDynamicObj* v) { o->masterNext = v; }
};
template <typename T>
struct CellLink {
    static T* Get(T* o) { return static_cast<T*>(o->next); }
    static void Set(T* o, T* v) { o->next = v; }
};

Pool<CObj, 512, StaticLink> staticPool(&inNewStaticObj, "NewStaticObj");
Pool<CDynamicObj, 64, DynamicLink> dynamicPool(&inNewDynamicObj, "NewDynamicObj");
Pool<CTerrain, 128, CellLink<CTerrain>> terrainPool(&inNewTerrain, "NewTerrain");
Pool<CTexTerr, 128, CellLink<CTexTerr>> texTerrPool(&inNewTexTerr, "NewTexTerr");

}  // namespace

CObj* NewStaticObj(int graphic) {
    CObj* obj = staticPool.Take();
    obj->ResetObj();
    obj->objectType = static_cast<M_WORD>(RemapStaticIdByVariant(graphic) & 0x3FFF);
    const ItemTileData& tile = CObjectManager::ItemTile(obj->objectType);
    obj->amount = static_cast<M_WORD>(tile.field32 & 0xFFFF);
    obj->hue = tile.fieldD;
    return obj;
}

CDynamicObj* NewDynamicObj(M_DWORD serial, int graphic, int increment) {
    CDynamicObj* obj = dynamicPool.Take();
    // A recycled object keeps nothing of its last use: a stale amount or hue
    // would show on the new object.
    obj->ResetObj();
    obj->ResetDynamic(serial);
    obj->objectType = static_cast<M_WORD>(graphic & 0x3FFF);
    obj->increment = static_cast<M_BYTE>(increment);
    return obj;
}

void ReturnStaticObj(CObj* object) {
    staticPool.Give(object);
}

void ReturnDynamicObj(CDynamicObj* object) {
    dynamicPool.Give(object);
}

CTerrain::CTerrain() {
    WORLD_ASSERT(inNewTerrain, "CTerrain::CTerrain()");
}

CTerrain::~CTerrain() = default;

void CTerrain::Release() {
    if (inList) RemoveFromDrawList();
    terrainPool.Give(this);
}

CTexTerr::CTexTerr() {
    WORLD_ASSERT(inNewTexTerr, "CTexTerr::CTexTerr()");
}

CTexTerr::~CTexTerr() = default;

void CTexTerr::Release() {
    if (inList) RemoveFromDrawList();
    texTerrPool.Give(this);
}

CTerrain* NewTerrain(int tile, const TerrainLocation* where) {
    CTerrain* item = terrainPool.Take();
    item->SetTileAndLocation(tile, where);
    return item;
}

CTexTerr* NewTexTerr(int tile, const TerrainLocation* where, const signed char* corners) {
    CTexTerr* item = texTerrPool.Take();
    item->SetTileAndLocation(tile, where);
    item->CalcNormals(corners);
    return item;
}

PoolCounts StaticPoolCounts() {
    return {staticPool.inUse, staticPool.total};
}
PoolCounts DynamicPoolCounts() {
    return {dynamicPool.inUse, dynamicPool.total};
}
PoolCounts TerrainPoolCounts() {
    return {terrainPool.inUse, terrainPool.total};
}
PoolCounts TexTerrPoolCounts() {
    return {texTerrPool.inUse, texTerrPool.total};
}

void ResetPools() {
    staticPool.Reset();
    dynamicPool.Reset();
    terrainPool.Reset();
    texTerrPool.Reset();
}
