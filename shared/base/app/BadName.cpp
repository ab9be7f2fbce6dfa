// Character-name validation.
#include <strings.h>

#include <cstring>

#include "App.h"
#include "strings/BMSearch.h"

namespace {

bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

const char* const kReservedPrefixes[] = {"Lord", "Lady", "GM", "Counselor", "Seer"};

const char* const kTitles[] = {
    "Adept",     "Alchemist",   "Apprentice", "Archer",     "Assassin",  "Bard",  "Beggar",
    "Marrowind", "Marrowinde",  "Bowyer",     "Aldmoor",    "Carpenter", "Chef",  "Expert",
    "Fisherman", "Grandmaster", "Healer",     "Journeyman", "QV",        "Mage",  "Master",
    "Medium",    "Merchant",    "Neophyte",   "Novice",     "Ranger",    "Rogue", "Scholar",
    "Smith",     "Tailor",      "Tinker",     "Warrior",
};

const char* const kReserved[] = {"Corvane", "CVN", "invulnerable", "squelched", "frozen"};

const char* const kObscene1[] = {
    "fuck",  "shit",  "cunt",  "bitch", "bastard", "asshole", "dick",  "cock",
    "pussy", "whore", "slut",  "piss",  "wank",    "twat",    "prick", "bollocks",
    "arse",  "crap",  "dildo", "tits",  "penis",   "vagina",  "anus",
};

const char* const kObscene2[] = {
    "fucker",  "fucking",  "motherfucker", "shithead", "dickhead", "cocksucker", "jackass",
    "dumbass", "bullshit", "horseshit",    "wanker",   "boobs",    "porn",       "sex",
    "nazi",    "hitler",   "rapist",       "pimp",     "hooker",   "scrotum",    "testicle",
};

static_assert(sizeof kObscene1 / sizeof kObscene1[0] == 23);
static_assert(sizeof kObscene2 / sizeof kObscene2[0] == 21);

// True when the word stands in the name as a whole word: it starts the name
// or follows a separator, and ends the name or is followed by a separator.
// Every occurrence counts, so that an earlier occurrence inside a longer
// word ("Imager Mage") cannot hide a later whole one.
bool holdsWord(const char* name, const char* word) {
    size_t length = strlen(word);
    size_t from = 0;
    for (;;) {
        int found = BMSearchNoCase(word, name + from);
        if (found < 0) return false;
        size_t at = from + static_cast<size_t>(found);
        bool startOk = at == 0 || IsNameSeparator(static_cast<unsigned char>(name[at - 1]));
        char after = name[at + length];
        bool endOk = after == 0 || IsNameSeparator(static_cast<unsigned char>(after));
        if (startOk && endOk) return true;
        from = at + 1;
    }
}

template <size_t N>
bool holdsAny(const char* name, const char* const (&words)[N]) {
    for (const char* word : words)
        if (holdsWord(name, word)) return true;
    return false;
}

}  // namespace

BOOL IsBadNameChar(int c) {
    return !(isLetter(c) || c == '-' || c == '.' || c == ' ' || c == '\'');
}

BOOL IsNameSeparator(int c) {
    return c == ' ' || c == '\'' || c == '-' || c == '.';
}

int CApp::IsBadName(const char* name) {
    if (!name || !isLetter(static_cast<unsigned char>(name[0]))) return 1;
    for (const char* p = name; *p; ++p) {
        int c = static_cast<unsigned char>(*p);
        if (IsBadNameChar(c)) return 1;
        if (IsNameSeparator(c) && IsNameSeparator(static_cast<unsigned char>(p[1]))) return 1;
    }
    for (const char* prefix : kReservedPrefixes)
        if (strncasecmp(name, prefix, strlen(prefix)) == 0) return 1;
    if (holdsAny(name, kTitles) || holdsAny(name, kReserved) || holdsAny(name, kObscene1) ||
        holdsAny(name, kObscene2))
        return 1;
    return 0;
}
