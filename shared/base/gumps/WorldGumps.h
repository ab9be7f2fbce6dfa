// The gump framework's side of the world model: what an object asks of the
// gumps that show it (world/GumpHooks.h).  The framework walks its lists and
// asks each gump through its virtual operations; what is not built yet
// (opening gumps, the mouse, missiles, the text manager) goes on to the
// installed services of this folder.  main installs one WorldGumps at
// start-up; tests that run the world model with real gump lists do too.
#pragma once

#include "world/GumpHooks.h"

class WorldGumps : public ObjectGumps {
public:
    void DeleteGump(CGump* gump) override;
    void CloseContainerGump(CGump* gump) override;
    void DeleteOwnedGumps(CGump** chain) override;
    void CloseStatusGumps(CMobile* mobile) override;
    void CloseObjectGump(CGump* gump) override;
    void ForgetObject(CDynamicObj* object) override;
    BOOL RebuildSortedView(CGump* containerGump) override;
    void AddToGump(CGump* containerGump, CObj* object) override;
    BOOL IsBulletinBoard(CGump* gump) override;
    void AddContents(CContainerObj* holder, const RECT& area) override;
    void RemoveFromShopGumps(CMobile* vendor, M_DWORD serial, BOOL firstOnly) override;
    void InvalidatePaperdolls(CMobile* mobile) override;
    void RenderRadar() override;
    M_DWORD GetTradeSerial(CGump* tradeGump) override;
    CGump* FindHolderGump(CContainerObj* holder, BOOL worn) override;
    void BringToFront(CGump* gump) override;
    CGump* OpenAmountGump(CDynamicObj* stack) override;
    CGump* MakeDragGump() override;
    void CloseContainersOutOfReach() override;
    BOOL IsMouseNearPlayer() override;
    void ScrollMissiles(int dx, int dy) override;
    void UpdateBarkPositions() override;
    void AddSystemMessage(int hue, int font, const char* text) override;
    BOOL IsRecordingSequence() override;
    void RecordAnimation(const M_BYTE* bytes, int length) override;
};

// Test support: the framework's lists and slots back to empty (the focus,
// the top-level list, the manager's slots, the sequence being recorded and
// the speech line).
void ResetGumpFramework();
