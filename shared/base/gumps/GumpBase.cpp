// CGump's life: the two constructors, the frame table and its pixel blocks,
// and the destructor that closes the children and forgets the gump.
#include <algorithm>

#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MinimizedPositions.h"
#include "gumps/GumpObjects.h"
#include "gumps/MouseManager.h"
#include "world/Obj.h"

CGump::CGump() {
    if (g_globalList) g_globalList->Register(this);
}

CGump::CGump(int xIn, int yIn, CGump* parentIn, CObj* ownerIn, int frameCountIn, int widthIn,
             int heightIn)
    : frameCount(std::max(frameCountIn, 0)),
      pitch(FramePitch(widthIn)),
      width(widthIn),
      height(heightIn),
      x(xIn),
      y(yIn),
      owner(ownerIn),
      restoreX(xIn),
      restoreY(yIn),
      iconX(xIn),
      iconY(yIn) {
    // The parent is not linked here: the caller links with PutInGump.
    (void)parentIn;
    if (frameCount > 0) frames = new GumpFrame[frameCount]();
    if (ObjectIsPlayer(owner)) artId = 0;
    if (g_globalList) g_globalList->Register(this);
}

CGump::~CGump() {
    ReleaseMinimizedPosition(this);

    // Walks that hold this gump step past it, and every kept pointer to it is
    // cleared, before anything is freed.
    GumpHandle::GumpClosing(this);
    CGumpManager::ForgetGump(this);

    // The children close first; a child may close its siblings while it does.
    const BOOL savedTeardown = g_gumpTeardown;
    g_gumpTeardown = TRUE;
    GumpHandle child(firstChild, GumpHandle::OnClose::StepNext);
    while (CGump* c = child.get()) {
        child.set(c->next);
        delete c;
    }
    g_gumpTeardown = savedTeardown;

    // Unlink.
    if (parent) {
        if (parent->firstChild == this) parent->firstChild = next;
        if (parent->lastChild == this) parent->lastChild = prev;
    } else {
        if (g_gumpList == this) g_gumpList = next;
        if (CGumpManager::tail == this) CGumpManager::tail = prev;
    }
    if (next) next->prev = prev;
    if (prev) prev->next = next;
    next = prev = nullptr;

    FreeFrames();
    validation = 0;
    if (g_globalList) g_globalList->Unregister(this);
}

void CGump::FreeFrames() {
    if (frames) {
        for (int i = 0; i < frameCount; ++i) delete[] frames[i].block;
        delete[] frames;
    }
    frames = nullptr;
    frameCount = 0;
}

M_WORD* CGump::NewFrameBlock(int index, int blockWidth, int blockHeight) {
    if (!frames || index < 0 || index >= frameCount || blockWidth <= 0 || blockHeight <= 0 ||
        blockWidth > 0xFFFF || blockHeight > 0xFFFF) {
        TWReport::error("CGump::NewFrameBlock: no frame %d of %d for a %d x %d block.\n", index,
                        frameCount, blockWidth, blockHeight);
        return nullptr;
    }
    delete[] frames[index].block;
    const size_t pixels = static_cast<size_t>(FramePitch(blockWidth)) * blockHeight;
    M_WORD* block = new M_WORD[2 + pixels]();
    block[0] = static_cast<M_WORD>(blockWidth);
    block[1] = static_cast<M_WORD>(blockHeight);
    frames[index].block = block;
    return block + 2;
}

M_WORD* CGump::FramePixels(int index) const {
    if (!frames || index < 0 || index >= frameCount || !frames[index].block) return nullptr;
    return frames[index].block + 2;
}

int CGump::FrameWidth(int index) const {
    return FramePixels(index) ? frames[index].block[0] : 0;
}

int CGump::FrameHeight(int index) const {
    return FramePixels(index) ? frames[index].block[1] : 0;
}

int CGump::GetTooltipId(int, int) {
    return tooltipId == NO_TOOLTIP_ID ? artId : tooltipId;
}

void CGump::HandleMouseMoveAway() {
    MouseManager::SetCursorType(0);
}
