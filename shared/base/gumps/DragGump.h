// CDragGump: the gump that follows the pointer while an item is held.  It
// shows the held item's picture centred on the pointer, holds the mouse
// capture, marks a paperdoll that can wear the item, and on the release of
// the left button decides where the item goes: the drop (0x08) or equip
// (0x13) request is sent, or the drop is refused with sound 81 and the item
// stays held.  Right-button events and ticks go on to the play area, so the
// player can walk while carrying.
//
// It reads the held-item record of the world model (CObjectManager::held)
// and picks through the world view, so its body lies in the view
// (view/DragGump.cpp); GumpService::MakeDragGump makes it.  The dialogs it
// drops into (paperdolls, containers) are reached through DragDropTargets.
#pragma once

#include "Service.h"
#include "gumps/Gump.h"

// What the drag gump asks of the paperdoll and container gumps (the game
// dialogs implement it; a stand-in until they are built).
class DragDropTargets {
public:
    static constexpr const char* kServiceName = "DragDropTargets";
    virtual ~DragDropTargets() = default;

    // The equipment layer shown at a point of a paperdoll gump, or -1.
    virtual int GetPaperdollLayerAt(CGump* paperdoll, int x, int y) = 0;
    // Marks a paperdoll's layer as able to take the held item (0: none).
    virtual void MarkPaperdollLayer(CGump* paperdoll, int layer) = 0;
    // A container gump takes the held item at a point of the gump.
    virtual BOOL ContainerTakesDrop(CGump* container, int x, int y) = 0;
};

class CDragGump : public CGump {
public:
    // The drag of the held item, its picture built from the held-item
    // record.
    CDragGump();
    // The art-only drag of a gump art.
    explicit CDragGump(int gumpArt);
    ~CDragGump() override;

    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    void Tick() override;
    BOOL IsDisposable() override { return FALSE; }
    BOOL ShowsItemArt() override { return FALSE; }
    BOOL IsDragGump() override { return TRUE; }

    // The paperdoll marked as able to wear the held item, or null; cleared
    // when that paperdoll closes.  One item is held at a time, so there is
    // one.
    static CGump* highlightedPaperdoll;

    // Set while the right button is down: drags reach the play area.
    BOOL forwardRightDrag = FALSE;
    // FALSE for an art-only drag.
    BOOL carriesItem = TRUE;

private:
    // Refuses the drop: sound 81, the item stays held.
    void Refuse();
    void DropOnPlayArea(CGump* map, int x, int y);
    void DropOnGump(CGump* target, int x, int y);
    void Unmark();
};
