// A recording double of the world view as the world model and the resources
// reach it (world/ViewHooks.h) and the data-file cache tells it of changed
// art (resources/PatchOwners.h): the draw lists, the map, the light, the
// circle of transparency and the play area.  Tile-data patches go on to the
// real object manager.  It installs
// itself for all of them while it lives; a test (or its fixture) holds one.
//
// The draw lists are kept, one per cell: land at the bottom, above it the
// other items by z, the highest first; of equal ones the one filed first is
// higher.  The map is flat land of tile 0 unless a test gives corner heights
// and land tiles by cell.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Service.h"
#include "resources/PatchOwners.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Terrain.h"
#include "world/ViewHooks.h"

namespace tw::doubles {

class RecordingWorldView final : public DrawLists,
                                 public MapAccess,
                                 public ViewLight,
                                 public CircleOfTransparency,
                                 public PlayArea,
                                 public PatchOwners {
public:
    // Filing, invalidation and set-up of items in one log: "add", "remove",
    // "invalidate", "lights", "setup", "normals" with the item's address.
    struct ObjEvent {
        std::string what;
        const CDrawItem* item;
    };
    std::vector<ObjEvent> objEvents;
    // How many events of a kind an item had.
    int CountObjEvents(const std::string& what, const CDrawItem* item) const {
        int n = 0;
        for (const ObjEvent& e : objEvents)
            if (e.what == what && e.item == item) ++n;
        return n;
    }
    // The draw list of a cell, top first.
    std::vector<CDrawItem*> CellItems(int x, int y) {
        std::vector<CDrawItem*> items;
        for (CDrawItem* i = GetTopItemAt(x, y); i; i = i->next) items.push_back(i);
        return items;
    }

    // The draw manager's refreshes, roof cut-away and animation table.
    std::vector<int> invalidatedTerrainTiles;
    std::vector<int> resortedItemTiles;
    int roofCutUpdates = 0;
    BOOL heightCut = FALSE;
    CDrawItem* itemAtScreenPoint = nullptr;  // what GetItemAtScreenPoint answers
    struct AnimationTable {
        std::vector<CMobile*> started;
        std::vector<CMobile*> stopped;
        int clears = 0;
        // When set, StopMobileAnimation releases the mobile (a negative
        // repeat count ending) and answers 1.
        bool stopDeletes = false;
    } animations;

    // The map: corner heights and land tiles by cell, what LineOfSight
    // answers with every line asked for, and the centre with its calls
    // ("SetCenter x y z map", "ShiftCenter dx dy z").
    std::map<std::pair<int, int>, std::array<signed char, 4>> corners;
    std::map<std::pair<int, int>, int> landTiles;
    int lineOfSight = 1;
    struct Line {
        Coords from;
        Coords to;
        int limit;
    };
    std::vector<Line> lines;
    std::vector<std::string> centerCalls;
    int centerX = 0;
    int centerY = 0;
    int centerZ = 0;
    int mapNumber = 0;

    // The light module.
    std::vector<const CObj*> invalidatedLights;
    std::vector<std::pair<int, int>> viewScrolls;
    int personalLight = 0;

    // The circle of transparency: every item has an entry, its own address
    // standing for it; the items asked for and the entries dropped.
    std::vector<const void*> circleFound;
    std::vector<const void*> circleRemoved;

    // The play area.
    int invalidateScreenCalls = 0;
    int relinkCalls = 0;
    const CObj* pointerObject = nullptr;
    BOOL criminalWarning = TRUE;
    std::vector<CObj*> mobilesOnScreen;
    std::vector<CObj*> corpsesOnScreen;

    // DrawLists.
    void AddToDrawList(CDrawItem* item) override {
        objEvents.push_back({"add", item});
        File(item);
        item->inList = TRUE;
    }
    void RemoveFromDrawList(CDrawItem* item) override {
        objEvents.push_back({"remove", item});
        Unfile(item);
        item->inList = FALSE;
    }
    void AddMobileToDrawList(CMobile* mobile) override {
        AddToDrawList(mobile);
        mobile->PlayFootstepSound();
    }
    void RemoveMobileFromDrawList(CMobile* mobile) override {
        if (mobile->inList) RemoveFromDrawList(mobile);
    }
    void Invalidate(CDrawItem* item) override { objEvents.push_back({"invalidate", item}); }
    void SetTileAndLocation(CDrawItem* item, int, const TerrainLocation*) override {
        objEvents.push_back({"setup", item});
    }
    void CalcNormals(CTexTerr* cell, const signed char*) override {
        objEvents.push_back({"normals", cell});
    }
    CDrawItem* GetTopItemAt(int x, int y) override {
        auto it = heads_.find({x, y});
        return it == heads_.end() ? nullptr : it->second;
    }
    CDrawItem* GetItemAtScreenPoint(int, int, BOOL) override { return itemAtScreenPoint; }
    // DrawLists and PatchOwners alike.
    void ResortItemsOfTile(int itemId) override { resortedItemTiles.push_back(itemId); }
    void InvalidateTerrainOfTile(int landId) override { invalidatedTerrainTiles.push_back(landId); }
    void PatchTileDataGroup(int group, const M_BYTE* records, int length) override {
        CObjectManager::PatchTileDataGroup(group, records, length);
    }
    void UpdateRoofCut() override { ++roofCutUpdates; }
    BOOL IsHeightCut() override { return heightCut; }
    void ClearMobileAnimations() override { ++animations.clears; }
    void StartMobileAnimation(CMobile* mobile) override { animations.started.push_back(mobile); }
    int StopMobileAnimation(CMobile* mobile) override {
        animations.stopped.push_back(mobile);
        if (!animations.stopDeletes) return 0;
        mobile->Release();
        return 1;
    }

    // MapAccess.
    int GetDistance(Coords location, int x, int y) override {
        if ((location.x >= 5120) != (x >= 5120)) return 9999;
        return std::max(std::abs(location.x - x), std::abs(location.y - y));
    }
    int GetMapWidth() override { return 6144; }
    void GetLandCornerZ(int x, int y, signed char out[4]) override {
        auto it = corners.find({x, y});
        for (int i = 0; i < 4; ++i) out[i] = it == corners.end() ? 0 : it->second[i];
    }
    int GetLandTile(int x, int y) override {
        auto it = landTiles.find({x, y});
        return it == landTiles.end() ? 0 : it->second;
    }
    int LineOfSight(Coords from, Coords to, int limit) override {
        lines.push_back({from, to, limit});
        return lineOfSight;
    }
    BOOL CompareCornerDiagonals(const signed char c[4]) override {
        return std::abs(c[0] - c[2]) <= std::abs(c[1] - c[3]);
    }
    void SetCenter(int x, int y, int z, int map) override {
        centerCalls.push_back("SetCenter " + std::to_string(x) + " " + std::to_string(y) + " " +
                              std::to_string(z) + " " + std::to_string(map));
        if (x != -1) {
            centerX = x;
            centerY = y;
            centerZ = z;
        }
        mapNumber = map;
    }
    void ShiftCenter(int dx, int dy, int z) override {
        centerCalls.push_back("ShiftCenter " + std::to_string(dx) + " " + std::to_string(dy) + " " +
                              std::to_string(z));
        centerX += dx;
        centerY += dy;
        centerZ = z;
    }
    int GetCenterX() override { return centerX; }
    int GetCenterY() override { return centerY; }
    int GetCenterZ() override { return centerZ; }
    int GetMapNumber() override { return mapNumber; }

    // ViewLight.
    void InvalidateObjectLight(CObj* object) override { invalidatedLights.push_back(object); }
    void InvalidateEquipmentLights(CMobile* mobile) override {
        objEvents.push_back({"lights", mobile});
    }
    void AddPersonalLight(int change) override { personalLight += change; }
    void ScrollView(int dx, int dy) override { viewScrolls.emplace_back(dx, dy); }

    // CircleOfTransparency.
    CCircleTransEntry* FindEntry(const CDrawItem* item) override {
        circleFound.push_back(item);
        return reinterpret_cast<CCircleTransEntry*>(const_cast<CDrawItem*>(item));
    }
    void RemoveEntry(CCircleTransEntry* entry) override { circleRemoved.push_back(entry); }

    // PlayArea.
    void InvalidateScreen() override { ++invalidateScreenCalls; }
    int GetMobilesOnScreen(CObj** out, int max) override { return Copy(mobilesOnScreen, out, max); }
    int GetCorpsesOnScreen(CObj** out, int max) override { return Copy(corpsesOnScreen, out, max); }
    void ForgetPointerObject(const CObj* object) override {
        if (pointerObject == object) pointerObject = nullptr;
    }
    void ClearCriminalWarning() override { criminalWarning = FALSE; }
    void RelinkPathBackPointers() override { ++relinkCalls; }

private:
    using Cell = std::pair<int, int>;

    static int Height(CDrawItem* item) { return item->IsTerrain() ? -100000 : item->z; }

    void Unfile(CDrawItem* item) {
        auto at = filedAt_.find(item);
        if (at == filedAt_.end()) return;
        if (item->prev)
            item->prev->next = item->next;
        else
            heads_[at->second] = item->next;
        if (item->next) item->next->prev = item->prev;
        item->next = item->prev = nullptr;
        filedAt_.erase(at);
    }

    // Where each listed item was filed: its location may change while it is
    // listed.
    void File(CDrawItem* item) {
        Unfile(item);
        const Cell cell{item->locX, item->locY};
        CDrawItem* above = nullptr;
        CDrawItem* below = heads_[cell];
        while (below && Height(below) >= Height(item)) {
            above = below;
            below = below->next;
        }
        item->prev = above;
        item->next = below;
        if (above)
            above->next = item;
        else
            heads_[cell] = item;
        if (below) below->prev = item;
        filedAt_[item] = cell;
    }

    static int Copy(const std::vector<CObj*>& from, CObj** out, int max) {
        int n = 0;
        for (CObj* object : from) {
            if (n >= max) break;
            out[n++] = object;
        }
        return n;
    }

    std::map<Cell, CDrawItem*> heads_;
    std::map<const CDrawItem*, Cell> filedAt_;

    tw::ScopedService<DrawLists> drawLists_{this};
    tw::ScopedService<MapAccess> map_{this};
    tw::ScopedService<ViewLight> light_{this};
    tw::ScopedService<CircleOfTransparency> circle_{this};
    tw::ScopedService<PlayArea> playArea_{this};
    tw::ScopedService<PatchOwners> patchOwners_{this};
};

}  // namespace tw::doubles
