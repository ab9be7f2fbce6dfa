// The frame's repaint: every dirty rectangle drawn and lit in the ring.
#include "FrameBuf.h"
#include "config/Config.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/Repaint.h"
#include "world/MultiTarget.h"

WorldTarget thelightthingie::target;

namespace {

// Points the draw target at the play area's pixel (0, 0) for a rectangle:
// at the ring start, or one ring before it when the rectangle lies past the
// wrap point.  No rectangle straddles that point, so every pixel of it then
// lands inside the ring without further wrapping.
void AimAt(const RECT& r) {
    const long s = g_displayWidth;
    const long total = s * g_displayHeight;
    long o = total > 0 ? g_ringStart % total : 0;
    if (o < 0) o += total;
    const long first = static_cast<long>(r.top) * s + r.left;
    const long shift = first >= total - o ? o - total : o;
    thelightthingie::target.origin = g_backBuffer + shift;
    thelightthingie::target.pitch = static_cast<int>(s);
    thelightthingie::target.width = PlayAreaWidth();
    thelightthingie::target.height = PlayAreaHeight();
}

}  // namespace

void thelightthingie::PaintFrame() {
    const WorldTarget saved = target;
    if (g_backBuffer) {
        for (int i = 0; i < DirtyList::count; ++i) {
            // A scroll may have moved it since it was marked.
            RECT r = DirtyList::rects[i];
            r.left = r.left < 0 ? 0 : r.left;
            r.top = r.top < 0 ? 0 : r.top;
            if (r.right > PlayAreaWidth()) r.right = PlayAreaWidth();
            if (r.bottom > PlayAreaHeight()) r.bottom = PlayAreaHeight();
            if (r.right <= r.left || r.bottom <= r.top) continue;
            AimAt(r);
            DrawManager::DrawWorldRect(r);
            if (ColoredLighting)
                RepaintTiles(r);
            else
                RepaintTilesMono(r);
        }
    }
    target = saved;
    DirtyList::count = 0;
    DirtyList::fullRepaintPending = FALSE;

    // The placement preview exists only while the frame is painted: taking
    // it away marks its area for the next frame.
    if (g_multiTarget) {
        DirtyList::largeList = TRUE;
        ClearMultiTargetPreview();
        DirtyList::largeList = FALSE;
    }
}
