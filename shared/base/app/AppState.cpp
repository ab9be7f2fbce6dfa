// The application object's process state and its start values.
#include <cstring>

#include "App.h"
#include "app/FrameTick.h"
#include "net/PacketManager.h"

BOOL CApp::started = FALSE;
char CApp::hdDirectory[384] = "";
M_DWORD CApp::framePeriod = 50;
M_WORD CApp::speechHue = 995;
M_WORD CApp::speechFont = 3;
M_WORD CApp::emoteHue = 995;
M_WORD CApp::emoteFont = 3;
M_WORD CApp::savedSpeechHues[CHAR_SLOTS] = {690, 690, 690, 690, 690};
M_WORD CApp::savedEmoteHues[CHAR_SLOTS] = {549, 549, 549, 549, 549};
M_WORD CApp::wordList[MAX_WORDS][WORD_LENGTH];
int CApp::wordCount = 0;
IgnoreEntry CApp::ignoreList[MAX_IGNORED];
int CApp::ignoreCount = 0;
int CApp::gameHour = 0;
int CApp::gameMinute = 0;
int CApp::gameSeconds = 0;
int CApp::spamCounter = 0;
M_DWORD CApp::spamClock = 0;
CList<CQueuedSay> CApp::queuedSpeech;
PDSTRUCT_CREATE_CHAR CApp::createChar;
M_DWORD CApp::playerSerial = 0;
int CApp::warModeExtra[3] = {4, 0, 0};
int CApp::warModeRequest = -1;
BOOL CApp::targeting = FALSE;
CApp::TargetCallback CApp::targetCallback = nullptr;
int CApp::targetKind = 0;
M_DWORD CApp::chosenAddress = 0;
M_WORD CApp::chosenPort = 0;
BOOL CApp::connected = FALSE;
BOOL CApp::inWorld = FALSE;

void CApp::reset() {
    started = FALSE;
    hdDirectory[0] = 0;
    framePeriod = 50;
    speechHue = emoteHue = 995;
    speechFont = emoteFont = 3;
    for (int i = 0; i < CHAR_SLOTS; ++i) {
        savedSpeechHues[i] = 690;
        savedEmoteHues[i] = 549;
    }
    memset(wordList, 0, sizeof wordList);
    wordCount = 0;
    memset(ignoreList, 0, sizeof ignoreList);
    ignoreCount = 0;
    gameHour = gameMinute = gameSeconds = 0;
    spamCounter = 0;
    spamClock = 0;
    queuedSpeech.RemoveAll();
    createChar = PDSTRUCT_CREATE_CHAR{};
    playerSerial = 0;
    warModeExtra[0] = 4;
    warModeExtra[1] = warModeExtra[2] = 0;
    warModeRequest = -1;
    targeting = FALSE;
    targetCallback = nullptr;
    targetKind = 0;
    chosenAddress = 0;
    chosenPort = 0;
    connected = FALSE;
    inWorld = FALSE;
    ResetFrameTick();
}
