// The sample installation: every file the client opens at start-up, made by
// the fixture writers.  Each Write* function adds one group of files.
#pragma once

#include <string>

#include "support/datafiles/DataFiles.h"
#include "support/datafiles/SampleWorld.h"

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

// A picture of one colour inside a one-pixel edge of another.
tw::datafiles::Image Framed(int w, int h, M_WORD fill, M_WORD edge);

// Configuration texts: "tw.cfg", "login.cfg", "version.dat" and the saved
// player lists.
void WriteSettings(Output& out);
using tw::datafiles::sample::SampleWorld;

// "art.mul" with the sample world's land and static art and the cursor
// shapes; the world's textures.
void WriteArt(Output& out, const SampleWorld& world);
// The graphic effects' art (arrival effects and a bolt) and their frame
// counts in the tile data.
void AddEffectArt(SampleWorld& world);
// "gumpart.mul": the window, button and frame pictures.
void WriteGumpArt(Output& out);
// "anim.mul": walking and standing figures; "animinfo.mul", "animdata.mul".
void WriteAnimations(Output& out, const SampleWorld& world);
// The sample world's map, statics, tile data and light maps, a multi, the
// regions, radar colours and the world map picture.
void WriteWorld(Output& out, const SampleWorld& world);
// Hues (the sample world's), palette, bitmap and Unicode fonts, the
// language files and key names.
void WriteTextAndColour(Output& out, const SampleWorld& world);
// Sounds, skills, skill groups and "verdata.mul".
void WriteSoundsAndSkills(Output& out);

}  // namespace mkinstall
