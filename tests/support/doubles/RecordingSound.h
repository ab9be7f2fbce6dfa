// A recording double of the sound service: it plays nothing and records the
// sounds asked for.  Tests install it with tw::ScopedService<SoundService>.
#pragma once

#include <vector>

#include "SoundManager.h"

namespace tw::doubles {

class RecordingSound final : public SoundService {
public:
    struct Played {
        int id;
        bool positional;
        int x, y, z;  // where a positional sound was asked for
        // Through PlaySoundIfEnabled.
        bool ifEnabled = false;
    };

    std::vector<Played> played;
    // Every ambient sound asked for.
    std::vector<int> ambient;

    void startup() override {}
    void shutdown() override {}
    void OpenIfEnabled() override {}
    void OpenDevice() override {}
    void CloseDevice() override {}
    void Enable(BOOL) override {}
    void Update() override {}
    int PlaySound(int id, int, int, BOOL, int, BOOL) override {
        played.push_back({id, false, 0, 0, 0});
        return 0;
    }
    int PlaySoundIfEnabled(int id, int, int) override {
        played.push_back({id, false, 0, 0, 0, true});
        return 0;
    }
    int PlayPositional(int id, int x, int y, int z, float, BOOL, int, BOOL) override {
        played.push_back({id, true, x, y, z});
        return 0;
    }
    void SetAmbient(int id) override { ambient.push_back(id); }
    void SetVolume(unsigned char) override {}
};

}  // namespace tw::doubles
