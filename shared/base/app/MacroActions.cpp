// One macro action (CApp::ExecuteMacro): every action sends its message
// through the client's builders and the game connection.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Platform.h"
#include "TWReport.h"
#include "app/App.h"
#include "app/FrameTick.h"
#include "app/Macros.h"
#include "comm/Chat.h"
#include "config/Config.h"
#include "dialogs/SkillGump.h"
#include "dialogs/TargetManager.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "login/QuitQuestion.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/ObjectQueries.h"
#include "world/Player.h"

namespace {

// Text-command sub-types of message 0x12.
constexpr unsigned char kUseSkillCommand = 0x24;
constexpr unsigned char kSpellbookCommand = 0x43;
constexpr unsigned char kCastSpellCommand = 0x56;
constexpr unsigned char kOpenDoorCommand = 0x58;
constexpr unsigned char kActionCommand = 0xC7;

// Status request types of message 0x34.
constexpr M_BYTE kStatusRequest = 4;
constexpr M_BYTE kSkillsRequest = 5;

constexpr int kBackpackLayer = 21;
constexpr int kArmDisarmTicks = 22;
constexpr int kMaxOnScreen = 512;

void Notice(const char* text) {
    TextManager::AddSystemMessage(0, 3, text);
}

M_DWORD PlayerSerial() {
    return pPlayerObject ? GetObjectSerial(pPlayerObject) : 0;
}

void SendUseObject(M_DWORD serial) {
    PDSTRUCT packet;
    PacketManager::BuildUseObject(&packet, serial);
    CApp::WriteToGame(&packet);
}

void SendStatusRequest(M_BYTE type, M_DWORD serial) {
    PDSTRUCT packet;
    PacketManager::BuildStatusRequest(&packet, type, serial);
    CApp::WriteToGame(&packet);
}

void SendNumberCommand(unsigned char type, int number) {
    char text[32];
    snprintf(text, sizeof text, "%d", number);
    CApp::SendTextCommand(type, text);
}

void UseSkill(int skill) {
    char text[32];
    snprintf(text, sizeof text, "%d %d", skill, 0);
    CApp::SendTextCommand(kUseSkillCommand, text);
}

void Speak(const CMacroAction& action, int type) {
    const char* text = action.text ? action.text : "";
    TextManager::SendSpeech(text, static_cast<int>(strlen(text)), type);
}

void Walk(int direction) {
    if (pPlayerObject && pPlayerObject->IsFollowing()) {
        ShowOverheadText(pPlayerObject, "Stopped following.");
        pPlayerObject->StopFollowing();
    }
    if (direction < 0 || direction >= MACRO_DIRECTION_COUNT) return;
    // The directions run from NW; the walk code counts 1-8 from N.
    MoveManager::RequestMove(direction == 0 ? 8 : direction, 0, 1);
}

void OpenWindow(int window) {
    M_DWORD player = PlayerSerial();
    switch (window) {
        case MACRO_WINDOW_CONFIGURATION:
            CGumpManager::OpenGump(nullptr, 5000, nullptr, 0);
            break;
        case MACRO_WINDOW_JOURNAL:
            CGumpManager::OpenGump(nullptr, 7, nullptr, 0);
            break;
        case MACRO_WINDOW_OVERVIEW:
            CGumpManager::OpenGump(nullptr, 5010, nullptr, 0);
            break;
        case MACRO_WINDOW_PAPERDOLL:
            if (pPlayerObject) SendUseObject(player | 0x80000000u);
            break;
        case MACRO_WINDOW_STATUS:
            if (!pPlayerObject) break;
            CGumpManager::OpenGump(pPlayerObject, 8, nullptr, 0);
            SendStatusRequest(kStatusRequest, player);
            break;
        case MACRO_WINDOW_SKILLS:
            if (!pPlayerObject) break;
            SendStatusRequest(kSkillsRequest, player);
            NoteSkillListRequested();
            break;
        case MACRO_WINDOW_SPELLBOOK:
            CApp::SendTextCommand(kSpellbookCommand, "");
            break;
        case MACRO_WINDOW_CHAT:
            if (CGump* chat = CGumpManager::FindWindowGump(MACRO_WINDOW_CHAT)) {
                CGump::BringToFront(chat, 0);
            } else if (GameConnectionOpen()) {
                PDSTRUCT packet;
                const M_WORD noName[1] = {0};
                SendChatOpen(&packet, noName);
                CApp::WriteToGame(&packet);
            }
            break;
        case MACRO_WINDOW_BACKPACK:
            if (!pPlayerObject) break;
            if (CObj* pack = GetEquippedItem(pPlayerObject, kBackpackLayer))
                SendUseObject(GetObjectSerial(pack));
            break;
        case MACRO_WINDOW_MAIL:
            CGumpManager::OpenMailGump();
            break;
        default:
            break;
    }
}

void ChangeWindow(int action, int window) {
    if (window < 0 || window >= MACRO_WINDOW_COUNT) return;
    CGump* gump = CGumpManager::FindWindowGump(window);
    if (!gump) return;
    if (action == MACRO_CLOSE)
        delete gump;
    else if (action == MACRO_MINIMIZE)
        CGump::Minimize(gump);
    else
        CGump::Restore(gump);
}

void SendTarget(M_BYTE type, M_DWORD serial, int x, int y, int z, M_WORD graphic) {
    PDSTRUCT packet;
    PacketManager::BuildTarget(&packet, type, g_targetCursorId, g_targetCursorFlag, serial,
                               static_cast<M_WORD>(x), static_cast<M_WORD>(y),
                               static_cast<M_WORD>(z), graphic);
    CApp::WriteToGame(&packet);
}

BOOL AnswerWithLastTarget() {
    if (!CApp::targeting) return FALSE;
    const LastTargetRecord& t = g_lastTarget;
    if (t.kind == 1)
        SendTarget(0, t.serial, 0, 0, 0, 0);
    else if (t.kind == 2 || t.kind == 3)
        SendTarget(1, 0, t.x, t.y, t.z, t.kind == 3 ? t.graphic : 0);
    CApp::EndTarget();
    return TRUE;
}

void AnswerWithSelf() {
    if (!CApp::targeting || !pPlayerObject) return;
    int x, y, z;
    GetObjectLocation(pPlayerObject, &x, &y, &z);
    SendTarget(0, PlayerSerial(), x, y, z, pPlayerObject->objectType);
    CApp::EndTarget();
}

void ArmOrDisarm(int hand) {
    if (g_armDisarmCooldown > 0) {
        Notice("You must wait to perform another action.");
        return;
    }
    g_armDisarmCooldown = kArmDisarmTicks;
    if (hand != 1 && hand != 2) {
        Notice("You must select the right or left arm in the macro options.");
        return;
    }
    if (!pPlayerObject) return;
    const int layer = hand == 1 ? 2 : 1;
    int& remembered = g_macroState.armedSerial[hand];
    CObj* held = GetEquippedItem(pPlayerObject, layer);
    PDSTRUCT packet;
    if (remembered == -1 || held) {
        if (!held) return;
        // The weapon goes into the backpack; without one it stays in hand
        // rather than being picked up with nowhere to drop it.
        CObj* pack = GetEquippedItem(pPlayerObject, kBackpackLayer);
        if (!pack) {
            TWReport::warning("CApp::ExecuteMacro: no backpack to disarm into.\n");
            return;
        }
        M_DWORD serial = GetObjectSerial(held);
        SetHeldItem(held);
        PacketManager::BuildPickup(&packet, serial, 0);
        CApp::WriteToGame(&packet);
        PacketManager::BuildDrop(&packet, serial, 65535, 65535, 0, GetObjectSerial(pack));
        CApp::WriteToGame(&packet);
        remembered = static_cast<int>(serial);
        return;
    }
    if (remembered == 0) {
        Notice("You must first disarm a weapon in order to arm one.");
        return;
    }
    M_DWORD serial = static_cast<M_DWORD>(remembered);
    if (CObj* item = CObjectManager::FindObject(serial)) SetHeldItem(item);
    PacketManager::BuildPickup(&packet, serial, 0);
    CApp::WriteToGame(&packet);
    PacketManager::BuildEquipRequest(&packet, serial, static_cast<M_BYTE>(layer), PlayerSerial());
    CApp::WriteToGame(&packet);
}

void RequestAllNames() {
    CObj* objects[kMaxOnScreen];
    int mobiles = GetMobilesOnScreen(objects, kMaxOnScreen);
    int corpses = GetCorpsesOnScreen(objects + mobiles, kMaxOnScreen - mobiles);
    for (int i = 0; i < mobiles + corpses; ++i) {
        PDSTRUCT packet;
        PacketManager::BuildLook(&packet, GetObjectSerial(objects[i]));
        CApp::WriteToGame(&packet);
    }
}

void TargetNext() {
    CObj* mobiles[kMaxOnScreen];
    int count = GetMobilesOnScreen(mobiles, kMaxOnScreen);
    if (count <= 0) {
        Notice("There are no mobiles on screen to select.");
        return;
    }
    int next = 0;
    for (int i = 0; i < count; ++i) {
        if (static_cast<int>(GetObjectSerial(mobiles[i])) == g_macroState.lastTargetNext) {
            next = (i + 1) % count;
            break;
        }
    }
    M_DWORD serial = GetObjectSerial(mobiles[next]);
    g_macroState.lastTargetNext = static_cast<int>(serial);
    TargetManager::SetLastTarget(mobiles[next]);
    g_lastTarget = LastTargetRecord{};
    g_lastTarget.kind = 1;
    g_lastTarget.serial = serial;
}

void AttackLast() {
    if (g_lastTarget.kind != 1 || g_lastTarget.serial == 0) {
        Notice("You have no last target set.");
        return;
    }
    PDSTRUCT packet;
    PacketManager::BuildAttack(&packet, g_lastTarget.serial);
    CApp::WriteToGame(&packet);
}

// The delay's length: the text as a decimal number of ticks; a negative or
// unreadable one is no delay, an over-long one is cut at INT_MAX.
int DelayTicks(const char* text) {
    if (!text) return 0;
    long n = strtol(text, nullptr, 10);
    if (n < 0) return 0;
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

}  // namespace

BOOL CApp::ExecuteMacro(CMacro* macro, int index) {
    if (!macro || index < 0 || index >= MAX_MACRO_ACTIONS) return TRUE;
    const CMacroAction& action = macro->actions[index];
    const int id = action.action;
    const int arg = action.argument;
    const bool always =
        id == MACRO_PASTE || (id >= MACRO_WAIT_FOR_TARGET && id <= MACRO_CLOSE_GUMPS);
    if (!always && !g_loginComplete) return TRUE;

    switch (id) {
        case MACRO_SAY:
            Speak(action, 0);
            break;
        case MACRO_EMOTE:
            Speak(action, 2);
            break;
        case MACRO_WHISPER:
            Speak(action, 8);
            break;
        case MACRO_YELL:
            Speak(action, 9);
            break;
        case MACRO_WALK:
            Walk(arg);
            break;
        case MACRO_WAR_PEACE:
            SetWarMode(-1);
            break;
        case MACRO_PASTE:
            MacroPlatformHook();
            break;
        case MACRO_OPEN:
            OpenWindow(arg);
            break;
        case MACRO_CLOSE:
        case MACRO_MINIMIZE:
        case MACRO_MAXIMIZE:
            ChangeWindow(id, arg);
            break;
        case MACRO_OPEN_DOOR:
            SendTextCommand(kOpenDoorCommand, "");
            break;
        case MACRO_USE_SKILL:
            g_macroState.lastSkill = arg;
            UseSkill(arg);
            break;
        case MACRO_LAST_SKILL:
            if (g_macroState.lastSkill != -1) UseSkill(g_macroState.lastSkill);
            break;
        case MACRO_CAST_SPELL:
            SendNumberCommand(kCastSpellCommand, arg + 1);
            break;
        case MACRO_LAST_SPELL:
            if (LastSpellCast != -1) SendNumberCommand(kCastSpellCommand, LastSpellCast + 1);
            break;
        case MACRO_LAST_OBJECT:
            if (g_macroState.lastObject != -1) {
                CDynamicObj* object =
                    CObjectManager::FindObject(static_cast<M_DWORD>(g_macroState.lastObject));
                if (object) CObjectManager::UseObject(object);
            }
            break;
        case MACRO_BOW:
            SendTextCommand(kActionCommand, "bow");
            break;
        case MACRO_SALUTE:
            SendTextCommand(kActionCommand, "salute");
            break;
        case MACRO_QUIT_GAME:
            if (!IsQuitQuestionOpen()) OpenQuitQuestion("Quit         Tarrowmere?");
            break;
        case MACRO_ALL_NAMES:
            RequestAllNames();
            break;
        case MACRO_LAST_TARGET:
            return AnswerWithLastTarget();
        case MACRO_TARGET_SELF:
            AnswerWithSelf();
            break;
        case MACRO_ARM_DISARM:
            ArmOrDisarm(arg);
            break;
        case MACRO_WAIT_FOR_TARGET:
            g_macroState.waitCounter = 1;
            break;
        case MACRO_TARGET_NEXT:
            TargetNext();
            break;
        case MACRO_ATTACK_LAST:
            AttackLast();
            break;
        case MACRO_DELAY:
            g_macroState.delayActive = TRUE;
            g_macroState.delayLength = DelayTicks(action.text);
            g_macroState.delayCounter = 0;
            break;
        case MACRO_CIRCLE_TRANS:
            UseCircleTrans = !UseCircleTrans;
            InvalidateScreen();
            break;
        case MACRO_CLOSE_GUMPS:
            CGumpManager::CloseFlaggedGumps();
            break;
        default:
            break;  // Command and unknown actions do nothing
    }
    return TRUE;
}
