// Sound samples over arbitrary bytes, the way the OSS sound service plays them:
// the input is the u16 length of "soundidx.mul", that index, then
// "sound.mul".  Every indexed sound is started through the service
// (which reads its offset and length from the index record) and its channel
// mixed from the item the cache hands out, into a few 16-bit and 8-bit
// fragments, panned left and right, looping for odd ids.  Positional sound
// is not played here: without a player every sound is where the player is,
// and the map's distance is the program's stand-in.
#include <cstdint>
#include <vector>

#include "OssSound.h"
#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ResourceFuzz.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started =
        (InstallPendingServices(), tw::fuzz::StartResourceCache(false), true);
    (void)started;
    if (size < 2) return 0;
    size_t indexSize = data[0] | size_t(data[1]) << 8;
    if (indexSize > size - 2) indexSize = size - 2;
    const uint8_t* index = data + 2;
    const uint8_t* samples = index + indexSize;
    const FileNumber files[2] = {OssSound::kSoundIndexFile, OssSound::kSoundDataFile};
    for (FileNumber file : files) {
        CDHDCache::FlushFile(file);
        CDHDCache::UnmapFile(file);
    }
    tw::fuzz::WriteInputFile(CDHDCache::GetFileName(files[0]), index, indexSize);
    tw::fuzz::WriteInputFile(CDHDCache::GetFileName(files[1]), samples, size - 2 - indexSize);
    for (FileNumber file : files) CDHDCache::RemapFile(file);

    Sound = 1;
    SoundVol = 200;
    OssSound::reset();
    OssSound::startup();
    constexpr int kFrames = 300;
    std::vector<int16_t> fragment(2 * kFrames);
    unsigned sum = 0;
    const int sounds = static_cast<int>(indexSize / CDHDCache::INDEX_RECORD_SIZE) + 1;
    for (int id = 0; id < sounds && id < 32; ++id) {
        const int pan = (id % 5 - 2) * 1250;
        const int channel = OssSound::PlaySound(id, pan, -100 * id, id & 1, 0, TRUE);
        if (channel < 0) continue;
        StreamBuf mixing = OssSound::Channel(channel);
        int itemSize = 0, extra = 0;
        const M_BYTE* item = CDHDCache::GetCacheItem(files[0], files[1], id, &itemSize, &extra);
        for (int round = 0; round < 3; ++round)
            mixing.Mix(fragment.data(), kFrames, round == 2, item, itemSize);
    }
    for (int16_t s : fragment) sum += static_cast<uint16_t>(s);
    OssSound::reset();
    return sum == 0xFFFFFFFF;
}
