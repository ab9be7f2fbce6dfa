// The fixture shared by the placing tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "WorldTestSupport.h"

namespace tw::test {

constexpr int kBag = 3701;    // a container tile
constexpr int kMap = 5355;    // an item-object tile
constexpr int kTorch = 2578;  // a light source
constexpr int kShirt = 5399;  // a plain item

// The placing tests' world: tile flags for a container, an item object, a
// light source and the sorted containers, over a started object manager.
class PlacementTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        tiles.items[kBag].flags = TILE_CONTAINER;
        tiles.items[kMap].flags = TILE_ITEM_OBJ;
        tiles.items[kTorch].flags = TILE_LIGHT | TILE_ANIMATED;
        tiles.items[3834].flags = TILE_CONTAINER;
        tiles.items[4006].flags = TILE_CONTAINER;
        tiles.items[11000].flags = TILE_CONTAINER;
        StartWorld();
    }

    // Containment of an object as a short text: "void", "world x,y,z",
    // "in <serial> x,y" or "worn <serial> layer".
    static std::string Where(CDynamicObj* o) {
        char text[64];
        if (o->inVoid) return "void";
        if (!o->containedBy) {
            snprintf(text, sizeof text, "world %d,%d,%d", o->locX, o->locY, o->z);
        } else if (o->IsEquipped()) {
            snprintf(text, sizeof text, "worn %X %d", o->containedBy->GetSerial(), o->eqPos);
        } else {
            snprintf(text, sizeof text, "in %X %d,%d", o->containedBy->GetSerial(), o->locX,
                     o->locY);
        }
        return text;
    }

    static std::vector<CObj*> Contents(CContainerObj* c) {
        std::vector<CObj*> out;
        for (CObj* o = c->firstChild; o; o = o->worldNext) out.push_back(o);
        return out;
    }

    static bool InWorldList(CObj* o) {
        for (CObj* p = CObjectManager::worldList; p; p = p->worldNext)
            if (p == o) return true;
        return false;
    }
};

}  // namespace tw::test
