// The application's side of character creation: the name check and the
// create-character message.
#include "app/AppServices.h"

#include "app/App.h"
#include "login/CharCreation.h"
#include "net/PacketManager.h"

int AppCreationRequests::IsBadName(const char* name) {
    return CApp::IsBadName(name);
}

BOOL AppCreationRequests::SendCreateChar(const CharCreateRecord& info) {
    PDSTRUCT_CREATE_CHAR& c = CApp::createChar;
    c.name = info.name;
    c.password = info.password;
    c.sex = info.sex;
    c.stats[0] = info.strength;
    c.stats[1] = info.dexterity;
    c.stats[2] = info.intelligence;
    for (int i = 0; i < 3; ++i) {
        c.skills[i] = info.skills[i].index;
        c.skillValues[i] = info.skills[i].value;
    }
    // Colours 1-3 are skin, hair and facial hair; 4 the shirt, 5 the pants.
    c.colours[0] = info.skinHue;
    c.colours[1] = info.hairHue;
    c.colours[2] = info.facialHairHue;
    c.colours[3] = info.shirtHue;
    c.colours[4] = info.pantsHue;
    c.hairStyle = info.hairStyle;
    c.facialHairStyle = info.facialHairStyle;
    c.shardIndex = static_cast<M_BYTE>(info.shard);
    c.startIndex = info.city;
    c.slot = info.slot;
    // A new character speaks in the default hues until the character list
    // gives it its own.
    CApp::speechHue = 90;
    CApp::emoteHue = 549;
    return CApp::SendCreateChar();
}
