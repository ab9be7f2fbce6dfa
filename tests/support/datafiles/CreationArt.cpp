#include "support/datafiles/CreationArt.h"

namespace tw::datafiles {

namespace {

constexpr int kWidth = 64, kHeight = 170;

M_WORD Grey(int level) {
    return Rgb555(level, level, level);
}

Image Piece() {
    return Image(kWidth, kHeight);
}

}  // namespace

std::vector<std::pair<int, Image>> CreationFigureArt() {
    std::vector<std::pair<int, Image>> art;
    for (int female = 0; female < 2; ++female) {
        Image body = Piece();
        body.fillRect(24, 4, 16, 20, Grey(200));                               // head
        body.fillRect(female ? 20 : 16, 24, female ? 24 : 32, 66, Grey(180));  // torso
        body.fillRect(8, 28, 8, 50, Grey(170));                                // arms
        body.fillRect(48, 28, 8, 50, Grey(170));
        body.fillRect(20, 90, 10, 76, Grey(160));  // legs
        body.fillRect(34, 90, 10, 76, Grey(160));
        art.emplace_back(female ? 1888 : 1889, body);

        Image under = Piece();
        under.fillRect(20, 86, 24, 10, Grey(230));
        art.emplace_back(female ? 1891 : 1890, under);

        Image pants = Piece();
        if (female)
            pants.fillRect(16, 84, 32, 50, Grey(120));  // a skirt
        else
            pants.fillRect(19, 84, 26, 78, Grey(120));
        art.emplace_back(female ? 1892 : 1848, pants);

        Image shirt = Piece();
        shirt.fillRect(female ? 19 : 15, 26, female ? 26 : 34, 60, Grey(140));
        shirt.fillRect(7, 28, 10, 24, Grey(140));
        shirt.fillRect(47, 28, 10, 24, Grey(140));
        art.emplace_back(female ? 1812 : 1849, shirt);
    }
    // Hair: a cap over the head whose inset, height and tail differ by
    // picture (k mod 2, 3 and 5 together tell the 19 pictures apart).
    int k = 0;
    for (int id : {1836, 1839, 1840, 1841, 1842, 1843, 1844, 1845, 1846, 1847, 1870, 1871, 1873,
                   1874, 1875, 1876, 1877, 1879, 1880}) {
        Image hair = Piece();
        hair.fillRect(22 + k % 3, 1, 20 - 2 * (k % 3), 3 + k % 5, Grey(100));
        if (k % 2) hair.fillRect(38, 6, 4, 8 + 3 * k, Grey(100));  // a tail
        art.emplace_back(id, hair);
        ++k;
    }
    for (int id = 1881; id <= 1887; ++id) {
        Image beard = Piece();
        const int k = id - 1881;
        beard.fillRect(26 + k % 2, 18, 12 - 2 * (k % 2), 3 + k, Grey(90));
        if (k > 2) beard.fillRect(27, 15, 10, 2, Grey(90));  // a moustache
        art.emplace_back(id, beard);
    }
    return art;
}

std::string SampleProfessionFile() {
    return "Begin\n"
           "Name Fighter\nTrueName \"Fighter\"\nDesc 1\nTopLevel true\nType Category\n"
           "Gump 5800\nChildren Knight, Archer\n"
           "End\n\n"
           "Begin\n"
           "Name Knight\nTrueName \"Knight\"\nDesc 2\nGump 5802\n"
           "Stat Str 35\nStat Dex 20\nStat Int 10\n"
           "Skill Swordsmanship 50\nSkill Parrying 30\nSkill Healing 20\n"
           "End\n\n"
           "Begin\n"
           "Name Archer\nTrueName \"Archer\"\nDesc 3\nGump 5804\n"
           "Stat Str 25\nStat Dex 30\nStat Int 10\n"
           "Skill Archery 50\nSkill Tactics 30\nSkill Bowcraft 20\n"
           "End\n\n"
           "Begin\n"
           "Name Mage\nTrueName \"Mage\"\nDesc 4\nTopLevel true\nGump 5806\n"
           "Stat Str 15\nStat Dex 15\nStat Int 35\n"
           "Skill Magery 50\nSkill Meditation 30\nSkill Inscription 20\n"
           "End\n";
}

std::vector<std::u16string> SampleProfessionTexts() {
    return {u"Your own way",
            u"-",
            u"Fighter",
            u"Knight",
            u"Archer",
            u"Mage",
            u"",
            u"Choose the life your character starts with.",
            u"Set your own stats and pick three skills.",
            u"-",
            u"Fighters live by the sword and the bow.",
            u"A knight in armour, strong and steady.",
            u"An archer, quick of eye and hand.",
            u"A mage, who reads and casts spells."};
}

std::vector<std::u16string> SampleCityTexts() {
    std::vector<std::u16string> texts = {u"The starting cities", u".END"};
    for (const char16_t* city : {u"Ashby", u"Duskfen", u"Calder", u"Westmarch", u"Stonereach",
                                 u"Pellham", u"Corriston", u"Fenwick Isle", u"Ambrose"}) {
        texts.push_back(city);
        texts.push_back(std::u16string(u"A town of the sample world: ") + city + u".");
        texts.push_back(u".END");
    }
    return texts;
}

}  // namespace tw::datafiles
