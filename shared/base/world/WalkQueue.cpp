// The walk queue and the walk protocol: predicting a step, the walk request
// (0x02) with its sequence number and walk key, and the server's answers.
#include <cstdlib>

#include "Clock.h"
#include "TWReport.h"
#include "world/Directions.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"
#include "world/WorldRequests.h"

WalkEntry MoveManager::queue[MoveManager::MAX_QUEUE] = {};
int MoveManager::queueCount = 0;
int MoveManager::animIndex = 0;
M_DWORD MoveManager::sequence = 0;
BOOL MoveManager::following = FALSE;
BOOL MoveManager::resync = FALSE;
BOOL MoveManager::resyncSent = FALSE;
int MoveManager::stepCounter = 0;
int MoveManager::stepFrame = 0;
int MoveManager::stepDuration = 0;
BOOL MoveManager::stepRunning = FALSE;
BOOL MoveManager::falling = FALSE;
int MoveManager::fallStartZ = 0;
int MoveManager::fallEndZ = 0;
int MoveManager::requestsInFlight = 0;
int MoveManager::roundTripMs = 0;
time_t MoveManager::lastRequestTime = 0;
int MoveManager::pathfindCountdown = 20;

namespace {

constexpr M_DWORD MAX_ROUND_TRIP_MS = 60000;

bool IsStep(const WalkEntry& e) {
    return e.direction == e.previousFacing;
}

// The facing the next entry starts from.
int NextFacing() {
    if (MoveManager::queueCount > 0)
        return MoveManager::queue[MoveManager::queueCount - 1].direction;
    return pPlayerObject ? pPlayerObject->direction & 7 : 0;
}

// Whether the walker predicted by the queue can go in *direction, and the
// z it stands at after it.  A blocked diagonal may turn into the free side
// step (d + 1 first); a turn on the spot is always allowed.
BOOL CheckStep(int* direction, int* z, BOOL check) {
    const int facing = NextFacing();
    int d = *direction;
    MapAccess& map = world::Map();
    int x = map.GetCenterX();
    int y = map.GetCenterY();
    int standZ = map.GetCenterZ();
    *z = standZ;
    if (!check) return d != facing;

    const bool wraps = x < WRAP_X;
    for (int i = 0; i < MoveManager::queueCount; ++i) {
        const WalkEntry& e = MoveManager::queue[i];
        if (!IsStep(e) || e.acknowledged) continue;
        x += DIR_DX[e.direction];
        y += DIR_DY[e.direction];
        standZ = e.z;
    }
    *z = standZ;
    auto free = [&](int dir, int* outZ) {
        int tx = x + DIR_DX[dir];
        int ty = y + DIR_DY[dir];
        if (wraps) WrapCell(&tx, &ty);
        return MoveManager::CalcStandingZ(tx, ty, standZ, dir, outZ) != FALSE;
    };

    if ((d & 1) == 0) {
        int newZ = standZ;
        if (free(d, &newZ)) {
            *z = newZ;
            return TRUE;
        }
        return d != facing;
    }
    int diagonalZ = standZ, leftZ = standZ, rightZ = standZ;
    const int left = (d - 1) & 7;
    const int right = (d + 1) & 7;
    const bool diagonal = free(d, &diagonalZ);
    const bool leftFree = free(left, &leftZ);
    const bool rightFree = free(right, &rightZ);
    if (diagonal && leftFree && rightFree) {
        *z = diagonalZ;
        return TRUE;
    }
    if (rightFree) {
        *direction = right;
        *z = rightZ;
        return TRUE;
    }
    if (leftFree) {
        *direction = left;
        *z = leftZ;
        return TRUE;
    }
    return d != facing;
}

// Queues an entry after a passed step check; returns its index.
int Enqueue(int direction, int z, BOOL running) {
    CPlayer* player = pPlayerObject;
    WalkEntry& e = MoveManager::queue[MoveManager::queueCount];
    e.previousFacing = static_cast<M_BYTE>(NextFacing());
    e.sequence = static_cast<M_BYTE>(MoveManager::sequence);
    e.acknowledged = 0;
    e.running = running ? 1 : 0;
    e.requestTime = GetTimeMs();
    e.z = static_cast<signed char>(z);
    e.direction = static_cast<M_BYTE>(direction);
    e.falling = e.direction == e.previousFacing && player && player->z - z > 10 ? 1 : 0;
    return MoveManager::queueCount++;
}

// Only the first request after a reset carries 0; then 1..255 round.
void AdvanceSequence() {
    MoveManager::sequence = (MoveManager::sequence + 1) & 255;
    if (MoveManager::sequence == 0) MoveManager::sequence = 1;
}

void Resync() {
    if (!MoveManager::resyncSent) {
        tw::Service<WorldMessages>::Get().SendMoveAck();
        MoveManager::resyncSent = TRUE;
    }
    MoveManager::resync = TRUE;
    MoveManager::animIndex = 0;
    MoveManager::queueCount = 0;
}

// The acknowledgement of a sequence; answers counts whether it answers a
// request this client sent.
void Acknowledge(int sequence, bool answersRequest) {
    if (answersRequest && MoveManager::requestsInFlight > 0) --MoveManager::requestsInFlight;
    int index = -1;
    for (int i = 0; i < MoveManager::queueCount; ++i)
        if (MoveManager::queue[i].sequence == sequence) {
            index = i;
            break;
        }
    if (index < 0) return Resync();

    WalkEntry& e = MoveManager::queue[index];
    const M_DWORD roundTrip = GetTimeMs() - e.requestTime;
    if (roundTrip < MAX_ROUND_TRIP_MS)
        MoveManager::roundTripMs = static_cast<int>((roundTrip + MoveManager::roundTripMs) >> 1);
    if (IsStep(e)) world::Map().ShiftCenter(DIR_DX[e.direction], DIR_DY[e.direction], e.z);
    if (index >= MoveManager::animIndex) {
        e.acknowledged = 1;
    } else if (index == 0) {
        MoveManager::RemoveEntry(0);
        --MoveManager::animIndex;
    } else {
        Resync();
    }
}

// Walking away closes the worn container's gump and every container gump
// whose container is out of reach now.
}  // namespace

void MoveManager::RemoveEntry(int index) {
    if (index < 0 || index >= queueCount) return;
    for (int i = index; i + 1 < queueCount; ++i) queue[i] = queue[i + 1];
    --queueCount;
}

void MoveManager::startup() {
    TWReport::message("MoveManager::startup: begin.\n");
    ClearWalkQueue();
}

void MoveManager::ClearWalkQueue() {
    stepRunning = FALSE;
    following = FALSE;
    resync = FALSE;
    stepCounter = 0;
    stepFrame = 0;
    sequence = 0;
    animIndex = 0;
    queueCount = 0;
    requestsInFlight = 0;
}

void MoveManager::reset() {
    ClearWalkQueue();
    resyncSent = FALSE;
    stepDuration = 0;
    falling = FALSE;
    fallStartZ = fallEndZ = 0;
    roundTripMs = 0;
    lastRequestTime = 0;
    pathfindCountdown = 20;
}

void MoveManager::RequestMove(int direction, M_DWORD running, BOOL check) {
    CPlayer* player = pPlayerObject;
    WorldMessages& messages = tw::Service<WorldMessages>::Get();
    if (resync || queueCount >= MAX_QUEUE || !messages.HasConnection() || !player) return;
    int d = (direction - 1) & 7;
    int z = 0;
    if (!CheckStep(&d, &z, check)) return;

    const BOOL runs =
        running == RUN_BY_MOUSE ? !world::Gumps().IsMouseNearPlayer() : (running != 0);
    const WalkEntry& e = queue[Enqueue(d, z, runs)];

    messages.SendMoveRequest(e.direction | (e.running ? 0x80 : 0), e.sequence,
                             player->TakeWalkKey());
    ++requestsInFlight;
    lastRequestTime = g_wallTime;
    AdvanceSequence();
    // Walking away closes the worn container's gump and every container gump
    // whose container is out of reach now.
    world::Gumps().CloseContainersOutOfReach();
}

void MoveManager::HandleMoveAck(int sequence) {
    Acknowledge(sequence, true);
}

void MoveManager::HandleServerMove(int direction) {
    if (queueCount >= MAX_QUEUE) Resync();
    if (!tw::Service<WorldMessages>::Get().HasConnection() || !pPlayerObject) return;
    int d = direction & 7;
    int z = 0;
    if (!CheckStep(&d, &z, TRUE)) return;
    const int sent = queue[Enqueue(d, z, !world::Gumps().IsMouseNearPlayer())].sequence;
    AdvanceSequence();
    // No request went out for it: the count of unanswered requests stays.
    Acknowledge(sent, false);
}

// The sequence is only told apart from -1 (the player update's).
void MoveManager::SetPlayerPosition(int sequence, int x, int y, int z) {
    requestsInFlight = 0;
    CPlayer* player = pPlayerObject;
    if (player) player->RemoveFromDrawList();
    stepFrame = 0;
    MoveManager::sequence = 0;
    animIndex = 0;
    queueCount = 0;
    resync = FALSE;
    if (player) {
        player->slideX = player->slideY = 0;
        MapAccess& map = world::Map();
        if (sequence != -1) {
            map.SetCenter(x, y, z, map.GetMapNumber());
            player->locX = static_cast<short>(x);
            player->locY = static_cast<short>(y);
            player->z = static_cast<short>(z);
        } else {
            player->locX = static_cast<short>(map.GetCenterX());
            player->locY = static_cast<short>(map.GetCenterY());
        }
        player->AddToDrawList();
        world::Screen().InvalidateScreen();
        player->CalcDrawZ();
    }
    world::Draw().UpdateRoofCut();
}
