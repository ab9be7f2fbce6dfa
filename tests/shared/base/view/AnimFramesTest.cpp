// Animation frames: the choice of animation number and frame, the checked
// reading of frames from untrusted items, the frame blitter's hue modes,
// mirroring, the shadow and the frame hit test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "resources/HueManager.h"
#include "resources/SpanHandlers.h"
#include "support/datafiles/AnimFormats.h"
#include "view/AnimFrames.h"
#include "view/Light.h"
#include "view/WorldView.h"

namespace {

namespace df = tw::datafiles;

constexpr M_WORD kRed = 0x7C00;   // not grey
constexpr M_WORD kGrey = 0x4210;  // red level 16
constexpr M_WORD kBlue = 0x001F;
constexpr M_WORD kGround = 0x3DEF;  // 15 in each channel

// A 3 x 2 frame anchored at its pixel (1, 1):  red grey .  /  blue blue blue
df::Bytes SmallItem() {
    std::array<M_WORD, 256> colours{};
    colours[1] = kRed;
    colours[2] = kGrey;
    colours[3] = kBlue;
    df::AnimFrame f;
    f.anchorX = 1;
    f.anchorY = 1;
    f.width = 3;
    f.height = 2;
    f.indexes = {1, 2, 0, 3, 3, 3};
    return df::EncodeAnimation(colours, {f});
}

class AnimFrames : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        target.assign(100 * 80, kGround);
        thelightthingie::target = WorldTarget{target.data(), 100, 100, 80};
        g_viewOffsetX = g_viewOffsetY = 0;
        item = SmallItem();
        ASSERT_TRUE(ReadAnimFrame(item.data(), item.size(), 0, &frame));
    }
    M_WORD At(int x, int y) const { return target[static_cast<size_t>(y) * 100 + x]; }

    std::vector<M_WORD> target;
    df::Bytes item;
    AnimFrame frame;
};

struct IdCase {
    int body, direction, stepCounter, actionFrame, actionNumber;
    int number, frame;
};

TEST_F(AnimFrames, TheAnimationNumberComesFromBodyActionAndDirection) {
    const IdCase cases[] = {
        // An action animation: action & 127; above 34 plays action 0 from frame 0.
        {10, 3, 0, 4, 2, 110 * 10 + 5 * 2 + 0, 4},
        {10, 3, 0, 4, 35, 110 * 10 + 0, 0},
        {10, 3, 0, 4, 130, 110 * 10 + 5 * 2 + 0, 4},
        // Standing (no mobile): bodies below 150 action 1, one frame.
        {10, 1, 7, -1, 0, 110 * 10 + 5 * 1 + 2, 0},
        {10, 5, 7, -1, 0, 110 * 10 + 5 * 1 + 2, 0},
        {13, 0, 7, -1, 0, 110 * 13 + 5 * 8 + 3, 7 % 5},
        {150, 7, 3, -1, 0, 110 * 150 + 5 * 2 + 4, 0},
        {250, 4, 3, -1, 0, 22000 + 65 * 50 + 5 * 2 + 1, 0},
        // Bodies 400 and above standing in peace with no weapon: action 4.
        {400, 3, 3, -1, 0, 35000 + 5 * 4 + 0, 0},
        {401, 6, 3, -1, 0, 35000 + 175 + 5 * 4 + 3, 0},
        // Body 574 stands in its own way: action 0 over 10 frames.
        {574, 3, 12, -1, 0, 35000 + 175 * 174 + 0, 12 % 9},
    };
    for (const IdCase& c : cases) {
        int number = -1, frameIndex = -1;
        GetAnimationId(c.body, c.direction, c.stepCounter, c.actionFrame, 0, c.actionNumber, FALSE,
                       &number, &frameIndex, nullptr);
        EXPECT_EQ(number, c.number) << "body " << c.body << " direction " << c.direction;
        EXPECT_EQ(frameIndex, c.frame) << "body " << c.body << " direction " << c.direction;
    }
    EXPECT_TRUE(IsMirrored(1));
    EXPECT_FALSE(IsMirrored(5));
    EXPECT_TRUE(IsMirrored(0x82)) << "bit 7 (running) is not part of the direction";
}

TEST_F(AnimFrames, ACorpseShowsFrame3Or5OfItsDeathFall) {
    struct {
        int body, direction, number, frame;
    } cases[] = {
        {10, 3, 1100 + 5 * 2 + 0, 3},      {10, 0x83, 1100 + 5 * 3 + 0, 3},
        {160, 0x83, 17600 + 5 * 8 + 0, 5}, {250, 0x80, 25250 + 5 * 12 + 3, 5},
        {400, 2, 35000 + 5 * 21 + 1, 5},   {400, 0x82, 35000 + 5 * 22 + 1, 5},
    };
    for (const auto& c : cases) {
        int number, frameIndex;
        GetCorpseAnimation(c.body, c.direction, &number, &frameIndex);
        EXPECT_EQ(number, c.number) << c.body << "/" << c.direction;
        EXPECT_EQ(frameIndex, c.frame) << c.body << "/" << c.direction;
    }
}

TEST_F(AnimFrames, AFrameIsReadOnlyWhenItAndAllItsRunsLieInsideTheItem) {
    struct Case {
        const char* what;
        void (*spoil)(df::Bytes&);
        int index;
    };
    const Case cases[] = {
        {"cut before its count", [](df::Bytes& b) { b.resize(515); }, 0},
        {"a count larger than its offsets", [](df::Bytes& b) { std::memset(&b[512], 0xFF, 4); }, 0},
        {"no frame (offset 0)", [](df::Bytes& b) { std::memset(&b[516], 0, 4); }, 0},
        {"an offset past the end", [](df::Bytes& b) { b[516 + 2] = 0x7F; }, 0},
        {"cut inside a run", [](df::Bytes& b) { b.resize(b.size() - 6); }, 0},
        {"cut before the end marker", [](df::Bytes& b) { b.resize(b.size() - 4); }, 0},
        {"a run longer than the item", [](df::Bytes& b) { b[520 + 8] = 0xFF, b[520 + 9] |= 0x0F; },
         0},
        {"an index before the first", [](df::Bytes&) {}, -1},
        {"an index past the count", [](df::Bytes&) {}, 1},
    };
    for (const Case& c : cases) {
        df::Bytes bytes = SmallItem();
        c.spoil(bytes);
        // A copy of the exact size, so that the sanitizers see any read past it.
        std::vector<M_BYTE> exact(bytes.begin(), bytes.end());
        AnimFrame f;
        EXPECT_FALSE(ReadAnimFrame(exact.data(), exact.size(), c.index, &f)) << c.what;
        EXPECT_EQ(f.runs, nullptr) << c.what;
    }
    size_t size = 1;
    EXPECT_EQ(GetAnimationItem(-1, &size), nullptr);
    EXPECT_EQ(GetAnimationItem(99999, &size), nullptr) << "beyond the index";
    EXPECT_EQ(size, 0u);
}

TEST_F(AnimFrames, TheFrameIsDrawnInItsHueMode) {
    HueManager::hueTable[4].colors[31] = 0x0101;
    HueManager::hueTable[4].colors[16] = 0x0202;
    const M_BYTE* scale = ChannelScaleTable[23 - 16];
    const M_WORD darkGround = static_cast<M_WORD>(scale[15] << 10 | scale[15] << 5 | scale[15]);
    struct Case {
        int hue;
        M_WORD red, grey;  // what the red and the grey pixel become
    } cases[] = {
        {0, kRed, kGrey},
        {5, 0x0101, 0x0202},
        {3001, kRed, kGrey},  // no such hue: unhued
        {0x8005, kRed, 0x0202},
        {0x8000, kRed, kGrey},
        {0x4005, kGround, darkGround},  // red level 31: level 0, unchanged
        {0xC005, kRed, darkGround},
    };
    for (const Case& c : cases) {
        std::fill(target.begin(), target.end(), kGround);
        BlitAnimFrame(FALSE, c.hue, 50, 40, RECT{0, 0, 100, 80}, frame);
        EXPECT_EQ(At(49, 39), c.red) << std::hex << c.hue;
        EXPECT_EQ(At(50, 39), c.grey) << std::hex << c.hue;
        EXPECT_EQ(At(51, 39), kGround) << "a hole";
    }
}

TEST_F(AnimFrames, MirroredRunsAreReadBackwardsAndTheClipCutsPixels) {
    BlitAnimFrame(TRUE, 0, 50, 40, RECT{0, 0, 100, 80}, frame);
    EXPECT_EQ(At(49, 39), kGrey);
    EXPECT_EQ(At(50, 39), kRed);
    EXPECT_EQ(At(48, 40), kBlue);
    EXPECT_EQ(At(51, 40), kGround);
    std::fill(target.begin(), target.end(), kGround);
    g_viewOffsetX = 10;  // the anchor is in world pixels
    BlitAnimFrame(FALSE, 0, 60, 40, RECT{50, 40, 51, 41}, frame);
    for (int y = 38; y < 42; ++y)
        for (int x = 47; x < 53; ++x)
            EXPECT_EQ(At(x, y), x == 50 && y == 40 ? kBlue : kGround) << x << "," << y;
    // A clip larger than the target stays inside it.
    BlitAnimFrame(FALSE, 0, 0, 0, RECT{-500, -500, 500, 500}, frame);
}

TEST_F(AnimFrames, AShadowHalvesTheRowsOfEvenOffsetAtHalfHeightShearedRight) {
    std::array<M_WORD, 256> colours{};
    df::AnimFrame f;
    f.anchorX = 0;
    f.anchorY = 21;
    f.width = 2;
    f.height = 22;
    f.indexes.assign(44, 0);
    f.indexes[0] = f.indexes[1] = 1;  // row offset -21: odd, no shadow
    f.indexes[2] = f.indexes[3] = 1;  // row offset -20
    df::Bytes bytes = df::EncodeAnimation(colours, {f});
    AnimFrame shadowFrame;
    ASSERT_TRUE(ReadAnimFrame(bytes.data(), bytes.size(), 0, &shadowFrame));
    BlitAnimFrameShadow(FALSE, 50, 40, RECT{0, 0, 100, 80}, shadowFrame);
    const M_WORD half = static_cast<M_WORD>((kGround & 0x7BDE) >> 1);
    int changed = 0;
    for (M_WORD p : target) changed += p != kGround;
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(At(60, 30), half);
    EXPECT_EQ(At(61, 30), half);
}

TEST_F(AnimFrames, APointHitsOnlyTheFramesPixels) {
    struct {
        int x, y;
        BOOL flipped, hit;
    } cases[] = {
        {49, 39, FALSE, TRUE},  {50, 39, FALSE, TRUE},  {51, 39, FALSE, FALSE},
        {51, 40, FALSE, TRUE},  {52, 40, FALSE, FALSE}, {50, 41, FALSE, FALSE},
        {48, 39, FALSE, FALSE}, {49, 39, TRUE, TRUE},   {51, 39, TRUE, FALSE},
        {48, 40, TRUE, TRUE},   {51, 40, TRUE, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitFrameRuns(c.x, c.y, c.flipped, 50, 40, frame), c.hit)
            << c.x << "," << c.y << (c.flipped ? " flipped" : "");
}

}  // namespace
