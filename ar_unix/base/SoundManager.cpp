// The sound manager's operations, forwarded to the installed sound service,
// and the music manager.
#include "SoundManager.h"

#include "TWReport.h"

namespace {

SoundService& Sound() {
    return tw::Service<SoundService>::Get();
}

}  // namespace

void SoundManager::startup() {
    Sound().startup();
}

void SoundManager::shutdown() {
    Sound().shutdown();
}

void SoundManager::OpenIfEnabled() {
    Sound().OpenIfEnabled();
}

void SoundManager::OpenDevice() {
    Sound().OpenDevice();
}

void SoundManager::CloseDevice() {
    Sound().CloseDevice();
}

void SoundManager::Enable(BOOL on) {
    Sound().Enable(on);
}

void SoundManager::Update() {
    Sound().Update();
}

int SoundManager::PlaySound(int id, int pan, int volume, BOOL loop, int random, BOOL restart) {
    return Sound().PlaySound(id, pan, volume, loop, random, restart);
}

int SoundManager::PlaySoundIfEnabled(int id, int pan, int volume) {
    return Sound().PlaySoundIfEnabled(id, pan, volume);
}

int SoundManager::PlayPositional(int id, int x, int y, int z, float scale, BOOL loop, int random,
                                 BOOL restart) {
    return Sound().PlayPositional(id, x, y, z, scale, loop, random, restart);
}

void SoundManager::SetAmbient(int id) {
    Sound().SetAmbient(id);
}

void SoundManager::SetVolume(unsigned char volume) {
    Sound().SetVolume(volume);
}

void MusicManager::startup() {
    TWReport::print("MusicManager::startup: begin.\n");
}

void MusicManager::shutdown() {
    TWReport::print("MusicManager::shutdown: begin.\n");
}
