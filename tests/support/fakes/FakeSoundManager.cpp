#include "support/fakes/FakeSoundManager.h"

#include "SoundManager.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<PlayedSound>& PlayedSounds() {
    static std::vector<PlayedSound> sounds;
    return sounds;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { PlayedSounds().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

int SoundManager::PlaySound(int id, int, int, BOOL, int, BOOL) {
    tw::fake::PlayedSounds().push_back({id, false, Coords()});
    return 0;
}

int SoundManager::PlaySoundIfEnabled(int id, int, int) {
    tw::fake::PlayedSounds().push_back({id, false, Coords(), true});
    return 0;
}

int SoundManager::PlayPositional(int id, Coords location, float, BOOL, int, BOOL) {
    tw::fake::PlayedSounds().push_back({id, true, location});
    return 0;
}
