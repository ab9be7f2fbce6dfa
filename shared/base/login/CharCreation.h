// Character creation as the character selection starts it: the selection's
// new-character callback hides the selection and hands over here, and the
// appearance gump's back arrow comes back here.  The creation gumps install
// it; until they do, a stand-in does.
#pragma once

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
