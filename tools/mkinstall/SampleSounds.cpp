// Sounds, skills, skill groups and an empty patch file.
#include <cmath>

#include "ByteWriter.h"
#include "Sample.h"
#include "support/datafiles/CreationArt.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// A short tone that fades out, 16-bit mono at 22048 samples a second.
std::vector<std::int16_t> tone(double frequency, double seconds) {
    const int n = static_cast<int>(22048 * seconds);
    std::vector<std::int16_t> samples(n);
    for (int i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(
            8000 * (1.0 - double(i) / n) * std::sin(2 * 3.14159265358979 * frequency * i / 22048));
    return samples;
}

constexpr const char* kSkills[] = {
    "Alchemy",     "Anatomy",   "Animal Lore",   "Item Lore",   "Arms Lore",   "Parrying",
    "Begging",     "Smithing",  "Bowcraft",      "Peacemaking", "Camping",     "Carpentry",
    "Cartography", "Cooking",   "Detection",     "Discordance", "Wisdom",      "Healing",
    "Fishing",     "Forensics", "Herding",       "Hiding",      "Provocation", "Inscription",
    "Lockpicking", "Magery",    "Resistance",    "Tactics",     "Snooping",    "Musicianship",
    "Poisoning",   "Archery",   "Spirit Lore",   "Stealing",    "Tailoring",   "Taming",
    "Tasting",     "Tinkering", "Tracking",      "Veterinary",  "Swords",      "Maces",
    "Fencing",     "Wrestling", "Lumberjacking", "Mining",      "Meditation",  "Stealth",
    "Trapping",
};

}  // namespace

void WriteSoundsAndSkills(Output& out) {
    IndexedPair sounds;
    for (int id = 0; id < 12; ++id)
        sounds.add(id,
                   EncodeSound("sample" + std::to_string(id), tone(220.0 * (1 + id % 4), 0.12)));
    out.pair("soundidx.mul", "sound.mul", sounds);

    IndexedPair skills;
    for (size_t i = 0; i < sizeof kSkills / sizeof kSkills[0]; ++i)
        skills.add(static_cast<int>(i), EncodeSkill(i % 5 == 0 ? 1 : 0, kSkills[i]));
    out.pair("skills.idx", "skills.mul", skills);
    // The professions that character creation offers.
    out.text("prof.txt", SampleProfessionFile());
    out.bytes("skillgrp.mul", EncodeSkillGroups({"Crafting", "Combat"}, {1, 0, 0, 0, 0, 2}));

    // No patches: a count of 0.
    out.bytes("verdata.mul", VerdataBuilder().bytes());
}

}  // namespace mkinstall
