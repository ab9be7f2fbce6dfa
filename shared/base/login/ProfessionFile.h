// The profession file "prof.txt": the tree of professions and categories
// that the first gump of character creation walks.
//
// A text file read line by line, each line at most 254 characters (a longer
// line is taken in pieces of 254).  Per line, in this order:
//   - "Begin" anywhere in the line starts a new record;
//   - else "End" anywhere in the line closes the current record and keeps it;
//   - else the first word is a keyword (letter case aside):
//       Name <word>            (a quoted name is taken without its quotes)
//       TrueName "<text>"      (the text between the quotes, blanks kept)
//       Desc <number>          Gump <number>
//       TopLevel <word>        ("true" sets the flag)
//       Type <word>            ("Category" sets the flag, anything else clears it)
//       Children <name> ...    (names split at blanks , . tabs and quotes)
//       Skill <skill name> <value>
//       Stat Str|Dex|Int <value>
// Numbers are decimal; no digits read as 0.  Every text is cut to its
// field.  A keyword line outside a record, a keyword without its argument
// and an unknown keyword are logged and skipped; a record never closed by
// "End" is logged and dropped.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "TWTypes.h"

struct Profession {
    static constexpr int kNameLength = 127;

    char Name[kNameLength + 1] = {};
    char TrueName[kNameLength + 1] = {};
    int Desc = 0;
    int Gump = 0;
    BOOL Type = FALSE;  // a category: it has children instead of values
    BOOL TopLevel = FALSE;
    short Str = 0, Dex = 0, Int = 0;
    struct Skill {
        int index;  // -1 for a name outside the skill table
        int value;
    };
    std::vector<Skill> Skills;
    std::vector<std::string> Children;
    Profession* Parent = nullptr;
};

using ProfessionList = std::vector<std::unique_ptr<Profession>>;

// The longest line taken at once; the rest of a longer line is the next
// piece.
constexpr int kProfessionLineLength = 254;

// The skill index of a skill name of the file (letter case aside), or -1.
int SkillNameToIndex(const char* name);

// Appends the records of an open profession file to the list, in file
// order.
void ReadProfessionFile(FILE* file, ProfessionList& out);

// Sets each record's Parent from the categories' Children (a record listed
// by two categories gets the later one); names are matched letter case
// aside.
void LinkProfessionParents(ProfessionList& list);

// The first record whose Name equals name (letter case aside), or null.
Profession* FindProfessionIn(const ProfessionList& list, const char* name);
