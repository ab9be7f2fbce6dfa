#include "support/fakes/FakeArtData.h"

#include "resources/ArtRemap.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<int>& ArtRequests() {
    static std::vector<int> ids;
    return ids;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { ArtRequests().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

SkipImage GetArtData(int id) {
    tw::fake::ArtRequests().push_back(id);
    return SkipImage();
}

int SkipImage::Width() const {
    return 0;
}

int SkipImage::Height() const {
    return 0;
}

int GetGumpArtSize(int, int* width, int* height) {
    *width = 0;
    *height = 0;
    return 0;
}

int RemapStaticIdByVariant(int id) {
    return id;
}

M_WORD GetArtPixel(const SkipImage&, int, int) {
    return 0;
}

M_WORD GumpArtHitTest(int, int, int) {
    return 0;
}
