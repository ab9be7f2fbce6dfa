#include "gumps/GumpHandle.h"

#include "gumps/Gump.h"

namespace {
// The innermost (most recently made) live handle; each links to the one made
// before it.
GumpHandle* g_innermost = nullptr;
}  // namespace

GumpHandle::GumpHandle(CGump* gump, OnClose onClose)
    : gump_(gump), onClose_(onClose), outer_(g_innermost) {
    if (outer_) outer_->inner_ = this;
    g_innermost = this;
}

GumpHandle::~GumpHandle() {
    // Handles usually die innermost first, but a handle kept in an object may
    // not: unlink from wherever it is.
    if (inner_) inner_->outer_ = outer_;
    if (outer_) outer_->inner_ = inner_;
    if (g_innermost == this) g_innermost = outer_;
}

void GumpHandle::GumpClosing(CGump* gump) {
    for (GumpHandle* h = g_innermost; h; h = h->outer_) {
        if (h->gump_ != gump) continue;
        switch (h->onClose_) {
            case OnClose::Forget:
                h->gump_ = nullptr;
                break;
            case OnClose::StepNext:
                h->gump_ = gump->next;
                break;
            case OnClose::StepPrevious:
                h->gump_ = gump->prev;
                break;
        }
    }
}
