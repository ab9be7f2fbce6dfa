// The button-callback library's members that ask the application: the
// paperdoll's skills request, chat button and war-mode toggle, and the
// skill window's use buttons.  None writes to a closed connection.
#include <cstdio>

#include "app/App.h"
#include "app/Macros.h"
#include "comm/Chat.h"
#include "dialogs/SkillGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/ObjectQueries.h"

namespace {

// Request type of message 0x34: the skill list.
constexpr M_BYTE kSkillsRequest = 5;
// Text-command type of message 0x12: use a skill.
constexpr unsigned char kUseSkillCommand = 0x24;

}  // namespace

void CGump::PaperdollStatus() {
    if (!pPlayerObject || !GameConnectionOpen("CGump::PaperdollStatus")) return;
    PDSTRUCT packet;
    PacketManager::BuildStatusRequest(&packet, kSkillsRequest, GetObjectSerial(pPlayerObject));
    CApp::WriteToGame(&packet);
    NoteSkillListRequested();
}

void CGump::PaperdollChat() {
    if (CGump* chat = CGumpManager::FindWindowGump(MACRO_WINDOW_CHAT)) {
        BringToFront(chat, 0);
        return;
    }
    if (!GameConnectionOpen("CGump::PaperdollChat")) return;
    PDSTRUCT packet;
    const M_WORD noName[1] = {0};
    SendChatOpen(&packet, noName);
    CApp::WriteToGame(&packet);
}

void CGump::ToggleWarMode() {
    if (!pPlayerObject || owner != static_cast<CObj*>(pPlayerObject)) return;
    if (!GameConnectionOpen("CGump::ToggleWarMode")) return;
    CApp::SetWarMode(-1);
}

// The pressed use button carries the skill's index as its value.
void CGump::UseSkill() {
    if (!GameConnectionOpen("CGump::UseSkill")) return;
    const int skill = buttonValue;
    char text[32];
    snprintf(text, sizeof text, "%d %d", skill, 0);
    CApp::SendTextCommand(kUseSkillCommand, text);
    g_macroState.lastSkill = skill;
}
