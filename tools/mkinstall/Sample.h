// The sample installation: every file the client opens at start-up, made by
// the fixture writers.  Each Write* function adds one group of files.
#pragma once

#include <string>

#include "support/datafiles/DataFiles.h"

namespace mkinstall {

// Where the files go; every write is checked and counted.
class Output {
public:
    explicit Output(std::string dir) : dir_(std::move(dir)) {}
    void bytes(const std::string& name, const tw::datafiles::Bytes& data);
    void text(const std::string& name, const std::string& data);
    void pair(const std::string& index, const std::string& data,
              const tw::datafiles::IndexedPair& pair);
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    int failures() const { return failures_; }
    long long total() const { return total_; }

private:
    std::string dir_;
    int failures_ = 0;
    long long total_ = 0;
};

// The land, static and item graphics the sample map uses.
namespace tiles {
constexpr M_WORD kGrass = 3;
constexpr M_WORD kDirt = 6;
constexpr M_WORD kWater = 168;
constexpr M_WORD kWall = 100;
constexpr M_WORD kFloor = 1169;
constexpr M_WORD kTree = 3240;
constexpr M_WORD kLamp = 2848;
constexpr M_WORD kWaterFall = 6039;  // animated
}  // namespace tiles

// A picture of one colour inside a one-pixel edge of another.
tw::datafiles::Image Framed(int w, int h, M_WORD fill, M_WORD edge);

// Configuration texts: "tw.cfg", "login.cfg", "version.dat" and the saved
// player lists.
void WriteSettings(Output& out);
// "art.mul" with land tiles, statics and the cursor shapes; "texmaps.mul".
void WriteArt(Output& out);
// "gumpart.mul": the window, button and frame pictures.
void WriteGumpArt(Output& out);
// "anim.mul": walking and standing figures; "animinfo.mul", "animdata.mul".
void WriteAnimations(Output& out);
// The map and its statics, tile data, multis, regions, light maps, radar
// colours and the world map picture.
void WriteWorld(Output& out);
// Hues, palette, bitmap and Unicode fonts, the language files and key names.
void WriteTextAndColour(Output& out);
// Sounds, skills, skill groups and "verdata.mul".
void WriteSoundsAndSkills(Output& out);

}  // namespace mkinstall
