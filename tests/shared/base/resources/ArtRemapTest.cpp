// Art id remapping.
#include <gtest/gtest.h>

#include "resources/ArtRemap.h"

TEST(ArtRemap, VariantsMapOnlyTheirIds) {
    struct Case {
        int variant;
        M_DWORD land;
        int landOut;
        int staticId;
        int staticOut;
    } cases[] = {
        {1, 100, 100, 3239, 3239},       {0, 100, 100, 3239, 3204}, {0, 16384, 16384, 3211, 3211},
        {2, 0xFFFFFFFF, -1, 3212, 3270}, {2, 5, 5, 3481, 3483},     {3, 16383, 16383, 3239, 3239},
        {7, 42, 42, 3204, 3204},
    };
    for (const Case& c : cases) {
        g_artVariant = c.variant;
        EXPECT_EQ(RemapArtIdByVariant(c.land), c.landOut) << c.variant;
        EXPECT_EQ(RemapStaticIdByVariant(c.staticId), c.staticOut) << c.variant;
    }
    g_artVariant = 1;
}
