// Records the sounds played (the sound device stays closed).
#pragma once

#include <vector>

#include "world/Coords.h"

namespace tw::fake {

struct PlayedSound {
    int id;
    bool positional;
    Coords where;
    // Through PlaySoundIfEnabled.
    bool ifEnabled = false;
};
std::vector<PlayedSound>& PlayedSounds();

}  // namespace tw::fake
