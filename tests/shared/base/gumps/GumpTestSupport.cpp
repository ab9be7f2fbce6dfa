#include "GumpTestSupport.h"

#include "gumps/MouseManager.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "FileManager.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/ToolTipGump.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/UnicodeFont.h"
#include "strings/LanguageManager.h"
#include "support/datafiles/DataFiles.h"
#include "view/MouseCursor.h"
#include "view/ViewServices.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"

namespace tw::test {

namespace {
const bool registered = [] {
    AddServiceReset([] {
        CGumpManager::reset();
        CObjectManager::reset();
        CDHDCache::reset();
        ResetUnicodeFontsForTests();
        LanguageManager::reset();
        ResetConfigForTests();
        ClosedGumps().clear();
    });
    return true;
}();
}  // namespace

std::vector<std::string>& ClosedGumps() {
    static std::vector<std::string> closed;
    return closed;
}

TestGump::TestGump(int x, int y, int w, int h, const char* gumpName)
    : CGump(x, y, nullptr, nullptr, 1, w, h) {
    name = gumpName;
}

TestGump::~TestGump() {
    ClosedGumps().push_back(name);
    if (onClose) onClose();
}

void TestGump::Fill(M_WORD colour) {
    if (M_WORD* pixels = NewFrameBlock(0, width, height))
        std::fill_n(pixels, static_cast<size_t>(FramePitch(width)) * height, colour);
}

CGump* GumpDoubles::Made(TestGump* gump, const std::string& call) {
    calls.push_back(call + " " + std::to_string(gump->x) + " " + std::to_string(gump->y));
    return gump;
}

CGump* GumpDoubles::CreateTextGump(int x, int y) {
    auto* g = new TestGump(x, y, 100, 100, "text gump");
    g->text = TRUE;
    return Made(g, "CreateTextGump");
}

CGump* GumpDoubles::CreateStatusGump(CObj* object, int flag) {
    auto* g = new TestGump(0, 0, 100, 60, "status gump");
    g->status = TRUE;
    g->owner = object;
    return Made(g, "CreateStatusGump " + std::to_string(flag));
}

CGump* GumpDoubles::CreatePaperdollGump(int x, int y, CGump*, CObj* object, int, int width,
                                        int height, const char*, int) {
    auto* g = new TestGump(x, y, width, height, "paperdoll gump");
    g->paperdoll = TRUE;
    g->owner = object;
    return Made(g, "CreatePaperdollGump");
}

CGump* GumpDoubles::CreateShopGump(int x, int y, CObj* object) {
    auto* g = new TestGump(x, y, 100, 100, "shop gump");
    g->shop = TRUE;
    g->owner = object;
    return Made(g, "CreateShopGump");
}

CGump* GumpDoubles::CreateStackGump(int x, int y, CObj* object) {
    auto* g = new TestGump(x, y, 60, 40, "stack gump");
    g->stack = TRUE;
    g->owner = object;
    return Made(g, "CreateStackGump");
}

CGump* GumpDoubles::CreateOptionsGump() {
    return Made(new TestGump(0, 0, 100, 100, "options gump"), "CreateOptionsGump");
}

CGump* GumpDoubles::CreateRadarGump(int x, int y, int id) {
    auto* g = new TestGump(x, y, 100, 100, "radar gump");
    g->radar = TRUE;
    return Made(g, "CreateRadarGump " + std::to_string(id));
}

CGump* GumpDoubles::CreateContainerGump(int x, int y, CGump*, CObj* object, int, int width,
                                        int height, int gumpId) {
    auto* g = new TestGump(x, y, width, height, "container gump");
    g->container = TRUE;
    g->owner = object;
    return Made(g, "CreateContainerGump " + std::to_string(gumpId));
}

CGump* GumpDoubles::CreatePointGump(int x, int y, BOOL) {
    auto* g = new TestGump(0, 0, 10, 10, "point gump");
    g->point = TRUE;
    g->target = {x, y};
    return Made(g, "CreatePointGump");
}

CGump* GumpDoubles::CreateGMChatGump(int x, int y, int w, int h) {
    auto* g = new TestGump(x, y, w, h, "help chat");
    CGumpManager::pGMChatGump = g;
    return Made(g, "CreateGMChatGump");
}

CGump* GumpDoubles::CreateHTMLGump(int x, int y, int w, int h) {
    auto* g = new TestGump(x, y, w, h, "html gump");
    CGumpManager::pHTMLGump = g;
    return Made(g, "CreateHTMLGump");
}

CGump* GumpDoubles::CreateMailGump(int x, int y, int w, int h) {
    auto* g = new TestGump(x, y, w, h, "mail gump");
    CGumpManager::pMailGump = g;
    return Made(g, "CreateMailGump");
}

void GumpDoubles::ForgetGump(CGump* gump) {
    if (gump == CGumpManager::toolTipGump && gump->drawn) {
        ++toolTipsClosed;
        toolTips.push_back(RECT{gump->x, gump->y, gump->x + gump->width, gump->y + gump->height});
    }
}

void CaptureFrameBuf::PresentWrapped(int x, int y) {
    ++presents;
    const long w = g_displayWidth, total = w * g_displayHeight;
    const long start = static_cast<long>(y) * w + x;
    shown.resize(static_cast<size_t>(total));
    for (long i = 0; i < total; ++i) shown[i] = g_backBuffer[(start + i) % total];
}

void GumpTest::SetUp() {
    TwTest::SetUp();
    // The services not built yet are the program's stand-ins; the world
    // model meets the real framework.
    InstallPendingServices();
    // The view's software cursor, without pictures and off until a test
    // loads and enables it.
    tw::Service<MouseCursorService>::Install(&ViewMouseCursor());
    MouseManager::FreeCursorArt();
    MouseManager::EnableCursor(FALSE);
    // A mobile leaving the world asks the view's circle of transparency to
    // forget it.
    tw::Service<CircleOfTransparency>::Install(&ViewCircleService());
    objectGumps_ = std::make_unique<tw::ScopedService<ObjectGumps>>(&worldGumps_);
    factory_ = std::make_unique<tw::ScopedService<GumpFactory>>(&doubles);
    screen_ = std::make_unique<tw::ScopedService<GumpScreen>>(&doubles);
    session_ = std::make_unique<tw::ScopedService<GumpSession>>(&doubles);
    UseScreen(640, 480);
    MouseManager::reset();
}

void GumpTest::TearDown() {
    while (CGump* head = g_gumpList) delete head;
    g_frameBuf = nullptr;
    g_backBuffer = nullptr;
    g_displayWidth = 640;
    g_displayHeight = 480;
    g_ringStart = g_viewX = g_viewY = 0;
    session_.reset();
    screen_.reset();
    factory_.reset();
    // The resets free the world objects, which still tell their gumps.
    TwTest::TearDown();
    objectGumps_.reset();
}

void GumpTest::UseScreen(int width, int height) {
    g_displayWidth = width;
    g_displayHeight = height;
    g_ringStart = g_viewX = g_viewY = 0;
    backBuffer.assign(static_cast<size_t>(width) * height, 0);
    for (size_t i = 0; i < backBuffer.size(); ++i)
        backBuffer[i] = static_cast<M_WORD>((i * 7 + 3) & 0x7FFF);
    g_backBuffer = backBuffer.data();
    CGumpManager::SizeSaveBuffer(width, height);
    CGumpManager::mainBitmapReleased = FALSE;
}

M_WORD& GumpTest::ScreenPixel(int x, int y) {
    const long total = static_cast<long>(g_displayWidth) * g_displayHeight;
    long index = (static_cast<long>(y) * g_displayWidth + x + g_ringStart - g_viewX -
                  static_cast<long>(g_displayWidth) * g_viewY) %
                 total;
    if (index < 0) index += total;
    return g_backBuffer[index];
}

TestGump* GumpTest::Open(int x, int y, int w, int h, CGump* parent, const char* gumpName) {
    auto* g = new TestGump(x, y, w, h, gumpName);
    g->PutInGump(parent);
    return g;
}

std::vector<std::pair<int, datafiles::Image>> ToolTipArt(int changed, int widthChange) {
    std::vector<std::pair<int, datafiles::Image>> art;
    for (auto& piece : datafiles::ToolTipFrameArt(changed, widthChange))
        art.emplace_back(piece.id, piece.image);
    return art;
}

void InstallGumpArt(const std::vector<std::pair<int, datafiles::Image>>& art,
                    const datafiles::IndexedPair* staticArt) {
    FileManager::startup();
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        datafiles::WriteBytes(CDHDCache::GetFileName(i),
                              datafiles::Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    datafiles::IndexedPair gumps;
    for (const auto& [id, image] : art) datafiles::AddGumpArt(gumps, id, image);
    gumps.write("gumpidx.mul", "gumpart.mul");
    if (staticArt) staticArt->write("artidx.mul", "art.mul");
    const datafiles::Bytes font = datafiles::EncodeUnicodeFont(datafiles::TextUnicodeGlyphs());
    for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"})
        datafiles::WriteBytes(name, font);
    mkdir("cd", 0755);
    hdConfig = MaxHD;
    CacheSize = 1;
    snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    CDHDCache::startup();
    CDHDCache::Init();
}

}  // namespace tw::test
