// The bounded A* search on grid maps: shortest paths, the corner rule of
// diagonal steps, goal tolerance, the expansion bound, tie order and freeing.
#include <cstdlib>
#include <queue>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/TwTest.h"
#include "view/WorldView.h"
#include "world/Directions.h"
#include "world/PathManager.h"

using namespace tw::test;

namespace {

const bool registered = [] {
    AddServiceReset(&PathManager::reset);
    return true;
}();

// A map of rows: '#' blocks, '.' is floor at z 0, a digit n is floor at z 5n.
// Cells outside the rows block unless the map is open.  Every cell a search
// expands is recorded in order (the cell a standing query comes from).
struct GridMap {
    std::vector<std::string> rows;
    bool open = false;  // an endless floor at z 0
    std::vector<std::pair<int, int>> expanded;

    bool Floor(int x, int y, int* z) const {
        if (open) {
            *z = 0;
            return true;
        }
        if (y < 0 || y >= int(rows.size()) || x < 0 || x >= int(rows[y].size())) return false;
        char c = rows[y][x];
        if (c == '#') return false;
        *z = c >= '0' && c <= '9' ? (c - '0') * 5 : 0;
        return true;
    }
};
GridMap* map = nullptr;

BOOL GridStand(int x, int y, int z, int d, int* standZ) {
    std::pair<int, int> from{x - DIR_DX[d], y - DIR_DY[d]};
    if (map->expanded.empty() || map->expanded.back() != from) map->expanded.push_back(from);
    int floor = 0;
    // Up by at most one height step.
    if (!map->Floor(x, y, &floor) || floor > z + 5) return FALSE;
    *standZ = floor;
    return TRUE;
}

class PathTest : public TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        PathManager::startup();
        PathManager::standingTest = &GridStand;
        map = &grid;
    }

    // The cells of the found path from start to goal; empty when none.
    std::vector<PathNode*> Find(int sx, int sy, int gx, int gy, int limit = 5000, int tolerance = 0,
                                int sz = 0, int gz = 0) {
        grid.expanded.clear();
        std::vector<PathNode*> path;
        for (PathNode* n = PathManager::FindPath(sx, sy, sz, gx, gy, gz, limit, tolerance); n;
             n = n->parent) {
            path.insert(path.begin(), n);
            if (path.size() > 100000) ADD_FAILURE() << "parent links run in a circle";
            if (path.size() > 100000) break;
        }
        return path;
    }

    // Fewest steps on the grid by breadth-first search, with the same rules
    // (diagonals need both sides); -1 when unreachable.
    int Shortest(int sx, int sy, int gx, int gy) {
        std::set<std::pair<int, int>> seen{{sx, sy}};
        std::queue<std::pair<std::pair<int, int>, int>> todo;
        todo.push({{sx, sy}, 0});
        while (!todo.empty()) {
            auto [cell, steps] = todo.front();
            todo.pop();
            if (cell == std::make_pair(gx, gy)) return steps;
            int z = 0;
            grid.Floor(cell.first, cell.second, &z);
            for (int d = 0; d < 8; ++d) {
                if (!Enterable(cell.first, cell.second, z, d)) continue;
                std::pair<int, int> next{cell.first + DIR_DX[d], cell.second + DIR_DY[d]};
                if (seen.insert(next).second) todo.push({next, steps + 1});
            }
        }
        return -1;
    }

    bool Enterable(int x, int y, int z, int d) {
        auto ok = [&](int e) {
            int fz = 0;
            return grid.Floor(x + DIR_DX[e], y + DIR_DY[e], &fz) && fz <= z + 5;
        };
        if (!ok(d)) return false;
        return (d & 1) == 0 || (ok(d - 1) && ok((d + 1) & 7));
    }

    // Every step of the path is one allowed step onto the cell's own height.
    void ExpectWalkable(const std::vector<PathNode*>& path) {
        for (size_t i = 1; i < path.size(); ++i) {
            int dx = path[i]->x - path[i - 1]->x;
            int dy = path[i]->y - path[i - 1]->y;
            int d = 0;
            while (d < 8 && (DIR_DX[d] != dx || DIR_DY[d] != dy)) ++d;
            ASSERT_LT(d, 8) << "step " << i << " is not to a neighbour";
            EXPECT_TRUE(Enterable(path[i - 1]->x, path[i - 1]->y, path[i - 1]->z, d))
                << "step " << i;
            int z = 0;
            grid.Floor(path[i]->x, path[i]->y, &z);
            EXPECT_EQ(path[i]->z, z) << "step " << i;
            EXPECT_EQ(path[i]->g, float(i));
        }
    }

    GridMap grid;
};

}  // namespace

TEST_F(PathTest, FindsAShortestPathWhereOneExists) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        int sx, sy, gx, gy;
        int gz = 0;
    } cases[] = {
        {"open diagonal", {"......", "......", "......", "......", "......", "......"}, 0, 0, 5, 5},
        {"wall with a gap", {"........", "#####.##", "........", "........"}, 0, 0, 1, 3},
        {"no cutting corners", {".#", ".."}, 0, 0, 1, 1},
        {"a diagonal step takes its own cell's height", {"0.", ".1"}, 0, 0, 1, 1, 5},
        {"round a pillar", {".....", ".###.", ".#.#.", ".###.", "....."}, 2, 0, 2, 4},
        {"stairs up one step at a time", {"0123456", "#######"}, 0, 0, 6, 0, 30},
        {"up by one height step, not two",
         {"0.1.....", ".#2#....", ".#2#....", "........"},
         0,
         0,
         2,
         2,
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid.rows = c.rows;
        std::vector<PathNode*> path = Find(c.sx, c.sy, c.gx, c.gy, 5000, 0, 0, c.gz);
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(path.front()->x, c.sx);
        EXPECT_EQ(path.front()->y, c.sy);
        EXPECT_EQ(path.back()->x, c.gx);
        EXPECT_EQ(path.back()->y, c.gy);
        EXPECT_EQ(int(path.size()) - 1, Shortest(c.sx, c.sy, c.gx, c.gy));
        ExpectWalkable(path);
        PathManager::FreeNodes();
    }
}

TEST_F(PathTest, PathsOnRandomMapsAreWalkableAndSeldomLongerThanNeeded) {
    std::mt19937 random(12345);
    int found = 0;
    int longer = 0;
    for (int round = 0; round < 60; ++round) {
        grid.rows.assign(16, std::string(16, '.'));
        for (auto& row : grid.rows)
            for (char& c : row)
                if (random() % 4 == 0) c = '#';
        grid.rows[0][0] = grid.rows[15][15] = '.';
        int best = Shortest(0, 0, 15, 15);
        std::vector<PathNode*> path = Find(0, 0, 15, 15);
        ASSERT_EQ(path.empty(), best < 0) << "round " << round;
        if (best < 0) continue;
        ++found;
        ExpectWalkable(path);
        EXPECT_GE(int(path.size()) - 1, best);
        if (int(path.size()) - 1 > best) ++longer;
        PathManager::FreeNodes();
    }
    EXPECT_GT(found, 10);
    // The distance estimate is the straight line, a little more than a
    // diagonal step costs: a detour is possible, but rare.
    EXPECT_LE(longer, found / 4);
}

TEST_F(PathTest, GoalToleranceAcceptsANearCellWithinEightOfTheGoalHeight) {
    grid.rows = {".....", ".....", "..#..", ".....", "....."};
    struct Case {
        int tolerance, goalZ;
        bool found;
    } cases[] = {{0, 0, false}, {1, 0, true}, {1, 8, true}, {1, 9, false}, {1, -8, true}};
    for (const Case& c : cases) {
        std::vector<PathNode*> path = Find(0, 0, 2, 2, 5000, c.tolerance, 0, c.goalZ);
        EXPECT_EQ(!path.empty(), c.found) << c.tolerance << "/" << c.goalZ;
        if (!path.empty()) {
            EXPECT_LE(std::abs(path.back()->x - 2), 1);
            EXPECT_LE(std::abs(path.back()->y - 2), 1);
            EXPECT_EQ(path.size(), 2u);  // (1, 1) is the first cell in reach
        }
        PathManager::FreeNodes();
    }
}

TEST_F(PathTest, TheStartIsTheGoalEvenWithLimitZero) {
    grid.rows = {"...", "..."};
    std::vector<PathNode*> path = Find(1, 1, 1, 1, 0);
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0]->g, 0.0f);
    EXPECT_EQ(path[0]->parent, nullptr);
    EXPECT_TRUE(grid.expanded.empty());
    PathManager::FreeNodes();

    EXPECT_TRUE(Find(0, 0, 2, 1, 0).empty());
    EXPECT_EQ(grid.expanded.size(), 0u) << "limit 0 expands nothing";
}

TEST_F(PathTest, TheSearchStopsAtItsLimitAndNeverBeyond5000Expansions) {
    // A serpentine maze: corridors joined at alternate ends, goal at the far
    // end of the last one.
    const int width = 60;
    const int corridors = 100;
    grid.rows.clear();
    for (int c = 0; c < corridors; ++c) {
        grid.rows.push_back(std::string(width, '.'));
        if (c + 1 == corridors) break;
        std::string wall(width, '#');
        wall[c % 2 == 0 ? width - 1 : 0] = '.';
        grid.rows.push_back(wall);
    }
    const int goalX = corridors % 2 == 0 ? 0 : width - 1;
    const int goalY = 2 * (corridors - 1);

    EXPECT_TRUE(Find(0, 0, goalX, goalY, 300).empty());
    EXPECT_EQ(grid.expanded.size(), 300u);

    EXPECT_TRUE(Find(0, 0, goalX, goalY, 100000).empty());
    EXPECT_EQ(grid.expanded.size(), size_t(PathManager::MAX_EXPANSIONS));

    // The same maze cut short enough is solved.
    grid.rows.resize(2 * 30 - 1);
    std::vector<PathNode*> path = Find(0, 0, 0, 2 * 29, 5000);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(int(path.size()) - 1, Shortest(0, 0, 0, 2 * 29));
    ExpectWalkable(path);
}

TEST_F(PathTest, AmongEqualNodesTheNewestIsExpandedFirst) {
    // Only east and west lead on from the start; both are as far from the
    // unreachable goal, and west is found last.
    grid.rows = {"#######", "#.....#", "#######"};
    EXPECT_TRUE(Find(3, 1, 3, 9).empty());
    ASSERT_GE(grid.expanded.size(), 2u);
    EXPECT_EQ(grid.expanded[0], std::make_pair(3, 1));
    EXPECT_EQ(grid.expanded[1], std::make_pair(2, 1));
}

TEST_F(PathTest, FarApartPointsStillSteerTowardTheGoal) {
    // The squared distance of points this far apart does not fit 32 bits.
    grid.open = true;
    EXPECT_TRUE(Find(0, 0, 60000, 0, 20).empty());
    ASSERT_EQ(grid.expanded.size(), 20u);
    for (int n = 0; n < 20; ++n) EXPECT_GE(grid.expanded[n].first, 0) << n;
    EXPECT_GE(grid.expanded.back().first, 10);
}

TEST_F(PathTest, ANewSearchAndAFailedOneLeaveNoNodesBehind) {
    grid.rows = {"....", "....", "...."};
    ASSERT_FALSE(Find(3, 2, 0, 0).empty());
    const int oneSearch = PathManager::LiveNodes();
    EXPECT_GT(oneSearch, 0);
    ASSERT_FALSE(Find(0, 0, 3, 2).empty());
    ASSERT_FALSE(Find(3, 2, 0, 0).empty());
    EXPECT_EQ(PathManager::LiveNodes(), oneSearch) << "the nodes nobody freed went first";
    EXPECT_TRUE(Find(0, 0, 9, 9).empty());
    EXPECT_EQ(PathManager::LiveNodes(), 0) << "a search that finds nothing frees everything";
    PathManager::FreeNodes();
    EXPECT_EQ(PathManager::LiveNodes(), 0);
}

TEST_F(PathTest, FreedNodesAreNoLongerWalked) {
    grid.rows = {"....", "...."};
    // Freed by hand, and by a later search that finds nothing (as when a
    // followed mobile can no longer be reached).
    for (bool byHand : {true, false}) {
        PathNode* goal = PathManager::FindPath(0, 0, 0, 3, 1, 0, 5000, 0);
        ASSERT_NE(goal, nullptr);
        g_pathWalk.active = TRUE;
        g_pathWalk.node = goal;
        if (byHand)
            PathManager::FreeNodes();
        else
            EXPECT_EQ(PathManager::FindPath(0, 0, 0, 9, 9, 0, 5000, 0), nullptr);
        EXPECT_FALSE(g_pathWalk.active) << byHand;
        EXPECT_EQ(g_pathWalk.node, nullptr) << byHand;
    }
}
