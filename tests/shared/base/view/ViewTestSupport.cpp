#include "ViewTestSupport.h"

#include <string>

#include "FileManager.h"
#include "FrameBuf.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "config/Config.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace tw::test {

namespace {
const bool registered = [] {
    // Run in reverse: the objects go before the table they are filed in,
    // the back buffer last.
    AddServiceReset([] {
        g_backBuffer = nullptr;
        g_displayWidth = 640;
        g_displayHeight = 480;
        g_ringStart = g_viewX = g_viewY = 0;
        g_viewOffsetX = g_viewOffsetY = 0;
    });
    AddServiceReset([] {
        DrawManager::reset();
        MapManager::reset();
        thelightthingie::reset();
        CDHDCache::reset();
        HueManager::reset();
        GraphicManager::reset();
        ResetConfigForTests();
    });
    AddServiceReset([] { CObjectManager::reset(); });
    return true;
}();
}  // namespace

void ViewTest::SetUp() {
    TwTest::SetUp();
    // The view's and the application's own services, as the program
    // installs them, and the stand-ins of what is not built yet.
    InstallPendingServices();
    InstallViewServices();
    InstallAppServices();
    FileManager::startup();
}

void ViewTest::StartWorld(const datafiles::sample::SampleWorld& world) {
    WriteWorld(world);
    StartServices();
}

void ViewTest::WriteWorld(const datafiles::sample::SampleWorld& world) {
    ASSERT_TRUE(datafiles::sample::WriteSampleWorld(world, dir()));
    // The other data files only have to exist.
    for (const char* name : {"soundidx.mul", "sound.mul", "gumpidx.mul", "gumpart.mul", "multi.idx",
                             "multi.mul", "skills.idx", "skills.mul"})
        datafiles::WriteBytes(name, datafiles::Bytes(12, 0xFF));
}

void ViewTest::StartServices() {
    hdConfig = MaxHD;
    GraphicManager::startup();
    HueManager::startup();
    CDHDCache::startup();
    CDHDCache::Init();
    CObjectManager::startup();
    DrawManager::ClearTable();
    DrawManager::startup();
    MapManager::startup();
    thelightthingie::startup();
}

void ViewTest::StartSampleWorld() {
    StartWorld(datafiles::sample::MakeSampleWorld());
}

void ViewTest::UseBackBuffer(int width, int height, int playWidth, int playHeight, bool is565) {
    backBuffer.assign(static_cast<size_t>(width) * height, 0);
    g_backBuffer = backBuffer.data();
    g_displayWidth = width;
    g_displayHeight = height;
    g_ringStart = 0;
    GraphicManager::setGameplayWindowPixelWidthAndHeight(playWidth, playHeight);
    use565 = is565 ? TRUE : FALSE;
    thelightthingie::BuildLightTables();
    InvalidateScreen();
}

CPlayer* ViewTest::PlacePlayer(int x, int y) {
    signed char corners[4];
    MapManager::GetLandCornerZ(x, y, corners);
    const int z = corners[0];
    pPlayerObject = new CPlayer(1, 400, 0);
    pPlayerObject->ToWorld(
        Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
    MapManager::SetCenter(x, y, z, 0);
    pPlayerObject->RemoveFromDrawList();
    pPlayerObject->CalcDrawZ();
    pPlayerObject->AddToDrawList();
    InvalidateScreen();
    return pPlayerObject;
}

void ViewTest::Paint() {
    thelightthingie::PaintFrame();
}

Image16 ViewTest::PlayArea() const {
    return PlayAreaOf(backBuffer, g_displayWidth, g_displayHeight, g_ringStart, PlayAreaWidth(),
                      PlayAreaHeight(), use565 ? 16 : 15);
}

Image16 PlayAreaOf(const std::vector<M_WORD>& ring, int width, int height, int ringStart,
                   int playWidth, int playHeight, int depth) {
    Image16 image;
    image.width = playWidth;
    image.height = playHeight;
    image.depth = depth;
    image.pixels.resize(static_cast<size_t>(playWidth) * playHeight);
    const long total = static_cast<long>(width) * height;
    for (int y = 0; y < playHeight; ++y)
        for (int x = 0; x < playWidth; ++x) {
            long at = (ringStart + static_cast<long>(y) * width + x) % total;
            if (at < 0) at += total;
            image.pixels[static_cast<size_t>(y) * playWidth + x] = ring[static_cast<size_t>(at)];
        }
    return image;
}

}  // namespace tw::test
