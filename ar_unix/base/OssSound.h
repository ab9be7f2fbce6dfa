// Sound effects on the OSS device "/dev/dsp": eight software channels mixed
// into one stereo stream of 22048 frames a second, positional panning, one
// looping ambient sound that cross-fades when it changes, and a master
// volume.  The samples come from the data-file cache (sound index and data
// files).  All state lives for the process; the device is open from start-up
// (when enabled) to exit, and closed while sound is switched off.  Mixing
// runs on the main thread inside Update; one mutex guards the channels and
// the ambient state.
//
// The game code reaches it only through SoundManager (SoundManager.h): main
// installs Service() as the sound service.
#pragma once

#include "SoundManager.h"
#include "TWTypes.h"

// One sound channel.
struct StreamBuf {
    static constexpr int kFree = 65535;
    static constexpr int kHeaderBytes = 40;

    int readPos = kHeaderBytes;
    int endPos = 0;
    int soundId = kFree;
    int dataOffset = 0;  // the index entry: offset and length in the sound data
    int dataLength = 0;
    BOOL loop = FALSE;
    int loopStart = kHeaderBytes;
    int loopEnd = 0;
    float factor = 1.0f;  // master volume / 255
    int flags = 0;
    int pan = 0;              // -2500 left only .. 2500 right only
    int volume = 0;           // -2500 silent .. 0 full, after the factor
    int requestedVolume = 0;  // what the caller asked for, before the factor

    bool Busy() const { return soundId != kFree; }
    void Free() { soundId = kFree; }
    void PlaySound(int id, int offset, int length, int pan, int volume, BOOL loop, int flags);
    void SetVolume(int requested);
    // Adds this channel's samples to a fragment of frames stereo frames.
    // data/size is the sound record as the cache gave it; nothing past size
    // is read.
    void Mix(void* buffer, int frames, bool eightBit, const unsigned char* data, int size);
};

class OssSound {
public:
    static constexpr int NumSndFx = 654;
    static constexpr int kChannels = 8;
    static constexpr int kRate = 22048;
    static constexpr int kSoundIndexFile = 7;
    static constexpr int kSoundDataFile = 8;

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

    // The sound service over this manager, for main to install.
    static SoundService& Service();

    // The sound-name index: the id of a name, 0 when it is not known.
    static int LookupSoundName(const char* name);

    // State for tests and the benchmark.
    static bool DeviceOpen();
    static bool EightBit();
    static int FramesPerFragment();
    static const StreamBuf& Channel(int index);
    struct Ambient {
        int id;
        int channel;
        int level;
    };
    static Ambient CurrentAmbient();
    static Ambient FadingAmbient();
    // One fragment mixed from the busy channels into buffer (frames x 4
    // bytes, or x 2 in 8-bit mode), as the device would get it.
    static void MixFragment(void* buffer);

    // Test support: forget every state, close the device.
    static void reset();

private:
    static void MixAndWrite();
    static void FreeAllChannels();
    static void SetThresholdFromTotal(int totalFragments);
};

// The bucket of a name in the 293-bucket sound-name index.
int SoundNameHash(const char* name);
