// The class tree: type queries, pools, art ids, map pins and look-ups.
#include <cstdint>

#include "WorldTestSupport.h"
#include "view/DrawManager.h"
#include "world/Terrain.h"

using namespace tw::test;

TEST_F(WorldTest, TypeQueriesAnswerPerClass) {
    tiles.items[10].height = 7;
    tiles.items[10].light = 3;
    StartWorld();
    CMultiTargetObj* preview = new CMultiTargetObj(10, 1, 1);
    CTerrain* land = NewTerrain(3, nullptr);
    CTexTerr* texLand = NewTexTerr(3, nullptr, nullptr);
    struct Row {
        const char* name;
        CDrawItem* item;
        // obj terrain tex mobile player dynamic container
        int q[7];
    } rows[] = {
        {"static", NewStaticObj(10), {1, 0, 0, 0, 0, 0, 0}},
        {"preview", preview, {1, 0, 0, 0, 0, 0, 0}},
        {"dynamic", NewDynamicObj(kItem | 1, 10, 0), {1, 0, 0, 0, 0, 1, 0}},
        {"item", new CItemObj(kItem | 2, 10, 0, TRUE), {1, 0, 0, 0, 0, 1, 0}},
        {"container", new CContainerObj(kItem | 3, 10, 0, TRUE), {1, 0, 0, 0, 0, 1, 1}},
        {"corpse", new CCorpse(kItem | 4, CORPSE_OBJ), {1, 0, 0, 0, 0, 1, 1}},
        {"mobile", new CMobile(5, 10, 0), {1, 0, 0, 1, 0, 1, 1}},
        {"player", new CPlayer(6, 10, 0), {1, 0, 0, 1, 1, 1, 1}},
        {"terrain", land, {0, 1, 0, 0, 0, 1, 0}},
        {"textured", texLand, {0, 1, 1, 0, 0, 1, 0}},
    };
    for (const Row& r : rows) {
        CDrawItem* d = r.item;
        const int got[7] = {d->IsObj(),    d->IsTerrain(), d->IsTexTerr(),  d->IsMobile(),
                            d->IsPlayer(), d->IsDynamic(), d->IsContainer()};
        for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i], r.q[i]) << r.name << " query " << i;
        EXPECT_FALSE(d->IsMissile()) << r.name;
        EXPECT_FALSE(d->IsBigMobComponent()) << r.name;
    }
    // The object queries that differ below CObj.
    auto* corpse = static_cast<CObj*>(rows[5].item);
    auto* mobile = static_cast<CObj*>(rows[6].item);
    auto* item = static_cast<CObj*>(rows[3].item);
    auto* statik = static_cast<CObj*>(rows[0].item);
    EXPECT_TRUE(corpse->IsCorpse());
    EXPECT_FALSE(mobile->IsCorpse());
    EXPECT_TRUE(item->IsItemObj());
    EXPECT_FALSE(static_cast<CObj*>(rows[2].item)->IsItemObj());
    EXPECT_EQ(statik->GetHeight(), 7);
    EXPECT_EQ(statik->GetLightId(), 3);
    EXPECT_EQ(corpse->GetHeight(), 6);
    EXPECT_EQ(mobile->GetHeight(), 15);
    EXPECT_EQ(mobile->GetLightId(), 1);
    EXPECT_EQ(mobile->GetTileFlags(), 0u);
    EXPECT_FALSE(mobile->IsMovable());
    EXPECT_FALSE(statik->IsMovable());
    for (const Row& r : rows) r.item->Release();
    EXPECT_EQ(CObjectManager::masterMobileList, nullptr);
    EXPECT_EQ(CObjectManager::mobileCount, 0);
}

TEST_F(WorldTest, PoolsHandOutBlocksInAddressOrderAndKeepReleasedObjectsValid) {
    StartWorld();
    CObj* first = NewStaticObj(1);
    EXPECT_EQ(StaticPoolCounts().total, 512);
    CObj* previous = first;
    for (int i = 1; i < 512; ++i) {
        CObj* next = NewStaticObj(1);
        ASSERT_EQ(next, previous + 1) << i;
        previous = next;
    }
    EXPECT_EQ(StaticPoolCounts().total, 512) << "no second block yet";
    EXPECT_EQ(StaticPoolCounts().inUse, 512);
    CObj* beyond = NewStaticObj(1);
    EXPECT_EQ(StaticPoolCounts().total, 1024);

    beyond->Release();
    EXPECT_EQ(beyond->validation, MemoryManager::VALID_OBJECT_BIT_PATTERN);
    EXPECT_TRUE(TW_VALIDATE_OBJECT(beyond));
    EXPECT_EQ(NewStaticObj(2), beyond) << "the free list hands the last release out first";

    // A dynamic object taken again keeps nothing of its last use.
    CDynamicObj* used = NewDynamicObj(kItem | 5, 100, 3);
    used->amount = 40;
    used->hue = 33;
    used->direction = 4;
    used->Release();
    EXPECT_EQ(CObjectManager::FindObject(kItem | 5), nullptr);
    CDynamicObj* again = NewDynamicObj(kItem | 6, 0x4123, 1);
    EXPECT_EQ(again, used);
    EXPECT_EQ(again->amount, 0);
    EXPECT_EQ(again->hue, 0);
    EXPECT_EQ(again->direction, 0);
    EXPECT_EQ(again->objectType, 0x0123) << "14 bits";
    EXPECT_EQ(again->increment, 1);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 6), again);
}

TEST_F(WorldTest, LandCellsOnlyComeFromTheirPool) {
    EXPECT_DEATH(CTerrain(), "inNewTerrain");
    EXPECT_DEATH(CTexTerr(), "inNewTexTerr");
}

TEST_F(WorldTest, ArtIdsFollowAmountArtAndIncrement) {
    struct Case {
        int graphic;
        int increment;
        int amount;
        int id;
    } cases[] = {
        {654, 0, 1, 16384 + 654},     {654, 0, 3, 16384 + 654 + 1},   {654, 0, 5, 16384 + 654 + 1},
        {654, 0, 6, 16384 + 654 + 2}, {3821, 9, 2, 16384 + 3821 + 1}, {100, 4, 9, 16384 + 104},
    };
    StartWorld();
    for (const Case& c : cases) {
        CObj* o = NewStaticObj(c.graphic);
        o->increment = static_cast<M_BYTE>(c.increment);
        o->amount = static_cast<M_WORD>(c.amount);
        EXPECT_EQ(o->GetArtId(), c.id) << c.graphic << " x" << c.amount;
    }
}

TEST_F(WorldTest, StacksAndMovabilityFollowTheTile) {
    tiles.items[1].flags = TILE_STACKABLE;
    tiles.items[1].fieldA = 90;
    tiles.items[2].fieldA = 91;
    tiles.items[654].flags = TILE_STACKABLE;
    StartWorld();
    struct Case {
        int graphic;
        int amount;
        int flags;
        BOOL doubled;
        BOOL movable;
    } cases[] = {
        {1, 1, 0, FALSE, TRUE},    {1, 2, 0, TRUE, TRUE},    {2, 2, 0, FALSE, FALSE},
        {2, 1, 0x20, FALSE, TRUE}, {654, 5, 0, FALSE, TRUE},
    };
    M_DWORD serial = kItem;
    for (const Case& c : cases) {
        CDynamicObj* o = NewDynamicObj(++serial, c.graphic, 0);
        o->amount = static_cast<M_WORD>(c.amount);
        o->statusFlags = static_cast<M_BYTE>(c.flags);
        EXPECT_EQ(o->IsDrawnDoubled(), c.doubled) << c.graphic << " x" << c.amount;
        EXPECT_EQ(o->IsMovable(), c.movable) << c.graphic << " flags " << c.flags;
    }
}

TEST_F(WorldTest, MapPinsFollowTheirCommands) {
    StartWorld();
    CItemObj map(kItem | 1, 100, 0, FALSE);
    auto pins = [&] {
        std::vector<std::pair<int, int>> out;
        for (MapPin* p = map.pins; p; p = p->next) out.emplace_back(p->x, p->y);
        EXPECT_EQ(map.pinCount, int(out.size()));
        return out;
    };
    using V = std::vector<std::pair<int, int>>;
    map.EditMapPins(1, 0, 10, 10);
    map.EditMapPins(1, 0, 20, 20);
    map.EditMapPins(2, 0, 5, 5);    // before the first
    map.EditMapPins(2, 3, 30, 30);  // at the count: appended
    map.EditMapPins(2, 9, 1, 1);    // past the count: ignored
    EXPECT_EQ(pins(), (V{{5, 5}, {10, 10}, {20, 20}, {30, 30}}));
    map.EditMapPins(3, 1, 11, 12);
    map.EditMapPins(3, 4, 0, 0);  // no pin 4
    map.EditMapPins(4, 0, 0, 0);
    map.EditMapPins(4, -1, 0, 0);
    map.EditMapPins(0, 0, 7, 7);
    map.EditMapPins(6, 0, 7, 7);
    EXPECT_EQ(pins(), (V{{11, 12}, {20, 20}, {30, 30}}));
    map.EditMapPins(5, 0, 0, 0);
    EXPECT_EQ(pins(), V{});
    EXPECT_EQ(CObjectManager::FindObject(kItem | 1), nullptr) << "made unlinked";

    CDynamicObj* plain = NewDynamicObj(kItem | 2, 100, 0);
    plain->EditMapPins(1, 0, 1, 1);  // only item objects keep pins
}

TEST_F(WorldTest, FindObjectAsksThePlayerFirstAndFollowsSerialChanges) {
    StartWorld();
    CPlayer* player = MakePlayer();
    EXPECT_EQ(CObjectManager::FindObject(1), player);
    CDynamicObj* a = NewDynamicObj(kItem | 7, 1, 0);
    CDynamicObj* b = NewDynamicObj(kItem | 7, 2, 0);  // the server repeated a serial
    EXPECT_EQ(CObjectManager::FindObject(kItem | 7), b) << "the newest, as a walk from the head";
    b->Release();
    EXPECT_EQ(CObjectManager::FindObject(kItem | 7), a);
    a->SetSerial(kItem | 8);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 7), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 8), a);
    player->SetSerial(0x99);
    EXPECT_EQ(CObjectManager::FindObject(0x99), player);
    EXPECT_EQ(CObjectManager::FindObject(1), nullptr);
}

TEST_F(WorldTest, CellLookupsUseHeightRangesAndMovability) {
    tiles.items[1].height = 0;
    tiles.items[2].height = 5;
    tiles.items[3].fieldA = 200;  // not movable
    StartWorld();
    CObj* flat = NewStaticObj(1);
    flat->ToWorld(Coords(3, 3, 10));
    CObj* box = NewStaticObj(2);
    box->ToWorld(Coords(4, 4, 10));
    EXPECT_EQ(CObjectManager::FindObjectAt(Coords(3, 3, 0), 10), nullptr) << "height 0 holds no z";
    EXPECT_EQ(CObjectManager::FindObjectAt(Coords(4, 4, 0), 9), nullptr);
    EXPECT_EQ(CObjectManager::FindObjectAt(Coords(4, 4, 0), 10), box);
    EXPECT_EQ(CObjectManager::FindObjectAt(Coords(4, 4, 0), 14), box);
    EXPECT_EQ(CObjectManager::FindObjectAt(Coords(4, 4, 0), 15), nullptr);

    CDynamicObj* first = PlaceItem(kItem | 1, 1, 6, 6);
    CDynamicObj* second = PlaceItem(kItem | 2, 1, 6, 6);
    CDynamicObj* fixed = PlaceItem(kItem | 3, 3, 6, 6);
    EXPECT_EQ(CObjectManager::GetObjectAtCell(6, 6, 0), fixed) << "the head of the world list";
    EXPECT_EQ(CObjectManager::GetObjectAtCell(6, 6, 1), first)
        << "the last movable of the master list";
    first->Release();
    EXPECT_EQ(CObjectManager::GetObjectAtCell(6, 6, 1), second);
    EXPECT_EQ(CObjectManager::GetObjectAtCell(7, 7, 0), nullptr);
}

TEST_F(WorldTest, GroundHeightTakesLandCornersAndObjectsThatAreShown) {
    tiles.items[5].height = 6;
    StartWorld();
    view.corners[{2, 2}] = {0, 4, 100, 9};
    EXPECT_EQ(GetGroundZ(2, 2), 6) << "(4 + 9) / 2";
    CObj* crate = NewStaticObj(5);
    crate->ToWorld(Coords(2, 2, 3));
    EXPECT_EQ(GetGroundZ(2, 2), 9);
    crate->inList = FALSE;  // cut away by the view
    EXPECT_EQ(GetGroundZ(2, 2), 6);
    view.heightCut = TRUE;
    EXPECT_EQ(GetGroundZ(2, 2), 0);
    view.heightCut = FALSE;
    view.corners[{8, 8}] = {0, -127, 0, -127};
    EXPECT_EQ(GetGroundZ(8, 8), 0) << "-127 counts as 0";
}
