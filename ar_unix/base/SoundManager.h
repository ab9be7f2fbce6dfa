// Sound effects, as the game code reaches them.
//
// SoundManager's operations forward to the installed SoundService.  The
// platform layer implements it on the OSS device (OssSound.h: eight mixed
// channels, positional panning, the ambient cross-fade, the master volume)
// and main installs it before the sound manager starts; tests install a
// recording double.  A location is given as map x, y and z.
//
// MusicManager is the music service, which on this platform only logs.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class SoundService {
public:
    static constexpr const char* kServiceName = "SoundService";
    virtual ~SoundService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void OpenIfEnabled() = 0;
    virtual void OpenDevice() = 0;
    virtual void CloseDevice() = 0;
    virtual void Enable(BOOL on) = 0;
    virtual void Update() = 0;
    virtual int PlaySound(int id, int pan, int volume, BOOL loop, int random, BOOL restart) = 0;
    virtual int PlaySoundIfEnabled(int id, int pan, int volume) = 0;
    virtual int PlayPositional(int id, int x, int y, int z, float scale, BOOL loop, int random,
                               BOOL restart) = 0;
    virtual void SetAmbient(int id) = 0;
    virtual void SetVolume(unsigned char volume) = 0;
};

class SoundManager {
public:
    static void startup();
    static void shutdown();
    static void OpenIfEnabled();
    static void OpenDevice();
    static void CloseDevice();
    static void Enable(BOOL on);
    static void Update();

    // Returns the channel 0-7, or -1 when nothing was started.
    static int PlaySound(int id, int pan, int volume, BOOL loop = FALSE, int random = 0,
                         BOOL restart = FALSE);
    static int PlaySoundIfEnabled(int id, int pan, int volume);
    static int PlayPositional(int id, int x, int y, int z, float scale, BOOL loop = FALSE,
                              int random = 0, BOOL restart = FALSE);
    static void SetAmbient(int id);
    static void SetVolume(unsigned char volume);
};

class MusicManager {
public:
    static void startup();
    static void shutdown();
};
