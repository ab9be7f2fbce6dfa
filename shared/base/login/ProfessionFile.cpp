// The reader of the profession file (layout in ProfessionFile.h).
#include "login/ProfessionFile.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "TWReport.h"

namespace {

constexpr const char* kSkillNames[] = {
    "Alchemy",
    "Anatomy",
    "AnimalLore",
    "ItemID",
    "ArmsLore",
    "Parrying",
    "Begging",
    "Blacksmith",
    "Bowcraft",
    "Peacemaking",
    "Camping",
    "Carpentry",
    "Cartography",
    "Cooking",
    "DetectHidden",
    "Enticement",
    "EvaluateIntelligence",
    "Healing",
    "Fishing",
    "ForensicEvaluation",
    "Herding",
    "Hiding",
    "Provocation",
    "Inscription",
    "Lockpicking",
    "Magery",
    "ResistingSpells",
    "Tactics",
    "Snooping",
    "Musicianship",
    "Poisoning",
    "Archery",
    "SpiritSpeak",
    "Stealing",
    "Tailoring",
    "AnimalTaming",
    "TasteIdentification",
    "Tinkering",
    "Tracking",
    "Veterinary",
    "Swordsmanship",
    "MaceFighting",
    "Fencing",
    "Wrestling",
    "Lumberjacking",
    "Mining",
    "Meditation",
    "Stealth",
    "Disarm",
};

constexpr const char* kWordDelimiters = " \t\n\r";
constexpr const char* kNameDelimiters = " \t\n\r\"";
constexpr const char* kListDelimiters = " ,.\t\n\r\"";

void CopyName(char* out, const char* text) {
    snprintf(out, Profession::kNameLength + 1, "%s", text);
}

int Number(const char* text) {
    return static_cast<int>(strtol(text, nullptr, 10));
}

struct Reader {
    ProfessionList& out;
    std::unique_ptr<Profession> current;
    int lineNumber = 0;

    void Skip(const char* why, const char* line) {
        TWReport::warning("ProfessionGump::ReadProfessions: line %d of prof.txt %s; skipped: %s\n",
                          lineNumber, why, line);
    }

    void Line(char* line) {
        ++lineNumber;
        if (strstr(line, "Begin")) {
            if (current)
                TWReport::warning(
                    "ProfessionGump::ReadProfessions: record '%s' before line %d of prof.txt has "
                    "no End; dropped.\n",
                    current->Name, lineNumber);
            current = std::make_unique<Profession>();
            return;
        }
        if (strstr(line, "End")) {
            if (current) out.push_back(std::move(current));
            return;
        }
        char copy[kProfessionLineLength + 1];
        snprintf(copy, sizeof copy, "%s", line);
        char* rest = nullptr;
        char* keyword = strtok_r(line, kWordDelimiters, &rest);
        if (!keyword) return;  // an empty line
        if (!current) return Skip("stands outside a record", copy);
        if (!Keyword(keyword, rest)) Skip("is not understood", copy);
    }

    // FALSE when the line is malformed: an unknown keyword or a missing
    // argument.
    bool Keyword(const char* keyword, char* rest) {
        Profession& p = *current;
        char* save = nullptr;
        if (!strcasecmp(keyword, "Name")) {
            const char* word = strtok_r(rest, kNameDelimiters, &save);
            if (!word) return false;
            CopyName(p.Name, word);
        } else if (!strcasecmp(keyword, "TrueName")) {
            char* open = rest ? strchr(rest, '"') : nullptr;
            if (!open) return false;
            char* close = strchr(open + 1, '"');
            if (close) *close = 0;
            CopyName(p.TrueName, open + 1);
        } else if (!strcasecmp(keyword, "Desc") || !strcasecmp(keyword, "Gump")) {
            const char* word = strtok_r(rest, kNameDelimiters, &save);
            if (!word) return false;
            (keyword[0] == 'D' || keyword[0] == 'd' ? p.Desc : p.Gump) = Number(word);
        } else if (!strcasecmp(keyword, "TopLevel")) {
            const char* word = strtok_r(rest, kNameDelimiters, &save);
            if (!word) return false;
            p.TopLevel = !strcasecmp(word, "true");
        } else if (!strcasecmp(keyword, "Type")) {
            const char* word = strtok_r(rest, kNameDelimiters, &save);
            if (!word) return false;
            p.Type = !strcasecmp(word, "Category");
        } else if (!strcasecmp(keyword, "Children")) {
            for (char* name = strtok_r(rest, kListDelimiters, &save); name;
                 name = strtok_r(nullptr, kListDelimiters, &save))
                p.Children.emplace_back(name, strnlen(name, Profession::kNameLength));
        } else if (!strcasecmp(keyword, "Skill")) {
            const char* name = strtok_r(rest, kListDelimiters, &save);
            const char* value = name ? strtok_r(nullptr, kListDelimiters, &save) : nullptr;
            if (!value) return false;
            p.Skills.push_back({SkillNameToIndex(name), Number(value)});
        } else if (!strcasecmp(keyword, "Stat")) {
            const char* stat = strtok_r(rest, kListDelimiters, &save);
            const char* value = stat ? strtok_r(nullptr, kListDelimiters, &save) : nullptr;
            if (!value) return false;
            const short v = static_cast<short>(Number(value));
            if (!strcasecmp(stat, "Str"))
                p.Str = v;
            else if (!strcasecmp(stat, "Dex"))
                p.Dex = v;
            else if (!strcasecmp(stat, "Int"))
                p.Int = v;
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

int SkillNameToIndex(const char* name) {
    if (!name) return -1;
    for (int i = 0; i < static_cast<int>(std::size(kSkillNames)); ++i)
        if (!strcasecmp(name, kSkillNames[i])) return i;
    return -1;
}

void ReadProfessionFile(FILE* file, ProfessionList& out) {
    if (!file) return;
    Reader reader{out, nullptr};
    char line[kProfessionLineLength + 1];
    while (fgets(line, sizeof line, file)) reader.Line(line);
    if (reader.current)
        TWReport::warning(
            "ProfessionGump::ReadProfessions: record '%s' at the end of prof.txt has no End; "
            "dropped.\n",
            reader.current->Name);
}

Profession* FindProfessionIn(const ProfessionList& list, const char* name) {
    if (!name) return nullptr;
    for (const auto& p : list)
        if (!strcasecmp(p->Name, name)) return p.get();
    return nullptr;
}

void LinkProfessionParents(ProfessionList& list) {
    for (auto& category : list)
        for (const std::string& child : category->Children)
            if (Profession* p = FindProfessionIn(list, child.c_str())) p->Parent = category.get();
}
