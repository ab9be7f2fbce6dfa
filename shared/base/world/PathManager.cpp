// The bounded A* search.
//
// Every step costs 1, diagonal or not; h is the straight-line distance to the
// goal.  The open list is kept in ascending f (a new node goes before the
// first node whose f is not below its own, so the newest of equal nodes is
// expanded first); the closed list takes each expanded node at its head.  A
// node that a shorter way reaches keeps its place in the open list; in the
// closed list the shorter distance is handed on to its children.
//
// Each cell and height is a node at most once.  Besides the two lists an
// index finds the node of a cell, so a search near the expansion bound does
// not rescan thousands of nodes for every neighbour.
#include "world/PathManager.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "DebugHooks.h"
#include "ErrorMessage.h"
#include "TWReport.h"
#include "world/Directions.h"
#include "world/MoveManager.h"

namespace {

struct CellKey {
    int x;
    int y;
    int z;
    bool operator==(const CellKey& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct CellKeyHash {
    size_t operator()(const CellKey& k) const {
        std::uint64_t h = static_cast<std::uint32_t>(k.x);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(k.y);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(k.z);
        return static_cast<size_t>(h ^ (h >> 29));
    }
};

struct Indexed {
    PathNode* node;
    bool closed;
};

// The search of this process (from one FindPath to the next FreeNodes).
PathNode* openHead = nullptr;
PathNode* closedHead = nullptr;
std::unordered_map<CellKey, Indexed, CellKeyHash> index;
// The cost propagation's stack; kept between searches.
std::vector<PathNode*> stack;
int liveNodes = 0;

// Squares are summed in 64 bits: coordinates far apart must not wrap round.
float Distance(int x, int y, int z, int gx, int gy, int gz) {
    std::int64_t dx = std::int64_t(x) - gx;
    std::int64_t dy = std::int64_t(y) - gy;
    std::int64_t dz = std::int64_t(z) - gz;
    return std::sqrt(static_cast<float>(dx * dx + dy * dy + dz * dz));
}

PathNode* NewNode() {
    auto* node = static_cast<PathNode*>(calloc(1, sizeof(PathNode)));
    if (!node)
        ErrorMessage("Failed to calloc memory.", "Oops.", FALSE);
    else
        ++liveNodes;
    return node;
}

void AddChild(PathNode* parent, PathNode* child) {
    for (PathNode*& slot : parent->children)
        if (!slot) {
            slot = child;
            return;
        }
}

void InsertOpen(PathNode* node) {
    PathNode* before = openHead;
    while (before->next && before->next->f < node->f) before = before->next;
    node->next = before->next;
    before->next = node;
}

// Hands a shorter distance of a closed node on to its children, and theirs.
void Propagate(PathNode* from) {
    stack.clear();
    stack.push_back(from);
    while (!stack.empty()) {
        PathNode* parent = stack.back();
        stack.pop_back();
        const float g = std::trunc(parent->g) + 1;
        for (PathNode* child : parent->children) {
            if (!child || !(child->g > g)) continue;
            child->g = g;
            child->parent = parent;
            child->f = g + child->h;
            stack.push_back(child);
        }
    }
}

// Adds or improves the neighbour (x, y, z) of node; false when a node could
// not be allocated.
bool AddNeighbour(PathNode* node, int x, int y, int z, int gx, int gy, int gz) {
    const float g = std::trunc(node->g) + 1;
    auto found = index.find({x, y, z});
    if (found != index.end()) {
        PathNode* other = found->second.node;
        AddChild(node, other);
        if (g < other->g) {
            other->g = g;
            other->parent = node;
            other->f = g + other->h;
            if (found->second.closed) Propagate(other);
        }
        return true;
    }
    PathNode* fresh = NewNode();
    if (!fresh) return false;
    fresh->x = x;
    fresh->y = y;
    fresh->z = z;
    fresh->parent = node;
    fresh->g = g;
    fresh->h = Distance(x, y, z, gx, gy, gz);
    fresh->f = g + fresh->h;
    InsertOpen(fresh);
    index.emplace(CellKey{x, y, z}, Indexed{fresh, false});
    AddChild(node, fresh);
    return true;
}

void FreeList(PathNode*& head) {
    while (head) {
        PathNode* next = head->next;
        free(head);
        --liveNodes;
        head = next;
    }
}

// Where the walker standing at (x, y, z) can go in direction d, and at which
// height.  A diagonal step also needs both orthogonal cells beside it; the
// height is the diagonal cell's own, as when walking by hand.
bool CanStep(int x, int y, int z, int d, int* newZ) {
    PathManager::StandingTest stand = PathManager::standingTest;
    if (!stand) return false;
    if (!stand(x + DIR_DX[d], y + DIR_DY[d], z, d, newZ)) return false;
    if ((d & 1) == 0) return true;
    int sideZ = 0;
    const int left = d - 1;
    const int right = (d + 1) & 7;
    return stand(x + DIR_DX[left], y + DIR_DY[left], z, left, &sideZ) &&
           stand(x + DIR_DX[right], y + DIR_DY[right], z, right, &sideZ);
}

}  // namespace

PathWalk g_pathWalk;

PathManager::StandingTest PathManager::standingTest = &MoveManager::CalcStandingZ;

void PathManager::startup() {
    TWReport::message("PathManager::startup: begin.\n");
    g_pathWalk.active = FALSE;
    openHead = closedHead = nullptr;
    index.clear();
    stack.clear();
    stack.reserve(64);
}

void PathManager::shutdown() {
    TWReport::message("PathManager::shutdown: begin.\n");
    FreeNodes();
    stack = std::vector<PathNode*>();
}

void PathManager::reset() {
    FreeNodes();
    stack.clear();
    standingTest = &MoveManager::CalcStandingZ;
}

int PathManager::LiveNodes() {
    return liveNodes;
}

void PathManager::FreeNodes() {
    // The path walker may still hold a node of this search; it must not walk
    // on through freed memory.
    g_pathWalk.active = FALSE;
    g_pathWalk.node = nullptr;
    FreeList(openHead);
    FreeList(closedHead);
    index.clear();
}

PathNode* PathManager::FindPath(int startX, int startY, int startZ, int goalX, int goalY, int goalZ,
                                int limit, int tolerance) {
    // Nodes of an earlier search that nobody freed could never be freed
    // once the heads are replaced.
    FreeNodes();
    int expanded = 0;
    openHead = NewNode();
    closedHead = NewNode();
    PathNode* start = NewNode();
    if (!openHead || !closedHead || !start) {
        if (start) {
            free(start);
            --liveNodes;
        }
        FreeNodes();
        return nullptr;
    }
    start->x = startX;
    start->y = startY;
    start->z = startZ;
    start->h = Distance(startX, startY, startZ, goalX, goalY, goalZ);
    start->f = start->h;
    openHead->next = start;
    index.emplace(CellKey{startX, startY, startZ}, Indexed{start, false});

    for (;;) {
        PathNode* node = openHead->next;
        if (!node) break;
        openHead->next = node->next;
        node->next = closedHead->next;
        closedHead->next = node;
        index[{node->x, node->y, node->z}].closed = true;

        if (std::llabs(std::int64_t(goalX) - node->x) <= tolerance &&
            std::llabs(std::int64_t(goalY) - node->y) <= tolerance &&
            std::llabs(std::int64_t(goalZ) - node->z) <= 8)
            return node;

        ++expanded;
        if ((expanded > limit && !DebugMode()) || expanded > MAX_EXPANSIONS) break;

        bool allocated = true;
        for (int d = 0; d < 8 && allocated; ++d) {
            int z = 0;
            if (!CanStep(node->x, node->y, node->z, d, &z)) continue;
            allocated = AddNeighbour(node, node->x + DIR_DX[d], node->y + DIR_DY[d], z, goalX,
                                     goalY, goalZ);
        }
        if (!allocated) break;
    }
    // Nothing found: nobody will ask for these nodes.
    FreeNodes();
    return nullptr;
}
