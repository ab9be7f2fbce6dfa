// The OSS sound manager: the device, the channels, positional sounds, the
// ambient cross-fade and the mix step.
#include "OssSound.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/soundcard.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "ByteReader.h"
#include "Random.h"
#include "TWReport.h"
#include "app/App.h"
#include "config/Config.h"
#include "resources/DHDCache.h"
#include "view/MapManager.h"
#include "world/Coords.h"

namespace {

constexpr int kNoAmbientLevel = -10000;
constexpr int kSilentLevel = -2500;
constexpr int kAmbientFullLevel = -2200;
constexpr int kFadeStep = 20;
constexpr int kRequestedFragmentBytes = 256;  // 2^8, as SNDCTL_DSP_SETFRAGMENT asks

struct State {
    bool enabled = false;
    unsigned char masterVolume = 255;
    unsigned char masterVolumeCopy = 255;
    bool eightBit = false;
    int fd = -1;
    int framesPerFragment = 0;
    int keep = 2;            // fragments that hold about 200 ms
    int threshold = 0;       // mix while more fragments than this are free
    int totalFragments = 0;  // 0: the device has not said yet
    std::vector<unsigned char> mixBuffer;
    OssSound::Ambient current{0, -1, kSilentLevel};
    OssSound::Ambient fading{0, -1, kNoAmbientLevel};
};

State& S() {
    static State state;
    return state;
}

// The channels.  Built on first use rather than by a static initialiser, so
// that their constructor's log line goes to a started report.
StreamBuf* Channels() {
    static StreamBuf* channels = [] {
        static StreamBuf built[OssSound::kChannels];
        for (int i = 0; i < OssSound::kChannels; ++i)
            TWReport::print("StreamBuf::StreamBuf(): begin.\n");
        return built;
    }();
    return channels;
}

std::recursive_mutex& SoundMutex() {
    static std::recursive_mutex* mutex = new std::recursive_mutex;
    return *mutex;
}

using Lock = std::lock_guard<std::recursive_mutex>;

bool ValidAmbientId(int id) {
    return id >= 1 && id <= 65534;
}

void DropFading() {
    S().fading = {0, -1, kNoAmbientLevel};
}

// A channel that starts another sound, or is freed, no longer carries an
// ambient.
void ForgetAmbientChannel(int channel) {
    if (S().fading.channel == channel) DropFading();
    if (S().current.channel == channel) S().current.channel = -1;
}

void SetChannelLevel(int channel, int level) {
    if (channel < 0 || channel >= OssSound::kChannels) return;
    Channels()[channel].SetVolume(level);
}

void CloseFd(const char* what) {
    if (what != nullptr) perror(what);
    close(S().fd);
    S().fd = -1;
}

}  // namespace

void OssSound::startup() {
    TWReport::print("SoundManager::CSoundManager(): begin.\n");
    Lock lock(SoundMutex());
    State& s = S();
    s = State();
    s.enabled = Sound != 0;
    s.masterVolume = static_cast<unsigned char>(std::clamp(SoundVol, 0, 255));
    s.masterVolumeCopy = s.masterVolume;
    s.eightBit = Sound8Bit != 0;
    Channels();
    LookupSoundName("");  // builds the name index
}

void OssSound::shutdown() {
    TWReport::print("SoundManager::shutdown: begin.\n");
    if (S().fd >= 0) CloseDevice();
}

void OssSound::OpenIfEnabled() {
    if (S().enabled) OpenDevice();
}

void OssSound::FreeAllChannels() {
    Lock lock(SoundMutex());
    for (int i = 0; i < kChannels; ++i) {
        Channels()[i].Free();
        ForgetAmbientChannel(i);
    }
}

void OssSound::SetThresholdFromTotal(int totalFragments) {
    State& s = S();
    s.totalFragments = totalFragments;
    int keep = s.framesPerFragment > 0 ? kRate * 20 / (s.framesPerFragment * 100) : 2;
    keep = std::max(keep, 2);
    if (totalFragments > 0) keep = std::min(keep, totalFragments);
    s.keep = keep;
    // A device that has not told its size yet is filled by at most keep
    // fragments a call.
    s.threshold = totalFragments > 0 ? totalFragments - keep : -1;
}

void OssSound::OpenDevice() {
    State& s = S();
    SetVolume(s.masterVolume);
    if (s.fd >= 0) CloseDevice();
    FreeAllChannels();

    s.fd = open("/dev/dsp", O_WRONLY);
    if (s.fd < 0) {
        perror("/dev/dsp open");
        return;
    }
    int value = 0x7FFF0008;
    if (ioctl(s.fd, SNDCTL_DSP_SETFRAGMENT, &value) < 0) return CloseFd("dsp_setfragment ioctl");
    value = 1;
    if (ioctl(s.fd, SNDCTL_DSP_STEREO, &value) < 0) return CloseFd("dsp_stereo ioctl");

    if (!s.eightBit) {
        value = AFMT_S16_LE;
        if (ioctl(s.fd, SNDCTL_DSP_SETFMT, &value) < 0 || value != AFMT_S16_LE) {
            s.eightBit = true;
            printf("Warning: translating to 8 bit audio.\n");
            fflush(stdout);
        }
    }
    if (s.eightBit) {
        value = AFMT_U8;
        if (ioctl(s.fd, SNDCTL_DSP_SETFMT, &value) < 0 || value != AFMT_U8)
            return CloseFd("dsp_setfmt ioctl");
    }
    value = kRate;
    if (ioctl(s.fd, SNDCTL_DSP_SPEED, &value) < 0) return CloseFd("dsp_speed ioctl");

    audio_buf_info info;
    std::memset(&info, 0, sizeof info);
    ioctl(s.fd, SNDCTL_DSP_GETOSPACE, &info);
    // Some devices (the ALSA emulation among them) say nothing about their
    // fragments until the first write: fall back to the size we asked for.
    const int fragmentBytes = info.fragsize > 0 ? info.fragsize : kRequestedFragmentBytes;
    s.framesPerFragment = fragmentBytes / (s.eightBit ? 2 : 4);
    SetThresholdFromTotal(info.fragstotal > 0 ? info.fragstotal : 0);
    s.mixBuffer.assign(static_cast<size_t>(fragmentBytes), 0);
}

void OssSound::CloseDevice() {
    FreeAllChannels();
    State& s = S();
    s.mixBuffer.clear();
    s.mixBuffer.shrink_to_fit();
    if (s.fd >= 0) close(s.fd);
    s.fd = -1;
}

void OssSound::Enable(BOOL on) {
    Lock lock(SoundMutex());
    State& s = S();
    s.enabled = on != 0;
    if (on) {
        OpenDevice();
        if (ValidAmbientId(s.current.id) && s.current.channel == -1)
            s.current.channel = PlaySound(s.current.id, 0, s.current.level, TRUE, 0, FALSE);
        return;
    }
    if (s.fading.channel >= 0) Channels()[s.fading.channel].Free();
    DropFading();
    s.current.level = kSilentLevel;
    CloseDevice();
}

int OssSound::PlaySound(int id, int pan, int volume, BOOL loop, int random, BOOL restart) {
    State& s = S();
    if (!s.enabled || id < 0 || id >= NumSndFx) return -1;
    Lock lock(SoundMutex());
    StreamBuf* channels = Channels();
    if (!restart) {
        for (int i = 0; i < kChannels; ++i)
            if (channels[i].soundId == id) return i;
    }
    int chosen = -1;
    for (int i = 0; i < kChannels && chosen < 0; ++i)
        if (!channels[i].Busy()) chosen = i;
    if (chosen < 0) {
        // All busy: the quietest, the later one among equals.
        chosen = 0;
        for (int i = 1; i < kChannels; ++i)
            if (channels[i].volume <= channels[chosen].volume) chosen = i;
    }

    const unsigned char* entry = CDHDCache::GetItemData(kSoundIndexFile, id);
    if (entry == nullptr) return -1;
    ByteReader reader(entry, 12);
    const int offset = reader.i32le();
    const int length = reader.i32le();
    if (offset < 0 || length <= StreamBuf::kHeaderBytes) return -1;
    if (random) {
        RandomNumber(100);
        RandomNumber(100);
    }
    pan = std::clamp(pan, -10000, 10000);
    volume = std::clamp(volume, -10000, 0);
    ForgetAmbientChannel(chosen);
    channels[chosen].PlaySound(id, offset, length, pan, volume, loop, 0);
    return chosen;
}

int OssSound::PlaySoundIfEnabled(int id, int pan, int volume) {
    if (!S().enabled) return -1;
    return PlaySound(id, pan, volume, FALSE, 0, FALSE);
}

int OssSound::PlayPositional(int id, int x, int y, int z, float scale, BOOL loop, int random,
                             BOOL restart) {
    const Coords location(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z));
    Coords player;
    // Without a player the sound is heard where it is.
    if (!GetPlayerCoords(&player)) player = location;
    const int distance = MapManager::GetDistance(location, player.x, player.y);
    const double near = std::min(distance / 18.0, 1.0);
    const int volume = static_cast<int>(-2500.0 * scale * near);
    const int dx = (location.x - location.y) - (player.x - player.y);
    int pan = static_cast<int>(2500.0 * std::clamp(dx / 36.0, -1.0, 1.0));
    if (ReverseSpeakers) pan = -pan;
    return PlaySound(id, pan, volume, loop, random, restart);
}

void OssSound::SetVolume(unsigned char volume) {
    Lock lock(SoundMutex());
    S().masterVolume = volume;
    S().masterVolumeCopy = volume;
    const float factor = volume / 255.0f;
    for (int i = 0; i < kChannels; ++i) {
        StreamBuf& channel = Channels()[i];
        channel.factor = factor;
        channel.SetVolume(channel.requestedVolume);
    }
}

void OssSound::SetAmbient(int id) {
    Lock lock(SoundMutex());
    State& s = S();
    if (id == s.current.id) return;
    if (id == s.fading.id && ValidAmbientId(id) && s.fading.channel != -1) {
        std::swap(s.current, s.fading);
        return;
    }
    // The sound that was fading out is replaced: stop its looping channel,
    // or it would play on with nothing left to free it.
    if (s.fading.channel >= 0 && s.fading.channel != s.current.channel)
        Channels()[s.fading.channel].Free();
    s.fading = s.current;
    s.current = {id, -1, kSilentLevel};
    if (ValidAmbientId(id)) {
        const int channel = PlaySound(id, 0, kSilentLevel, TRUE, 0, FALSE);
        s.current.channel = channel;
    }
}

void OssSound::Update() {
    State& s = S();
    if (!s.enabled) return;
    if (s.fd >= 0) MixAndWrite();

    Lock lock(SoundMutex());
    s.fading.level -= kFadeStep;
    if (s.fading.level > kSilentLevel) {
        SetChannelLevel(s.fading.channel, s.fading.level);
    } else {
        if (s.fading.channel >= 0 && s.fading.channel < kChannels)
            Channels()[s.fading.channel].Free();
        DropFading();
    }
    s.current.level = std::min(s.current.level + kFadeStep, kAmbientFullLevel);
    SetChannelLevel(s.current.channel, s.current.level);
}

void OssSound::MixFragment(void* buffer) {
    State& s = S();
    const int frames = s.framesPerFragment;
    std::memset(buffer, s.eightBit ? 128 : 0, static_cast<size_t>(frames) * (s.eightBit ? 2 : 4));
    // Only a maximum install has every sound on the hard disk; the others
    // are skipped and stay as they are.
    if (hdConfig != MaxHD) return;
    for (int i = 0; i < kChannels; ++i) {
        StreamBuf& channel = Channels()[i];
        if (!channel.Busy()) continue;
        int size = 0, extra = 0;
        const unsigned char* data = CDHDCache::GetCacheItem(kSoundIndexFile, kSoundDataFile,
                                                            channel.soundId, &size, &extra);
        if (data == nullptr) {
            channel.Free();
            ForgetAmbientChannel(i);
            continue;
        }
        channel.Mix(buffer, frames, s.eightBit, data, size);
        if (!channel.Busy()) ForgetAmbientChannel(i);
    }
}

void OssSound::MixAndWrite() {
    Lock lock(SoundMutex());
    State& s = S();
    if (s.fd < 0 || s.mixBuffer.empty()) return;
    for (int written = 0; written < s.keep; ++written) {
        audio_buf_info info;
        std::memset(&info, 0, sizeof info);
        if (ioctl(s.fd, SNDCTL_DSP_GETOSPACE, &info) < 0) return;
        if (s.totalFragments == 0 && info.fragstotal > 0) SetThresholdFromTotal(info.fragstotal);
        if (info.fragments <= s.threshold) return;
        MixFragment(s.mixBuffer.data());
        if (write(s.fd, s.mixBuffer.data(), s.mixBuffer.size()) < 0) return;
    }
}

bool OssSound::DeviceOpen() {
    return S().fd >= 0;
}

bool OssSound::EightBit() {
    return S().eightBit;
}

int OssSound::FramesPerFragment() {
    return S().framesPerFragment;
}

const StreamBuf& OssSound::Channel(int index) {
    return Channels()[index];
}

OssSound::Ambient OssSound::CurrentAmbient() {
    return S().current;
}

OssSound::Ambient OssSound::FadingAmbient() {
    return S().fading;
}

void OssSound::reset() {
    if (S().fd >= 0) close(S().fd);
    S() = State();
    for (int i = 0; i < kChannels; ++i) Channels()[i] = StreamBuf();
}

namespace {

// The sound service that main installs: every operation is the manager's.
class OssSoundService final : public SoundService {
public:
    void startup() override { OssSound::startup(); }
    void shutdown() override { OssSound::shutdown(); }
    void OpenIfEnabled() override { OssSound::OpenIfEnabled(); }
    void OpenDevice() override { OssSound::OpenDevice(); }
    void CloseDevice() override { OssSound::CloseDevice(); }
    void Enable(BOOL on) override { OssSound::Enable(on); }
    void Update() override { OssSound::Update(); }
    int PlaySound(int id, int pan, int volume, BOOL loop, int random, BOOL restart) override {
        return OssSound::PlaySound(id, pan, volume, loop, random, restart);
    }
    int PlaySoundIfEnabled(int id, int pan, int volume) override {
        return OssSound::PlaySoundIfEnabled(id, pan, volume);
    }
    int PlayPositional(int id, int x, int y, int z, float scale, BOOL loop, int random,
                       BOOL restart) override {
        return OssSound::PlayPositional(id, x, y, z, scale, loop, random, restart);
    }
    void SetAmbient(int id) override { OssSound::SetAmbient(id); }
    void SetVolume(unsigned char volume) override { OssSound::SetVolume(volume); }
};

}  // namespace

SoundService& OssSound::Service() {
    static OssSoundService service;
    return service;
}
