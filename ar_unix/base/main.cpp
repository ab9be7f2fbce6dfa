// The client's entry point.  It starts every service in one fixed order,
// registering each shutdown with atexit right after the start, so that at
// exit they stop in exactly the reverse order.  Each module's installed
// services (its side of the interfaces the modules below it declare, or the
// stand-in of a service not built yet) are installed in the same order,
// before the module's first start-up step.  Then it opens the display,
// creates the three long-lived objects it owns (the frame buffer, the speech
// input line and the game connection), starts the cursor thread and runs the
// main loop until the quit flag is set.  It reads no arguments and no
// environment variables.
//
// The game code reaches the platform only through the seam's services (key
// names, sound, the platform hooks); main installs the platform's
// implementations in its start-up order, each before the first service that
// uses it starts.
#include <pthread.h>
#include <signal.h>
#include <sys/time.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "Clock.h"
#include "ConfigurationManager.h"
#include "CursorWindow.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "MemoryManager.h"
#include "OssSound.h"
#include "PerformanceManager.h"
#include "Platform.h"
#include "PlatformServices.h"
#include "Service.h"
#include "SoundManager.h"
#include "TWReport.h"
#include "X11Lock.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "app/SmallMessages.h"
#include "app/VersionManager.h"
#include "comm/CommServices.h"
#include "comm/GumpMessages.h"
#include "comm/SpeechPackets.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "gumps/TextManager.h"
#include "gumps/Weather.h"
#include "gumps/WorldGumps.h"
#include "login/FrontEnd.h"
#include "login/CharCreation.h"
#include "login/LoginRoad.h"
#include "login/PlayAreaWarnings.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "net/WorldMessages.h"
#include "pending/PendingServices.h"
#include "resources/AnimData.h"
#include "resources/DHDCache.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"
#include "resources/SkipDraw.h"
#include "strings/LanguageManager.h"
#include "view/CircleTrans.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/ViewServices.h"
#include "world/MultiManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/Player.h"
#include "world/RegionManager.h"
#include "world/WeatherManager.h"

namespace {

// Installs a module's own implementation of an interface for the whole run.
template <class Interface, class Implementation>
void InstallOwn() {
    static Implementation implementation;
    tw::Service<Interface>::Install(&implementation);
}

void DeleteGlobalList() {
    delete g_globalList;
    g_globalList = nullptr;
}

// The local time zone in minutes west of Greenwich.  The C library's
// gettimeofday no longer fills its time-zone argument; the broken-down
// local time knows the offset.
int LocalMinutesWest() {
    struct timeval now;
    gettimeofday(&now, nullptr);
    time_t seconds = now.tv_sec;
    struct tm local;
    if (localtime_r(&seconds, &local) == nullptr) return 0;
    return static_cast<int>(-local.tm_gmtoff / 60);
}

void StartServices() {
    TWReport::start();
    atexit(TWReport::stop);
    TWReport::error("reached main!\n");

    PerformanceManager::startup();
    atexit(PerformanceManager::shutdown);

    MemoryManager::startup();
    atexit(MemoryManager::shutdown);

    ConfigurationManager::startup();
    atexit(ConfigurationManager::shutdown);
    ConfigurationManager::loadFromFile("tw.cfg");

    g_globalList = new CGlobalList;
    atexit(DeleteGlobalList);

    FileManager::startup();
    atexit(FileManager::shutdown);

    MouseManager::startup();
    atexit(MouseManager::shutdown);
    atexit(MouseManager::FreeCursorArt);

    // What the configuration, the resources and the gumps (the cursor, the
    // screen) ask of the view, and what
    // the view, the speech code, the world model's target requests and the
    // game connection ask of the application, before any is used.
    InstallViewServices();
    InstallAppServices();

    GraphicManager::startup();
    atexit(GraphicManager::shutdown);

    // The world view's play area, its draw lists, map, light and circle of
    // transparency came with InstallViewServices; the yes/no questions of
    // its harmful acts are the login screens'.
    InstallPlayAreaWarnings();
    DrawManager::ClearTable();
    DrawManager::startup();
    atexit(DrawManager::shutdown);

    InstallTextManager();
    TextManager::startup();
    atexit(TextManager::shutdown);
    MapManager::startup();
    atexit(MapManager::shutdown);

    SkipDrawHandler::startup();
    atexit(SkipDrawHandler::shutdown);
    CVersionManager::startup();
    atexit(CVersionManager::shutdown);
    HueManager::startup();
    atexit(HueManager::shutdown);
    FontManager::startup();
    atexit(FontManager::shutdown);
    CObjectManager::startup();
    atexit(CObjectManager::shutdown);
    InstallSpeechLine();
    InstallOwn<ObjectGumps, WorldGumps>();
    InstallPendingGumpServices();
    InstallPendingGumpManager();
    CGumpManager::startup();
    atexit(CGumpManager::shutdown);
    InstallOwn<WorldMessages, GameConnectionMessages>();
    PacketManager::startup();
    atexit(PacketManager::shutdown);
    // The message handlers of the modules built so far.
    InstallSpeechHandlers();
    InstallGumpMessageHandlers();
    InstallWorldHandlers();
    InstallLoginHandlers();
    InstallSmallMessageHandlers();

    // The login screens, character creation, the game dialogs and the
    // communication dialogs, which the application object reaches from its
    // start-up on.
    InstallLoginScreens();
    InstallCharacterCreation();
    InstallPendingWorldEntry();
    InstallPendingDialogs();
    InstallPendingComm();
    InstallPendingHTMLBox();
    InstallBarkServices();
    // The macros that CApp reads name their keys.
    tw::Service<KeyNames>::Install(&X11KeyNames());
    CApp::startup();
    atexit(CApp::shutdown);

    CDHDCache::startup();
    atexit(CDHDCache::shutdown);
    MusicManager::startup();
    atexit(MusicManager::shutdown);
    tw::Service<SoundService>::Install(&OssSound::Service());
    SoundManager::startup();
    atexit(SoundManager::shutdown);
    PathManager::startup();
    atexit(PathManager::shutdown);
    CCircleTrans::Reset();
    MultiManager::startup();
    atexit(MultiManager::shutdown);
    RegionManager::startup();
    atexit(RegionManager::shutdown);
    InstallWeather();
    WeatherManager::startup();
    atexit(WeatherManager::shutdown);
    LoadAnimData();
    atexit(FreeAnimData);
    thelightthingie::startup();
    atexit(thelightthingie::shutdown);

    g_timeZoneMinutesWest = LocalMinutesWest();

    CApp::LoadWordLists();
    CDHDCache::Init();
    LoadVersionFile();
    CApp::LoadPlayerFile();
}

// Opens the display at the configured depth, then at the other one.
bool OpenDisplay() {
    const int depth = use565 ? 16 : 15;
    X11Lock lock;
    if (g_frameBuf->OpenDisplay(g_displayWidth, g_displayHeight, depth) ||
        g_frameBuf->OpenDisplay(g_displayWidth, g_displayHeight, 31 - depth))
        return true;
    fprintf(stderr, "linstuff,main: Failed to initialize %dx%dx%d display.\n", g_displayWidth,
            g_displayHeight, depth);
    return false;
}

void RunMainLoop(M_DWORD deadline) {
    do {
        g_frameBuf->PumpEvents();
        CApp::DispatchInputEvents();
        SoundManager::Update();
        if (g_pGameSocket != nullptr) g_pGameSocket->Poll();
        SoundManager::Update();
        const TickPlan plan = PlanTicks(deadline, GetTimeMs(), CApp::framePeriod, FrameSkipping);
        if (plan.ticks == 0) continue;
        if (plan.firstSkipsDraw) CApp::FrameTick(1);
        CApp::FrameTick(0);
        deadline = plan.deadline;
        PerformanceManager::update();
    } while (g_quitFlag.load() == 0);
}

}  // namespace

int main() {
    // A write past a file-size limit fails and is handled where it happens
    // (a configuration save keeps the old file); the signal's default
    // would end the client instead.
    signal(SIGXFSZ, SIG_IGN);
    StartServices();

    tw::Service<PlatformHooks>::Install(&X11PlatformHooks());
    tw::Service<CursorWindow>::Install(&X11CursorWindow());
    g_frameBuf = CreateFrameBuf();
    if (g_frameBuf == nullptr) return 1;
    if (!OpenDisplay()) {
        delete g_frameBuf;
        g_frameBuf = nullptr;
        return 1;
    }

    MouseManager::LoadCursorArt();
    MouseManager::EnableCursor(1);
    if (ShowIntroAnim) PlayIntroAnimation();
    SoundManager::OpenIfEnabled();

    CGumpManager::RecreateMainBitmap();
    GraphicManager::CreateMainGumps();

    CNetInfo* netInfo = new CNetInfo;
    g_inputWindow = CInputWindow::Make();
    g_pGameSocket = new CClientSock;

    const M_DWORD deadline = GetTimeMs();
    pthread_t cursorThread;
    const bool cursorThreadStarted =
        MouseThread && pthread_create(&cursorThread, nullptr, MousePollThread, nullptr) == 0;

    LanguageManager::startup();
    TWReport::print("Main Program Loop. Start.\n");

    RunMainLoop(deadline);

    TWReport::print("Main Program Loop. End.\n");
    LanguageManager::shutdown();
    // The thread sees the quit flag within one of its 25 ms sleeps.
    if (cursorThreadStarted) pthread_join(cursorThread, nullptr);
    SoundManager::CloseDevice();
    delete pPlayerObject;  // virtual: whatever the player object is
    pPlayerObject = nullptr;
    delete g_inputWindow;
    g_inputWindow = nullptr;
    delete g_pGameSocket;
    g_pGameSocket = nullptr;
    {
        X11Lock lock;
        delete g_frameBuf;
        g_frameBuf = nullptr;
        g_backBuffer = nullptr;
    }
    delete netInfo;
    TextManager::CloseJournalFile();
    return g_exitStatus.load();
}
