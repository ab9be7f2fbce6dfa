// The object manager: every world object by serial.  Only what its callers
// use so far is declared here.
#pragma once

#include "TWTypes.h"

class CObj;
class CDynamicObj;
class CMultiTargetObj;

class CObjectManager {
public:
    static void startup();
    static void shutdown();
    // Animates the mobiles' steps.
    static void UpdateMovement();
    // Once a second: ages the list of recently seen objects.
    static void AgeRecentList();

    // Replaces 32 tile records from a version patch: groups 0-511 are land
    // records of 26 bytes (tiles group * 32 on), groups 512-1023 item records
    // of 37 bytes (tiles (group - 512) * 32 on), in the layout of
    // "tiledata.mul"; length bytes in all.
    static void PatchTileDataGroup(int group, const M_BYTE* records, int length);

    // The object of that serial (the player first), or null.
    static CDynamicObj* FindObject(M_DWORD serial);

    // Heads of the placed objects whose tile animates and of the objects of
    // a multi being placed.
    static CObj* animatedItemList;
    static CMultiTargetObj* multiPreviewList;
    // Uses (double-clicks) an object; it becomes the last used object.
    static void UseObject(CDynamicObj* object);
    // Deletes every world object but the player (logout, login confirmation).
    static void ReleaseAllObjects();
};

// The ground height of a cell.
int GetGroundZ(int x, int y);
