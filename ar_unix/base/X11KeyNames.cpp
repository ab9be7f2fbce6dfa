// The X11 keysym names.  Xlib's keysym database needs no display; its calls
// still run under the X11 mutex, whichever thread calls.
#include <X11/Xlib.h>

#include "PlatformServices.h"
#include "X11Lock.h"

namespace {

class X11Names final : public KeyNames {
public:
    M_DWORD KeySymFromName(const char* name) override {
        X11Lock lock;
        const KeySym sym = XStringToKeysym(name);
        return sym == NoSymbol ? 0 : static_cast<M_DWORD>(sym);
    }
    const char* KeySymName(M_DWORD keysym) override {
        X11Lock lock;
        return XKeysymToString(static_cast<KeySym>(keysym));
    }
};

}  // namespace

KeyNames& X11KeyNames() {
    static X11Names names;
    return names;
}
