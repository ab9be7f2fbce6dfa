// Character creation as the character selection starts it: the selection's
// new-character callback hides the selection and hands over here, and the
// appearance gump's back arrow comes back here.  The creation gumps
// (login/CreationGumps.h) install it with InstallCharacterCreation.
//
// What creation asks of the application above it (the name check, the
// create-character message) goes through CreationRequests, which the
// application installs.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CharacterCreation {
public:
    static constexpr const char* kServiceName = "CharacterCreation";
    virtual ~CharacterCreation() = default;

    // Shows the profession gump kept from an earlier start, or builds one:
    // the first gump of character creation.
    virtual void OpenProfessionGump() = 0;
    // Deletes every creation gump (a logout or the selection coming back).
    virtual void CloseCreationGumps() = 0;
};

// The character being made: one record for the program, filled step by
// step by the creation gumps and handed whole to the create-character
// message.  Hues are hue numbers + 1 (0: none).  30 characters of name or
// password fit.
struct CharCreateRecord {
    static constexpr int kFieldSize = 31;
    char name[kFieldSize] = {};
    char password[kFieldSize] = {};
    M_BYTE sex = 0;  // 1 female
    M_BYTE strength = 0, dexterity = 0, intelligence = 0;
    struct {
        M_BYTE index;
        M_BYTE value;
    } skills[3] = {};
    M_WORD skinHue = 0;
    M_WORD hairStyle = 0;  // hair item, 0 none
    M_WORD hairHue = 0;
    M_WORD facialHairStyle = 0;  // 0 for a female
    M_WORD facialHairHue = 0;
    M_WORD shirtHue = 0;
    M_WORD pantsHue = 0;
    M_DWORD shard = 0;  // the message takes its low byte
    M_BYTE city = 0;
    M_DWORD slot = 0;
};

extern CharCreateRecord CharCreateInfo;

class CreationRequests {
public:
    static constexpr const char* kServiceName = "CreationRequests";
    virtual ~CreationRequests() = default;
    // Non-zero when the name may not be used.
    virtual int IsBadName(const char* name) = 0;
    // Sends the create-character message (0x00) of the record, with the
    // waiting box "Creating character... ".
    virtual BOOL SendCreateChar(const CharCreateRecord& info) = 0;
};

// Installs the creation gumps as the CharacterCreation service.
void InstallCharacterCreation();
