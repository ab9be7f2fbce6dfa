// The player's walking.  The client predicts: a step that the surfaces of
// the two cells allow is queued (at most four) and its walk request (0x02)
// goes to the server at once; the queued steps are played frame by frame and
// reconciled with the server's acknowledgements (0x22), rejections (0x21),
// steps it drives itself (0x97) and positions (0x20).  A queue out of step
// with the server ends in a resync: the client says so once (0x22) and waits
// for the server's position.
//
// The height rules that walking, the path finder and the path walker share
// live here too: the standing height over the surfaces of a cell
// (CalcStandingZ) and the height of a land cell at a point of a step
// (GetZVal).
//
// All walk state lives for the connection: it is cleared at start-up, on
// logout (ClearWalkQueue) and by every position from the server.  Main
// thread only.
#pragma once

#include <ctime>

#include "TWTypes.h"

// One predicted step (or turn) of the player.
struct WalkEntry {
    M_BYTE direction;
    // The facing before it; an entry whose direction differs is a turn.
    M_BYTE previousFacing;
    M_BYTE sequence;
    M_DWORD acknowledged;
    M_BYTE running;
    // A straight step that goes down by more than 10.
    M_BYTE falling;
    M_DWORD requestTime;  // GetTimeMs of the request
    signed char z;        // where the player stands after it
};

class MoveManager {
public:
    static constexpr int MAX_QUEUE = 4;
    // RequestMove's running argument: decide by the pointer's distance.
    static constexpr M_DWORD RUN_BY_MOUSE = 0xFFFFFFFF;

    static void startup();
    // Forgets every predicted step and the walk counters.
    static void ClearWalkQueue();

    // Queues a step in direction (direction - 1) & 7 and sends the walk
    // request; with check the surfaces must allow it (a blocked diagonal may
    // turn into a free orthogonal step).
    static void RequestMove(int direction, M_DWORD running, BOOL check);
    // A keyboard walk in a direction 0-7; bit 30 of the key state marks a
    // repeated key.
    static void WalkByKey(int direction, M_DWORD keyState);
    // A walk towards the pointer (direction 0-7, or -1 for none).
    static void WalkByMouse(int direction, M_DWORD running);

    // The server's side: 0x22, 0x97, 0x20 and 0x21 (sequence -1 for 0x20),
    // and 0x38.
    static void HandleMoveAck(int sequence);
    static void HandleServerMove(int direction);
    static void SetPlayerPosition(int sequence, int x, int y, int z);
    static void PathfindTo(int x, int y, int z);

    // Plays the queued steps, once per frame.
    static void Update();
    // Takes an entry out of the queue; the later ones move up.
    static void RemoveEntry(int index);

    // Whether a walker at z on the cell opposite to direction can stand on
    // (x, y), and at which height (outZ).
    static BOOL CalcStandingZ(int x, int y, int z, int direction, int* outZ);

    // The walk queue.
    static WalkEntry queue[MAX_QUEUE];
    static int queueCount;
    // The entry being played; entries before it are played but not yet
    // acknowledged.
    static int animIndex;
    // 0 after start-up and after every position from the server, then
    // 1..255 round.
    static M_DWORD sequence;
    // Set by the server's follow message: unacknowledged steps wait.
    static BOOL following;
    // While set no step can be queued; the server's position clears it.
    static BOOL resync;
    // The client has told the server it is out of step.
    static BOOL resyncSent;
    // The player's frame counter: advances each frame of a step and while
    // the player stands in its idle pose.
    static int stepCounter;
    // Frames played of the current step, and how many it takes.
    static int stepFrame;
    static int stepDuration;
    // Running flag of the step being played.
    static BOOL stepRunning;
    // The fall of the step being played.
    static BOOL falling;
    static int fallStartZ;
    static int fallEndZ;
    // Walk requests sent and not yet answered.
    static int requestsInFlight;
    // The smoothed round trip of a walk request, milliseconds.
    static int roundTripMs;
    // The wall time (seconds) of the last walk request.
    static time_t lastRequestTime;
    // Path requests from the server left before one is carried out.
    static int pathfindCountdown;

    // Test only: the walk state of a fresh start.
    static void reset();
};

// The height of a land cell at a point of a step: offset 0 the middle of
// the diagonal the cell is folded along (diagonal set: corners 0 and 2, else
// 1 and 3), 2 the edge or corner direction points at, 1 half way.
int GetZVal(const signed char corners[4], BOOL diagonal, int offset, int direction);
