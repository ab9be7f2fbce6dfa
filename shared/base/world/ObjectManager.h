// The object manager: every world object by serial.  Only what its callers
// use so far is declared here.
#pragma once

class CObjectManager {
public:
    static void startup();
    static void shutdown();
    // Animates the mobiles' steps.
    static void UpdateMovement();
    // Once a second: ages the list of recently seen objects.
    static void AgeRecentList();
};

// Deletes the player object, when one exists.
void DestroyPlayerObject();
