// Start-up and shutdown of the application object, and the player object.
#include <unistd.h>

#include <cstring>
#include <new>

#include "App.h"
#include "Clock.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "MemoryManager.h"
#include "TWReport.h"
#include "comm/HtmlMessages.h"
#include "config/Config.h"
#include "net/PacketManager.h"
#include "world/Player.h"

namespace {

void setHdDirectory() {
    // getcwd fails for a directory whose name does not fit; the data files
    // are then still found through the search paths, so fall back to ".".
    char cwd[383];
    if (!getcwd(cwd, sizeof cwd)) {
        TWReport::warning("CApp::startup: the working directory's name is too long; using '.'.\n");
        strcpy(cwd, ".");
    }
    snprintf(CApp::hdDirectory, sizeof CApp::hdDirectory, "%s/", cwd);
}

}  // namespace

void CApp::startup() {
    if (started) return;
    std::set_new_handler(OutOfMemory);
    InitKeyTables();

    strcpy(PlayerName, "TW Player");
    Password[0] = 0;
    FilterPassword[0] = 0;
    AcctID[0] = 0;
    AcctLastName[0] = 0;
    AcctPassword[0] = 0;
    CdRomDataPath[0] = 0;
    LoginServerFile[0] = 0;
    CacheSize = 0;
    hdConfig = MaxHD;
    SavePassword = 0;
    gameHour = gameMinute = gameSeconds = 0;
    framePeriod = 50;
    speechHue = emoteHue = 995;
    speechFont = emoteFont = 3;
    playerSerial = 0;

    setHdDirectory();

    // Nothing is read from it: its presence says the client is installed.
    FILE* version = FileManager::open("version.dat", "r");
    if (!version)
        TWReport::fatal(
            "Tarrowmere does not appear to be installed correctly on your system.\nPlease copy "
            "'version.dat' to your hard disc and run again\n");
    FileManager::close(version);

    NextLoginKey = 0;
    DefaultChar = 0;
    readConfig("tw.cfg", TRUE);
    // The login-server file may name itself again; read the name first.
    char loginFile[sizeof LoginServerFile];
    strcpy(loginFile, LoginServerFile[0] ? LoginServerFile : "login.cfg");
    readConfig(loginFile, FALSE);

    LoadCharData();
    LoadMacros();

    warModeExtra[0] = 4;
    warModeExtra[1] = 0;
    warModeExtra[2] = 0;
    memset(createChar.skills, 0, sizeof createChar.skills);
    memset(createChar.skillValues, 0, sizeof createChar.skillValues);
    spamCounter = 0;
    spamClock = GetTimeMs();
    started = TRUE;
}

void CApp::shutdown() {
    TWReport::print("CApp::shutdown: begin.\n");
    if (!started) return;
    started = FALSE;
    DeleteHtmlMessages();
}

void CApp::LoadPlayerFile() {
    pPlayerObject = new CPlayer(playerSerial);
    if (!TW_VALIDATE_OBJECT(pPlayerObject))
        TWReport::error(
            "CApp::LoadPlayerFile: either pointer 'pPlayerObject' is not valid, or the data it "
            "points to is not valid. the program may crash!\n");
}

void CApp::readConfig(const char* fileName, BOOL skipLoginServers) {
    ReadConfigFile(fileName, skipLoginServers);
}
