// Path finding: a best-first (A*) search over map cells.  Whether a cell can
// be entered, and at which height, is the walking code's standing-height
// rule, so a found path obeys the same rules as walking by hand.
//
// The nodes of the last search live until FreeNodes or the next search (a
// search that finds nothing frees them itself); the callers free them once
// the path has been walked or dropped.  Freeing them also stops the path
// walker, which holds one of them.  The propagation stack lives from start-up to exit.
#pragma once

#include "TWTypes.h"

// One node of a search; a found path runs from the goal node back to the
// start along parent.
struct PathNode {
    float f;  // g + h
    float h;  // straight-line distance to the goal
    float g;  // steps from the start
    int x;
    int y;
    int z;
    PathNode* parent;
    PathNode* children[8];
    PathNode* next;  // the link of the open or the closed list
};

class PathManager {
public:
    // No search expands more nodes than this, whatever its limit.
    static constexpr int MAX_EXPANSIONS = 5000;

    // Whether a walker standing at z next to (x, y), on the side opposite to
    // direction, can step onto (x, y); the height it would stand at goes to
    // standZ.
    using StandingTest = BOOL (*)(int x, int y, int z, int direction, int* standZ);

    static void startup();
    static void shutdown();

    // The goal node of a path, or null.  A node counts as the goal when it
    // lies within tolerance cells of the goal on both axes and within 8 of
    // its z; at most limit nodes are expanded.
    static PathNode* FindPath(int startX, int startY, int startZ, int goalX, int goalY, int goalZ,
                              int limit, int tolerance);
    // Frees every node of the last search, and stops the path walker that
    // may follow them.
    static void FreeNodes();

    // The rule FindPath asks about each cell (the walking code's standing
    // height); tests put a map of their own here.
    static StandingTest standingTest;

    // Test only: no search state, the walking code's rule back; and how many
    // nodes are allocated now.
    static void reset();
    static int LiveNodes();
};

// The path walker of the play area: while active it walks the player along
// the nodes from the current one, facing as given.  The walking code sets
// it when a search found a path; the play area's path step follows it.
struct PathWalk {
    BOOL active = FALSE;
    PathNode* node = nullptr;
    int facing = 0;
};
extern PathWalk g_pathWalk;
