// What the world model asks of the gumps that show its objects.
//
// The gump framework sits above the world: a container's window, a
// mobile's paperdoll and status, a vendor's shop, the radar, the drag gump
// of the held item.  An object keeps pointers to the gumps it owns (CGump is
// opaque here) and tells the framework what became of it through this
// interface: the gump framework implements it (shared/base/gumps/) and main
// installs it at start-up.  The framework walks its own gump lists and asks
// each gump through the gump's virtual operations, so that the world model
// never needs to know a gump's class.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CContainerObj;
class CDynamicObj;
class CGump;
class CMobile;
class CObj;

class ObjectGumps {
public:
    static constexpr const char* kServiceName = "ObjectGumps";
    virtual ~ObjectGumps() = default;

    // Closing the gumps an object owns.  DeleteGump deletes one (null does
    // nothing); CloseContainerGump also takes a container's gump out of its
    // parent's children first; DeleteOwnedGumps deletes the chain a mobile
    // owns (linked through the gumps' own link) and empties it;
    // CloseStatusGumps closes every open status gump of the mobile.
    virtual void DeleteGump(CGump* gump) = 0;
    virtual void CloseContainerGump(CGump* gump) = 0;
    virtual void DeleteOwnedGumps(CGump** chain) = 0;
    virtual void CloseStatusGumps(CMobile* mobile) = 0;
    // The gump an object shows when it leaves its place: a bulletin-board
    // message is removed from its board, any other gump deleted.
    virtual void CloseObjectGump(CGump* gump) = 0;
    // An object that goes is forgotten by the gumps that show it: its own
    // two gumps, and every open gump and every gump one level inside one
    // that names it (a released object may be handed out again at once).
    virtual void ForgetObject(CDynamicObj* object) = 0;

    // A container's own gump hears of an object that entered the container:
    // a gump that keeps a sorted view rebuilds it (answering TRUE); a
    // container gump shows the object.  Answers FALSE when the gump keeps no
    // sorted view.
    virtual BOOL RebuildSortedView(CGump* containerGump) = 0;
    virtual void AddToGump(CGump* containerGump, CObj* object) = 0;
    virtual BOOL IsBulletinBoard(CGump* gump) = 0;
    // Every open container gump (and every one a level inside an open gump)
    // that shows the holder places again the holder's objects that fall in
    // the area, which an object left.
    virtual void AddContents(CContainerObj* holder, const RECT& area) = 0;
    // The vendor's open shop gumps that take removals drop an item and
    // redraw; with firstOnly only the first of them.
    virtual void RemoveFromShopGumps(CMobile* vendor, M_DWORD serial, BOOL firstOnly) = 0;
    // Every open paperdoll of the mobile is marked for rebuilding (its
    // equipment changed).
    virtual void InvalidatePaperdolls(CMobile* mobile) = 0;
    // The open radar gump redraws its picture.
    virtual void RenderRadar() = 0;
    // The serial that names a trade in the secure-trade messages.
    virtual M_DWORD GetTradeSerial(CGump* tradeGump) = 0;
    // The open gump that shows what a holder holds: the paperdoll of a
    // mobile (worn), the container gump of a container; null when none is
    // open.
    virtual CGump* FindHolderGump(CContainerObj* holder, BOOL worn) = 0;

    // The player's actions: raise an item's map gump; open the amount gump
    // of a stack with its slider in the middle (null when none opened); the
    // drag gump of a picked-up item.
    virtual void BringToFront(CGump* gump) = 0;
    virtual CGump* OpenAmountGump(CDynamicObj* stack) = 0;
    virtual CGump* MakeDragGump() = 0;
    // Walking closes the gump of the container the player wears on layer 29
    // and every container gump whose container is out of reach.
    virtual void CloseContainersOutOfReach() = 0;
    // TRUE when the pointer lies near the play-area centre (walking) rather
    // than far from it (running).
    virtual BOOL IsMouseNearPlayer() = 0;
    // A view scroll moves the flying missiles, then the speech texts are
    // anchored again.
    virtual void ScrollMissiles(int dx, int dy) = 0;
    virtual void UpdateBarkPositions() = 0;
    // A system message in the journal and on screen.
    virtual void AddSystemMessage(int hue, int font, const char* text) = 0;

    // While an effect sequence is being recorded, animations go into it (as
    // its animation records) instead of playing.
    virtual BOOL IsRecordingSequence() = 0;
    virtual void RecordAnimation(const M_BYTE* bytes, int length) = 0;
};

namespace world {
inline ObjectGumps& Gumps() {
    return tw::Service<ObjectGumps>::Get();
}
}  // namespace world
