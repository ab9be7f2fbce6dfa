// The software cursor's pictures and their drawing.
//
// Two paths draw the cursor, and both save exactly the pixels under it:
// between frames the cursor thread puts it on the window (MoveCursor: the
// window's pixels are saved, the cursor is composed over a copy and put on
// the window; the next move puts the saved pixels back first); inside a
// present it is drawn into the back buffer before the frame goes out and
// the saved pixels are written back afterwards (DrawCursor, EraseCursor).
// After a present the save-under holds what the window shows under the
// cursor, so the next window move restores it.
#include "view/MouseCursor.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "CursorWindow.h"
#include "FrameBuf.h"
#include "ProcessFlags.h"
#include "Service.h"
#include "TWReport.h"
#include "X11Lock.h"
#include "config/Config.h"
#include "gumps/MouseManager.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "view/DrawManager.h"
#include "world/Obj.h"

namespace {

constexpr int kFirstArt = MouseManager::FIRST_CURSOR_ART;
constexpr int kArtCount = 39;  // arts 24659 to 24697
// The war-mode arts, tinted by the configured colour.
constexpr int kTintedArts = 23;
constexpr M_WORD kHotSpotMarker = 992;
// The save-under and compose buffers are never smaller.
constexpr int kMinBufferSide = 4;
// Cursor art comes from a data file; a side beyond this is refused so that
// the buffers stay small (and hot spots fit their 8 bits).
constexpr int kMaxCursorSide = 256;

struct CursorImage {
    int width = 0;
    int height = 0;
    std::vector<M_WORD> pixels;
};

// Filled by LoadCursorArt before the cursor thread starts; afterwards used
// under the X11 mutex.
CursorImage g_images[kArtCount];
int g_maxWidth = 0;
int g_maxHeight = 0;
std::vector<M_WORD> g_saveUnder;
std::vector<M_WORD> g_compose;
RECT g_saveRect{0, 0, 0, 0};
bool g_saveValid = false;
// The cursor was drawn into the back buffer for the present under way.
bool g_drawnInFrame = false;
CursorSnapshot g_snapshot;
std::atomic<bool> g_enabled{false};

// The size of the picture in the last snapshot.
std::mutex g_sizeMutex;
int g_snapWidth = 0;
int g_snapHeight = 0;

const CursorImage* imageOf(int art) {
    const int index = art - kFirstArt;
    if (index < 0 || index >= kArtCount || g_images[index].pixels.empty()) return nullptr;
    return &g_images[index];
}

// The snapshot of one redraw: where, which shape and art, and its size.
const CursorImage* takeSnapshot() {
    g_snapshot = MouseManager::TakeSnapshot();
    const CursorImage* image = imageOf(g_snapshot.art);
    std::lock_guard<std::mutex> size(g_sizeMutex);
    g_snapWidth = image ? image->width : 0;
    g_snapHeight = image ? image->height : 0;
    return image;
}

// The snapshot's rectangle cut to the screen.
RECT snapshotRect(const CursorImage& image) {
    return RECT{std::max(g_snapshot.x, 0), std::max(g_snapshot.y, 0),
                std::min(g_snapshot.x + image.width, g_displayWidth),
                std::min(g_snapshot.y + image.height, g_displayHeight)};
}

// The hot spot's marker: the first 992 of the top row gives x, the first
// row that begins with 992 gives y; an unmarked art leaves them alone.
void findHotSpot(const SkipImage& art, int* hotX, int* hotY) {
    const int width = art.Width(), height = art.Height();
    for (int x = 0; x < width; ++x)
        if (GetArtPixel(art, x, 0) == kHotSpotMarker) {
            *hotX = x;
            break;
        }
    for (int y = 0; y < height; ++y)
        if (GetArtPixel(art, 0, y) == kHotSpotMarker) {
            *hotY = y;
            break;
        }
}

bool artUsable(const SkipImage& art, int id) {
    if (!art) {
        TWReport::error("MouseManager::LoadCursorArt: cursor art %d is missing.\n", id);
        return false;
    }
    if (art.Width() <= 1 || art.Height() <= 1 || art.Width() > kMaxCursorSide ||
        art.Height() > kMaxCursorSide) {
        TWReport::error("MouseManager::LoadCursorArt: cursor art %d is %dx%d; left out.\n", id,
                        art.Width(), art.Height());
        return false;
    }
    return true;
}

// Channel by channel, (tint channel x red) / 32 of every opaque pixel.
void tint(CursorImage& image, int colour) {
    const int tr = (colour >> 10) & 31, tg = (colour >> 5) & 31, tb = colour & 31;
    for (M_WORD& p : image.pixels) {
        if (p == 0) continue;
        const int r = (p >> 10) & 31;
        p = static_cast<M_WORD>((tr * r / 32) << 10 | (tg * r / 32) << 5 | (tb * r / 32));
    }
}

void widenTo565(CursorImage& image) {
    for (M_WORD& p : image.pixels)
        if (p != 0) p = static_cast<M_WORD>(((p & 0x7FE0) << 1) | (p & 0x1F));
}

// The ring offset of screen pixel (0, 0), in 0 .. total - 1.
long ringOffset(long width, long total) {
    long offset = (static_cast<long>(g_ringStart) - g_viewX - width * g_viewY) % total;
    return offset < 0 ? offset + total : offset;
}

// Calls piece(ring index, first column of the piece, count) for the parts of
// a screen row's span that do not cross the ring's end.
template <typename Piece>
void ringSpan(int x, int y, int count, Piece piece) {
    const long width = g_displayWidth, total = width * g_displayHeight;
    const long start = (static_cast<long>(y) * width + x + ringOffset(width, total)) % total;
    const int first = static_cast<int>(std::min<long>(count, total - start));
    piece(start, 0, first);
    if (first < count) piece(0L, first, count - first);
}

class ViewCursor final : public MouseCursorService {
public:
    void LoadCursorArt() override;
    void FreeCursorArt() override;
    void EnableCursor(BOOL on) override { g_enabled = on != 0; }
    void GetCursorSize(int* width, int* height) override {
        std::lock_guard<std::mutex> size(g_sizeMutex);
        *width = g_snapWidth;
        *height = g_snapHeight;
    }
    void MoveCursor(BOOL takeDisplayLock) override;
    void DrawCursor() override;
    void EraseCursor() override;
    void GetTileUnderPoint(int x, int y, int* cellX, int* cellY) override;
};

void ViewCursor::LoadCursorArt() {
    FreeCursorArt();
    for (int shape = 0; shape < MouseManager::NUM_SHAPES; ++shape) {
        int first = -1, last = -1;
        MouseManager::GetShapeArts(shape, &first, &last);
        if (first < 0) continue;
        int hotX = 0, hotY = 0, width = 0, height = 0;
        bool usable = true;
        for (int id = first; id <= last; ++id) {
            const SkipImage art = GetArtData(id);
            if (!artUsable(art, id)) {
                usable = false;
                continue;
            }
            findHotSpot(art, &hotX, &hotY);
            width = std::max(width, art.Width());
            height = std::max(height, art.Height());
        }
        // A shape whose art is missing stays unloaded: it has no hot spot
        // and draws nothing.
        if (usable) MouseManager::SetShapeArt(shape, hotX, hotY, width, height);
    }

    g_maxWidth = g_maxHeight = kMinBufferSide;
    for (int index = 0; index < kArtCount; ++index) {
        const SkipImage art = GetArtData(kFirstArt + index);
        if (!art || art.Width() <= 1 || art.Height() <= 1 || art.Width() > kMaxCursorSide ||
            art.Height() > kMaxCursorSide)
            continue;
        CursorImage& image = g_images[index];
        image.width = art.Width() & ~1;
        image.height = art.Height();
        image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
        // The marker row and column stay out.
        const BlitTarget target(image.pixels.data(), image.width, image.height);
        SkipDrawClipped(CopySpan, art, target.Clipped(RECT{1, 1, image.width - 1, image.height}), 0,
                        0);
        if (index < kTintedArts && CombatHueColor != 0) tint(image, CombatHueColor);
        if (use565) widenTo565(image);
        g_maxWidth = std::max(g_maxWidth, image.width);
        g_maxHeight = std::max(g_maxHeight, image.height);
    }
    g_saveUnder.assign(static_cast<size_t>(g_maxWidth) * g_maxHeight, 0);
    g_compose.assign(g_saveUnder.size(), 0);
}

void ViewCursor::FreeCursorArt() {
    for (CursorImage& image : g_images) image = CursorImage{};
    g_saveUnder = std::vector<M_WORD>();
    g_compose = std::vector<M_WORD>();
    g_maxWidth = g_maxHeight = 0;
    g_saveValid = g_drawnInFrame = false;
    g_snapshot = CursorSnapshot{};
    std::lock_guard<std::mutex> size(g_sizeMutex);
    g_snapWidth = g_snapHeight = 0;
}

void ViewCursor::MoveCursor(BOOL takeDisplayLock) {
    if (g_quitFlag.load() != 0 || !g_enabled || MouseManager::GetShape() < 0) return;
    std::unique_lock<std::recursive_mutex> display(X11Mutex(), std::defer_lock);
    if (takeDisplayLock) display.lock();
    const CursorImage* image = takeSnapshot();
    if (!MouseThread) return;
    CursorWindow& window = tw::Service<CursorWindow>::Get();
    if (g_saveValid) {
        const RECT& r = g_saveRect;
        window.WriteWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, g_saveUnder.data());
        g_saveValid = false;
    }
    if (!image) return;
    const RECT r = snapshotRect(*image);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    // Unreadable pixels are not saved: putting them back later would paint
    // garbage on the window.
    if (!window.ReadWindow(r.left, r.top, w, h, g_saveUnder.data())) return;
    g_saveRect = r;
    g_saveValid = true;
    std::copy_n(g_saveUnder.data(), static_cast<size_t>(w) * h, g_compose.data());
    BlitRowsWithHandler(CopySpanTransparent, image->pixels.data(), image->width, image->height,
                        g_snapshot.x - r.left, g_snapshot.y - r.top,
                        BlitTarget(g_compose.data(), w, h));
    window.WriteWindow(r.left, r.top, w, h, g_compose.data());
    MouseManager::ClearShapeChanged();
}

void ViewCursor::DrawCursor() {
    g_drawnInFrame = false;
    if (!g_enabled) return;
    int pointerX = 0, pointerY = 0;
    if (tw::Service<CursorWindow>::Get().QueryPointer(&pointerX, &pointerY)) {
        int x = 0, y = 0;
        MouseManager::GetMousePos(&x, &y);
        if (pointerX != x || pointerY != y) {
            MouseManager::SetPos(pointerX, pointerY);
            MouseManager::SetMouseCursor();
            MoveCursor(FALSE);
        }
    }
    const CursorImage* image = takeSnapshot();
    if (!image || !g_backBuffer || g_displayWidth <= 0 || g_displayHeight <= 0) return;
    const RECT r = snapshotRect(*image);
    const int w = r.right - r.left;
    if (w <= 0 || r.bottom <= r.top) return;
    for (int y = r.top; y < r.bottom; ++y) {
        M_WORD* save = g_saveUnder.data() + static_cast<size_t>(y - r.top) * w;
        const M_WORD* art = image->pixels.data() +
                            static_cast<size_t>(y - g_snapshot.y) * image->width +
                            (r.left - g_snapshot.x);
        ringSpan(r.left, y, w, [&](long index, int column, int count) {
            std::copy_n(g_backBuffer + index, count, save + column);
            CopySpanTransparent(g_backBuffer + index, art + column, count);
        });
    }
    g_saveRect = r;
    g_saveValid = true;
    g_drawnInFrame = true;
}

void ViewCursor::EraseCursor() {
    if (g_drawnInFrame && g_backBuffer) {
        const RECT& r = g_saveRect;
        const int w = r.right - r.left;
        for (int y = r.top; y < r.bottom; ++y) {
            const M_WORD* save = g_saveUnder.data() + static_cast<size_t>(y - r.top) * w;
            ringSpan(r.left, y, w, [&](long index, int column, int count) {
                std::copy_n(save + column, count, g_backBuffer + index);
            });
        }
        // The window now shows the cursor over exactly these pixels.
        g_saveValid = true;
    } else {
        g_saveValid = false;
    }
    g_drawnInFrame = false;
    MouseManager::ClearShapeChanged();
}

void ViewCursor::GetTileUnderPoint(int x, int y, int* cellX, int* cellY) {
    *cellX = *cellY = -1;
    // The picking works in play-area coordinates.
    if (CDrawItem* land = DrawManager::GetTerrainAtScreenPoint(x - g_viewX, y - g_viewY)) {
        *cellX = land->locX;
        *cellY = land->locY;
    }
}

}  // namespace

MouseCursorService& ViewMouseCursor() {
    // Never destroyed: FreeCursorArt runs from atexit after static
    // destructors may have begun.
    static ViewCursor* cursor = new ViewCursor;
    return *cursor;
}

const M_WORD* CursorArtPicture(int art, int* width, int* height) {
    const CursorImage* image = imageOf(art);
    *width = image ? image->width : 0;
    *height = image ? image->height : 0;
    return image ? image->pixels.data() : nullptr;
}
