// The play area's side of what the world model and the application ask of
// the view: the objects highlighted under the pointer, the lists of what is
// on screen, the criminal-warning switch, and the path walker that follows
// a path the world model found.
//
// The path walker copies the cells of the found path, start first, the
// moment it first walks it, so it never follows links into nodes that the
// path finder frees or reuses.  It steps only while fewer than 3 walk
// requests are unanswered; a step in a new direction is asked for twice,
// the first request turning the player, the second moving him.
#include <vector>

#include "Service.h"
#include "resources/GraphicManager.h"
#include "view/MapGump.h"
#include "view/PlayAreaState.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"
#include "world/Directions.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"

namespace {

constexpr int kMaxStepsInFlight = 3;

struct RouteCell {
    int x;
    int y;
    int z;
};

struct Route {
    std::vector<RouteCell> cells;
    size_t current = 0;
    int facing = 0;                  // the direction last asked for
    const PathNode* goal = nullptr;  // compared only, never followed
    bool stale = true;
};
Route g_route;
BOOL g_criminalWarning = TRUE;

void BuildRoute() {
    g_route.cells.clear();
    g_route.current = 0;
    g_route.facing = g_pathWalk.facing & 7;
    g_route.goal = g_pathWalk.node;
    g_route.stale = false;
    // A path never holds more nodes than a search can expand.
    for (const PathNode* n = g_pathWalk.node;
         n && g_route.cells.size() <= static_cast<size_t>(PathManager::MAX_EXPANSIONS);
         n = n->parent)
        g_route.cells.push_back(RouteCell{n->x, n->y, n->z});
    std::vector<RouteCell> forward(g_route.cells.rbegin(), g_route.cells.rend());
    g_route.cells.swap(forward);
}

int DirectionOf(int dx, int dy) {
    for (int d = 0; d < 8; ++d)
        if (DIR_DX[d] == dx && DIR_DY[d] == dy) return d;
    return -1;
}

// Ends the walk and frees the path's nodes (which stops the walker).
void EndWalk() {
    PathManager::FreeNodes();
    g_route = Route{};
}

void StepAlongPath() {
    if (!g_pathWalk.active || !pPlayerObject) return;
    if (MoveManager::requestsInFlight >= kMaxStepsInFlight) return;
    if (g_route.stale || g_route.goal != g_pathWalk.node) BuildRoute();
    if (g_route.current + 1 >= g_route.cells.size()) return EndWalk();
    const RouteCell& here = g_route.cells[g_route.current];
    const RouteCell& next = g_route.cells[g_route.current + 1];
    const int direction = DirectionOf(next.x - here.x, next.y - here.y);
    // Cells that are not neighbours cannot be walked: stop rather than
    // ask for the same impossible step every frame.
    if (direction < 0) return EndWalk();
    if (direction == g_route.facing) ++g_route.current;
    g_route.facing = direction;
    const RouteCell& from = g_route.cells[g_route.current];
    int standZ = 0;
    MoveManager::CalcStandingZ(from.x + DIR_DX[direction], from.y + DIR_DY[direction], from.z,
                               direction, &standZ);
    MoveManager::RequestMove(direction + 1, 0, TRUE);
}

bool OnScreen(const CDrawItem& item) {
    const int w = GraphicManager::getGameplayWindowPixelWidth();
    const int h = GraphicManager::getGameplayWindowPixelHeight();
    const RECT r{item.rect.left - g_viewOffsetX, item.rect.top - g_viewOffsetY,
                 item.rect.right - g_viewOffsetX, item.rect.bottom - g_viewOffsetY};
    return item.inList && r.right > 0 && r.bottom > 0 && r.left < w && r.top < h &&
           r.right > r.left && r.bottom > r.top;
}

class ViewPlayArea final : public WorldViewService, public PlayArea, public MapGumpService {
public:
    void FollowPathStep() override { StepAlongPath(); }

    void InvalidateScreen() override { ::InvalidateScreen(); }
    int GetMobilesOnScreen(CObj** out, int max) override {
        int count = 0;
        for (CMobile* m = CObjectManager::masterMobileList; m && count < max; m = m->mobileNext)
            if (m != pPlayerObject && OnScreen(*m)) out[count++] = m;
        return count;
    }
    int GetCorpsesOnScreen(CObj** out, int max) override {
        int count = 0;
        for (CDynamicObj* o = CObjectManager::masterDynamicObjectList; o && count < max;
             o = o->masterNext)
            if (o->IsCorpse() && OnScreen(*o)) out[count++] = o;
        return count;
    }
    void ForgetPointerObject(const CObj* object) override {
        // Called from destructors: only the serial is read.
        auto* obj = const_cast<CObj*>(object);
        if (!obj || !obj->IsDynamic()) return;
        const M_DWORD serial = static_cast<CDynamicObj*>(obj)->GetSerial();
        if (serial == g_onObjSerial) g_onObjSerial = 0;
        if (serial == g_onMobileSerial) g_onMobileSerial = 0;
    }
    void ClearCriminalWarning() override { g_criminalWarning = FALSE; }
    void RelinkPathBackPointers() override { playarea::ForgetRoute(); }

    CMapGump* MakeMapGump() override { return new CMapGump(); }
    void ForgetObjectUnderPointer() override {
        if (CMapGump* map = GraphicManager::pMapGump)
            map->ForgetHighlights();
        else
            g_onObjSerial = g_onMobileSerial = 0;
    }
};

ViewPlayArea g_playArea;

}  // namespace

namespace playarea {

PlayAreaSession* Session() {
    return tw::Service<PlayAreaSession>::IsInstalled() ? &tw::Service<PlayAreaSession>::Get()
                                                       : nullptr;
}

bool Targeting() {
    PlayAreaSession* session = Session();
    return session && session->IsTargeting();
}

bool WalkBusy() {
    return MoveManager::resync || MoveManager::requestsInFlight > 0;
}

bool CriminalWarning() {
    return g_criminalWarning != FALSE;
}

void ForgetRoute() {
    g_route.stale = true;
}

void reset() {
    g_route = Route{};
    g_criminalWarning = TRUE;
    g_onObjSerial = g_onMobileSerial = 0;
}

}  // namespace playarea

void InstallPlayArea() {
    tw::Service<WorldViewService>::Install(&g_playArea);
    tw::Service<PlayArea>::Install(&g_playArea);
    tw::Service<MapGumpService>::Install(&g_playArea);
}
