// tidemend: brings an installation up to date from a patch server before the
// game is started.  It takes no arguments and works in the current directory.
#include "OutputManager.h"
#include "PatchClient.h"

int main() {
    COutputManager out;
    // Exit status 1 tells the caller that the server said not to play.
    return DoIt(out) == 0 ? 1 : 0;
}
