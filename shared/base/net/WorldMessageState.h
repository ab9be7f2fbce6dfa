// What the handlers of the world's server messages keep between messages,
// and their registration into the packet table.
//
// The handlers themselves keep nothing; the values below are read by the
// world view (the map area), the status and skill gumps (the status record
// and the skill tables) and the object code (the container batch and the
// value of message 0x2F).  They live for the connection; reset() clears them
// for tests.  Main thread only.
#pragma once

#include "TWTypes.h"

// The last status message received: copied whole into every status gump
// that shows its object.
struct StatusRecord {
    char name[31] = {};  // 30 on the wire, always terminated here
    M_BYTE extended = 0;
    M_WORD strength = 0;
    M_WORD dexterity = 0;
    M_WORD intelligence = 0;
    M_WORD vital1Current = 0;
    M_WORD vital1Maximum = 0;
    M_WORD vital3Current = 0;
    M_WORD vital3Maximum = 0;
    M_WORD vital2Current = 0;
    M_WORD vital2Maximum = 0;
    M_DWORD gold = 0;  // the u32 at offset 58; the shop gumps take its low half
    M_WORD value62 = 0;
    M_WORD value64 = 0;
};

// The map area that the login confirmation and message 0x76 give the view.
struct MapArea {
    M_WORD x = 0;
    M_WORD y = 0;
    M_WORD width = 0;
    M_WORD height = 0;
};

constexpr int SKILL_COUNT = 50;
// The name table holds at most this many names of 80 bytes each.
constexpr int SKILL_NAME_SLOTS = 64;
constexpr int SKILL_NAME_LENGTH = 80;

struct SkillTables {
    M_WORD values[SKILL_COUNT] = {};
    // The two further per-skill tables that a full list clears.
    M_WORD lockStates[SKILL_COUNT] = {};
    M_WORD baseValues[SKILL_COUNT] = {};
    // The entries of the last list for a new skill gump (command 1).
    int listCount = 0;
    M_WORD listSkills[SKILL_COUNT] = {};
    M_WORD listValues[SKILL_COUNT] = {};
    int nameCount = 0;
    M_BYTE nameFlags[SKILL_NAME_SLOTS] = {};
    char names[SKILL_NAME_SLOTS][SKILL_NAME_LENGTH] = {};
};

namespace worldmsg {

extern StatusRecord status;
extern MapArea mapArea;
extern SkillTables skills;
// The serial of the last player that entered the world.
extern M_DWORD lastPlayerSerial;
// The value of message 0x2F.
extern M_DWORD value2F;
// Set while the contents of a container arrive in one message.
extern BOOL containerBatch;

void reset();

}  // namespace worldmsg

// Installs the handler of every server message of the world (objects and
// their placement, the player, extended commands, data-file updates, war
// mode and corpse links) into the packet table.
void InstallWorldHandlers();
