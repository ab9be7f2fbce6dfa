// The mouse manager's position, kind and shape, its geometry against the
// play window, and the dispatch of mouse events to gumps.  The cursor's
// pictures and their drawing belong to the world view (view/MouseCursor.cpp).
#include "gumps/MouseManager.h"

#include <mutex>

#include "FrameBuf.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "resources/GraphicManager.h"

namespace {

std::mutex g_positionMutex;
std::mutex g_shapeMutex;
std::mutex g_sizeMutex;
std::mutex g_kindMutex;

// Guarded by the position mutex: the top-left corner of the cursor image.
int g_x = 0;
int g_y = 0;
// Guarded by the shape mutex.
int g_shape = -1;
int g_art = -1;
int g_frame = 0;
// Guarded by the size mutex.
int g_drawnWidth = 0;
int g_drawnHeight = 0;
// Guarded by the kind mutex.
int g_kind = 0;
bool g_shapeChanged = true;
// Main thread.
int g_busy = 0;

// The shape table: its arts; hot spots and sizes come with the art.
struct Shape {
    int firstArt = -1;
    int lastArt = -1;
    int hotX = 0;
    int hotY = 0;
    int width = 0;
    int height = 0;
    bool loaded = false;
};
Shape g_shapes[MouseManager::NUM_SHAPES];

void fillShapeTable() {
    for (Shape& s : g_shapes) s = Shape{};
    auto set = [](int shape, int first, int last) {
        g_shapes[shape].firstArt = first;
        g_shapes[shape].lastArt = last;
    };
    const int base = MouseManager::FIRST_CURSOR_ART;
    for (int n = 0; n < 8; ++n) {
        set(n, base + n, base + n);
        set(8 + n, base + n, base + n);
        set(23 + n, base + 23 + n, base + 23 + n);
        set(31 + n, base + 23 + n, base + 23 + n);
    }
    set(16, base + 8, base + 8);
    set(17, base + 9, base + 10);
    for (int n = 0; n < 5; ++n) set(18 + n, base + 11 + n, base + 11 + n);
    set(39, base + 31, base + 31);
    set(40, base + 32, base + 33);
    for (int n = 0; n < 5; ++n) set(41 + n, base + 34 + n, base + 34 + n);
}

// The hot spot of the current shape (none while it is -1 or not loaded);
// called with the position mutex held.
void hotSpot(int* hx, int* hy) {
    std::lock_guard<std::mutex> shape(g_shapeMutex);
    *hx = *hy = 0;
    if (g_shape < 0 || !g_shapes[g_shape].loaded) return;
    *hx = g_shapes[g_shape].hotX;
    *hy = g_shapes[g_shape].hotY;
}

// Moves the hot spot without choosing a shape.
void moveTo(int x, int y) {
    std::lock_guard<std::mutex> position(g_positionMutex);
    int hx = 0, hy = 0;
    hotSpot(&hx, &hy);
    g_x = x - hx;
    g_y = y - hy;
}

// A capture that fails the pointer check is logged and dropped.
bool captureValid(const char* caller) {
    if (TW_VALIDATE_OBJECT(MouseManager::pCapture)) return true;
    TWReport::error(
        "%s: either pointer 'pCapture' is not valid, or the data it points to is not valid. "
        "setting 'pCapture = 0'.\n",
        caller);
    MouseManager::pCapture = nullptr;
    return false;
}

// The gump under a screen point for the right button: as the manager's hit
// search, but speech is never taken.
CGump* rightButtonGumpAt(int x, int y) {
    if (CGumpManager::modalGump) return CGumpManager::GetGumpAt(x, y, nullptr, 0);
    for (CGump* g = g_gumpList; g; g = g->next) {
        if (!g->visible || g->IsBarkGump()) continue;
        int gx = x, gy = y;
        CGump::ScreenToGumpCoords(g, &gx, &gy);
        if (g->HitTest(gx, gy)) return g->GetGumpAt(gx, gy, nullptr, 0);
    }
    return nullptr;
}

// Sends a point event to a gump at gump coordinates.
template <typename Event>
void atGumpCoords(CGump* gump, int x, int y, Event event) {
    CGump::ScreenToGumpCoords(gump, &x, &y);
    event(gump, x, y);
}

bool strictlyInside(CGump* gump, int x, int y) {
    const RECT r = gump->ScreenRect();
    return x > r.left && y > r.top && x < r.right && y < r.bottom;
}

}  // namespace

void MouseManager::startup() {
    TWReport::message("MouseManager::startup: begin.\n");
    reset();
}

void MouseManager::reset() {
    pCapture = nullptr;
    g_busy = 0;
    {
        std::lock_guard<std::mutex> position(g_positionMutex);
        g_x = g_y = 0;
    }
    {
        std::lock_guard<std::mutex> shape(g_shapeMutex);
        g_shape = -1;
        g_art = -1;
        g_frame = 0;
        fillShapeTable();
    }
    {
        std::lock_guard<std::mutex> size(g_sizeMutex);
        g_drawnWidth = g_drawnHeight = 0;
    }
    std::lock_guard<std::mutex> kind(g_kindMutex);
    g_kind = 0;
    g_shapeChanged = true;
}

void MouseManager::shutdown() {
    pCapture = nullptr;
}

void MouseManager::SetPos(int x, int y) {
    // The cursor thread calls this: the shape is chosen on the main thread.
    moveTo(x, y);
}

void MouseManager::GetMousePos(int* x, int* y) {
    std::lock_guard<std::mutex> position(g_positionMutex);
    int hx = 0, hy = 0;
    hotSpot(&hx, &hy);
    *x = g_x + hx;
    *y = g_y + hy;
}

BOOL MouseManager::CursorNeedsRedraw() {
    std::lock_guard<std::mutex> kind(g_kindMutex);
    return g_shapeChanged ? TRUE : FALSE;
}

void MouseManager::SetCursorType(int kind) {
    if (!tw::Service<GumpSession>::Get().IsInWorld()) kind = NORMAL_CURSOR;
    if (kind == BUSY_CURSOR && g_busy == 0) g_busy = 1;
    const int stored = g_busy > 0 ? BUSY_CURSOR : kind;
    std::lock_guard<std::mutex> lock(g_kindMutex);
    if (stored != g_kind) g_shapeChanged = true;
    g_kind = stored;
}

int MouseManager::GetCursorType() {
    std::lock_guard<std::mutex> lock(g_kindMutex);
    return g_kind;
}

void MouseManager::BeginWait() {
    ++g_busy;
}

void MouseManager::EndWait() {
    if (g_busy > 0) --g_busy;
}

int MouseManager::BusyCount() {
    return g_busy;
}

int MouseManager::GetShape() {
    std::lock_guard<std::mutex> shape(g_shapeMutex);
    return g_shape;
}

void MouseManager::SetMouseCursor() {
    const int direction = GetMouseDirection(FALSE);
    const bool peace = !tw::Service<GumpSession>::Get().PlayerAtWar();
    const bool near = IsMouseNearPlayer();
    std::lock_guard<std::mutex> shapeLock(g_shapeMutex);
    int kind = 0;
    {
        std::lock_guard<std::mutex> kindLock(g_kindMutex);
        kind = g_kind;
    }
    int shape = kind;
    if (kind == 0) shape = direction >= 0 && direction <= 7 ? direction + (near ? 8 : 0) : 17;
    if (peace) shape += PEACE_SHAPES;
    if (shape < -1 || shape >= NUM_SHAPES || shape == g_shape) return;
    {
        std::lock_guard<std::mutex> kindLock(g_kindMutex);
        g_shapeChanged = true;
    }
    {
        std::lock_guard<std::mutex> sizeLock(g_sizeMutex);
        g_drawnWidth = shape >= 0 ? g_shapes[shape].width : 0;
        g_drawnHeight = shape >= 0 ? g_shapes[shape].height : 0;
    }
    g_shape = shape;
    g_frame = 0;
    g_art = shape >= 0 ? g_shapes[shape].firstArt : -1;
}

void MouseManager::GetShapeArts(int shape, int* firstArt, int* lastArt) {
    *firstArt = *lastArt = -1;
    if (shape < 0 || shape >= NUM_SHAPES) return;
    std::lock_guard<std::mutex> lock(g_shapeMutex);
    *firstArt = g_shapes[shape].firstArt;
    *lastArt = g_shapes[shape].lastArt;
}

void MouseManager::SetShapeArt(int shape, int hotX, int hotY, int width, int height) {
    if (shape < 0 || shape >= NUM_SHAPES) return;
    // Hot spots are read under the position mutex, sizes under the size
    // mutex; the table itself under the shape mutex.
    std::lock_guard<std::mutex> position(g_positionMutex);
    std::lock_guard<std::mutex> shapeLock(g_shapeMutex);
    std::lock_guard<std::mutex> size(g_sizeMutex);
    Shape& s = g_shapes[shape];
    s.hotX = hotX;
    s.hotY = hotY;
    s.width = width;
    s.height = height;
    s.loaded = true;
    if (shape == g_shape) {
        g_drawnWidth = width;
        g_drawnHeight = height;
    }
}

CursorSnapshot MouseManager::TakeSnapshot() {
    CursorSnapshot snap;
    std::lock_guard<std::mutex> position(g_positionMutex);
    std::lock_guard<std::mutex> shape(g_shapeMutex);
    snap.x = g_x;
    snap.y = g_y;
    snap.shape = g_shape;
    snap.art = g_art;
    return snap;
}

void MouseManager::ClearShapeChanged() {
    std::lock_guard<std::mutex> kind(g_kindMutex);
    g_shapeChanged = false;
}

int MouseManager::GetMouseDirection(BOOL anyPosition) {
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    const int width = GraphicManager::getGameplayWindowPixelWidth();
    const int height = GraphicManager::getGameplayWindowPixelHeight();
    if (!anyPosition &&
        (x < g_viewX || y < g_viewY || x >= g_viewX + width || y >= g_viewY + height))
        return -1;
    const int dx = x - (g_viewX + GraphicManager::getGameplayWindowCenterX());
    const int dy = y - (g_viewY + GraphicManager::getGameplayWindowCenterY());
    if (dx >= 1) {
        if (dy < -2 * dx) return 0;
        if (2 * dy < -dx) return 1;
        if (2 * dy < dx) return 2;
        if (dy < 2 * dx) return 3;
        return 4;
    }
    if (dy > -2 * dx) return 4;
    if (2 * dy > -dx) return 5;
    if (2 * dy > dx) return 6;
    if (dy > 2 * dx) return 7;
    return 0;
}

BOOL MouseManager::IsMouseNearPlayer() {
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    const long dx = x - (g_viewX + GraphicManager::getGameplayWindowPixelWidth() / 2);
    const long dy = y - (g_viewY + GraphicManager::getGameplayWindowPixelHeight() / 2);
    return 9 * dx * dx + 16 * dy * dy < 409601 ? TRUE : FALSE;
}

void MouseManager::OnLButtonDown(short sx, short sy) {
    moveTo(sx, sy);
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    if (!pCapture) pCapture = CGumpManager::GetGumpAt(x, y, nullptr, 1);
    if (!pCapture || !captureValid("MouseManager::OnLButtonDown")) return;
    atGumpCoords(pCapture, x, y, [](CGump* g, int gx, int gy) { g->HandleLButtonDown(gx, gy); });
}

void MouseManager::OnLButtonUp(short sx, short sy) {
    moveTo(sx, sy);
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    if (!pCapture || !captureValid("MouseManager::OnLButtonUp")) return;
    if (CGumpManager::helpTextGump && pCapture->parent == CGumpManager::helpTextGump) {
        // A button of the help text gets the screen point.
        CGump* capture = pCapture;
        pCapture = nullptr;
        capture->HandleLButtonUp(x, y);
        return;
    }
    atGumpCoords(pCapture, x, y, [](CGump* g, int gx, int gy) { g->HandleLButtonUp(gx, gy); });
}

void MouseManager::OnRButtonDown(short sx, short sy) {
    moveTo(sx, sy);
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    if (!pCapture) pCapture = rightButtonGumpAt(x, y);
    if (!pCapture || !captureValid("MouseManager::OnRButtonDown")) return;
    atGumpCoords(pCapture, x, y, [](CGump* g, int gx, int gy) { g->HandleRButtonDown(gx, gy); });
}

void MouseManager::OnRButtonUp(short sx, short sy) {
    moveTo(sx, sy);
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    if (pCapture && CGumpManager::helpTextGump && pCapture->parent == CGumpManager::helpTextGump) {
        pCapture = nullptr;
    } else if (pCapture && captureValid("MouseManager::OnRButtonUp")) {
        atGumpCoords(pCapture, x, y, [](CGump* g, int gx, int gy) { g->HandleRButtonUp(gx, gy); });
    }
    // A right click inside the help text closes it (closing clears the
    // manager's pointer).
    if (CGumpManager::helpTextGump && strictlyInside(CGumpManager::helpTextGump, x, y))
        delete CGumpManager::helpTextGump;
}

void MouseManager::UpdateHelpHovering() {
    if (tw::Service<GumpScreen>::IsInstalled()) tw::Service<GumpScreen>::Get().UpdateHelpHovering();
}

void MouseManager::Update() {
    UpdateHelpHovering();
    SetMouseCursor();
    int x = 0, y = 0;
    GetMousePos(&x, &y);
    if (pCapture && captureValid("MouseManager::Update"))
        atGumpCoords(pCapture, x, y, [](CGump* g, int gx, int gy) { g->HandleMouseDrag(gx, gy); });

    // Each handler may close gumps: the hovered gump is held in a handle
    // between its calls, and the capture and the hovered gump are cleared by
    // the closing itself.
    GumpHandle hovered(CGumpManager::GetGumpAt(x, y, nullptr, 0));
    if (CGumpManager::mouseonGump && CGumpManager::mouseonGump != hovered.get())
        CGumpManager::mouseonGump->HandleMouseMoveAway();
    CGumpManager::mouseonGump = hovered.get();
    if (CGump* g = hovered.get()) {
        atGumpCoords(g, x, y, [](CGump* h, int gx, int gy) { h->HandleMouseMove(gx, gy); });
        if (CGump* still = hovered.get()) still->Tick();
    }
    if (pCapture && captureValid("MouseManager::Update")) pCapture->Tick();
}
