// Item objects with map pins, containers and corpses.
#include <cstdint>

#include "world/GumpHooks.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/WorldInternal.h"

CItemObj::CItemObj(M_DWORD serial, int graphic, int increment, BOOL link)
    : CDynamicObj(serial, graphic, increment) {
    if (!link) UnlinkMaster();
}

CItemObj::~CItemObj() {
    if (!inVoid) CDynamicObj::ToVoid();
    if (!g_gumpTeardown) world::Gumps().DeleteGump(pinGump);
    pinGump = nullptr;
    FreePins();
}

void CItemObj::FreePins() {
    while (MapPin* pin = pins) {
        pins = pin->next;
        delete pin;
    }
    pinCount = 0;
}

void CItemObj::EditPins(int command, int index, int x, int y) {
    const M_WORD px = static_cast<M_WORD>(x);
    const M_WORD py = static_cast<M_WORD>(y);
    // The link that points at pin number index (the tail link at index ==
    // pinCount); null for an index outside the list.
    auto linkAt = [this](int at) -> MapPin** {
        if (at < 0 || at > pinCount) return nullptr;
        MapPin** link = &pins;
        for (int i = 0; i < at && *link; ++i) link = &(*link)->next;
        return link;
    };
    switch (command) {
        case 1:
        case 2: {
            // An insert at the count appends; one past it is ignored.
            MapPin** link = linkAt(command == 1 ? pinCount : index);
            if (!link) return;
            *link = new MapPin{px, py, *link};
            ++pinCount;
            break;
        }
        case 3: {
            if (index < 0 || index >= pinCount) return;
            MapPin* pin = *linkAt(index);
            pin->x = px;
            pin->y = py;
            break;
        }
        case 4: {
            if (index < 0 || index >= pinCount) return;
            MapPin** link = linkAt(index);
            MapPin* pin = *link;
            *link = pin->next;
            delete pin;
            --pinCount;
            break;
        }
        case 5:
            FreePins();
            break;
        default:
            break;
    }
}

CContainerObj::CContainerObj(M_DWORD serial, int graphic, int increment, BOOL link)
    : CDynamicObj(serial, graphic, increment) {
    if (!link) UnlinkMaster();
    cellShift = 0;
}

CContainerObj::~CContainerObj() {
    validation = 0;
    if (!inVoid) CDynamicObj::ToVoid();

    if (!bigMobComponents ||
        reinterpret_cast<std::uintptr_t>(bigMobComponents) == MemoryManager::FREED_POINTER) {
        TWReport::message(
            "CContainerObj::~CContainerObj: bigMobComponents is NULL or 0xdddddddd \n");
        bigMobComponents = nullptr;
    } else if (!WorldPointerOk(bigMobComponents)) {
        TWReport::error(
            "CContainerObj::~CContainerObj: either pointer 'bigMobComponents' is not valid, or the "
            "data it points to is not valid. breaking out of loop.\n");
    } else {
        // The head owns the rest of the chain.
        CDrawItem* head = bigMobComponents;
        bigMobComponents = nullptr;
        head->Release();
    }

    // The gump framework checks the gump's guard word before it closes it.
    if (containerGump && !g_gumpTeardown) {
        CGump* gump = containerGump;
        containerGump = nullptr;
        world::Gumps().CloseContainerGump(gump);
    }
    containerGump = nullptr;

    ReleaseContents();
}

void CContainerObj::ReleaseContents() {
    while (CObj* child = firstChild) {
        if (!WorldPointerOk(child)) {
            TWReport::error(
                "CContainerObj::ReleaseContents: either pointer 'firstChild' is not valid, or the "
                "data it points to is not valid. breaking out of loop.\n");
            firstChild = nullptr;
            break;
        }
        child->Release();
        // A child that did not leave would hold the loop for ever.
        if (firstChild == child) {
            TWReport::error("CContainerObj::ReleaseContents: a released object stayed.\n");
            break;
        }
    }
}

CCorpse::CCorpse(M_DWORD serial, int theType) : CContainerObj(serial, theType, 0, TRUE) {
    WORLD_ASSERT(theType == CORPSE_OBJ, "CCorpse::CCorpse(unsigned int, int)");
}

CCorpse::~CCorpse() {
    if (!inVoid) CDynamicObj::ToVoid();
}

BOOL CCorpse::SetLayerSerial(int layer, M_DWORD serial) {
    if (layer < 0 || layer >= LAYERS) {
        TWReport::warning("CCorpse::SetLayerSerial: layer %d is outside 0..%d; ignored.\n", layer,
                          LAYERS - 1);
        return FALSE;
    }
    equippedSerial[layer] = serial;
    return TRUE;
}
