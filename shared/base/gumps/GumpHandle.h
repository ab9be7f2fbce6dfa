// A pointer to a gump that survives the gump's closing.
//
// Handlers close gumps at any time: a gump may close itself or a neighbour
// from Tick, a button callback or a mouse event.  Whoever walks a list of
// gumps, or calls a gump twice in a row, holds its gump in a GumpHandle: when
// that gump closes, the handle moves on to the gump's next (or previous)
// sibling, or becomes null, before any memory is freed.  The walks of the
// gump manager (update, close, draw) are handles; the mouse dispatch holds
// the hovered gump in one between its move event and its tick.
//
// Handles live on the stack of the walk that uses them and are registered
// while they live; main thread only.
#pragma once

class CGump;

class GumpHandle {
public:
    // What the handle does when its gump closes.
    enum class OnClose { Forget, StepNext, StepPrevious };

    explicit GumpHandle(CGump* gump = nullptr, OnClose onClose = OnClose::Forget);
    ~GumpHandle();
    GumpHandle(const GumpHandle&) = delete;
    GumpHandle& operator=(const GumpHandle&) = delete;

    CGump* get() const { return gump_; }
    void set(CGump* gump) { gump_ = gump; }
    explicit operator bool() const { return gump_ != nullptr; }

    // Called by the closing gump, before it unlinks: every handle on it
    // steps on or forgets it.
    static void GumpClosing(CGump* gump);

private:
    CGump* gump_;
    OnClose onClose_;
    GumpHandle* outer_;
    GumpHandle* inner_ = nullptr;
};
