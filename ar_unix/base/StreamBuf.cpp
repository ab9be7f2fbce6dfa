// One sound channel: starting a sound and mixing its samples.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "OssSound.h"

void StreamBuf::PlaySound(int id, int offset, int length, int pan_, int volume_, BOOL loop_,
                          int flags_) {
    soundId = id;
    dataOffset = offset;
    dataLength = length;
    readPos = kHeaderBytes;
    endPos = length;
    loop = loop_;
    loopStart = kHeaderBytes;
    loopEnd = length;
    flags = flags_;
    pan = pan_;
    SetVolume(volume_);
}

void StreamBuf::SetVolume(int requested) {
    // Always from what was asked for, never from the last result, so that
    // repeated master-volume changes do not compound.
    requestedVolume = requested;
    volume = static_cast<int>(-2500 + factor * static_cast<float>(requested + 2500));
}

namespace {

int16_t ReadSample(const unsigned char* data, int pos) {
    uint16_t raw = static_cast<uint16_t>(data[pos] | (data[pos + 1] << 8));
    return static_cast<int16_t>(raw);
}

int Saturate(int value, int low, int high) {
    return std::min(high, std::max(low, value));
}

}  // namespace

void StreamBuf::Mix(void* buffer, int frames, bool eightBit, const unsigned char* data, int size) {
    if (!Busy() || data == nullptr) return;
    // Never read past the item the cache handed out, whatever the index
    // entry claimed.
    const int limit = std::min(endPos, size);
    const int loopLimit = std::min(loopEnd, size);
    const int p = std::max(-2500, std::min(2500, pan));
    auto* out16 = static_cast<int16_t*>(buffer);
    auto* out8 = static_cast<unsigned char*>(buffer);
    for (int frame = 0; frame < frames; ++frame) {
        if (loop && readPos + 2 > loopLimit) {
            if (loopLimit - loopStart < 2) break;  // nothing left to loop over
            readPos = loopStart;
        }
        if (readPos + 2 > limit) break;
        const int s = ReadSample(data, readPos);
        readPos += 2;
        int left = s;
        int right = s;
        if (p < 0) right = s * (p + 2500) / 2500;
        if (p > 0) left = s * (2500 - p) / 2500;
        if (eightBit) {
            out8[frame * 2] =
                static_cast<unsigned char>(Saturate(out8[frame * 2] + (left >> 8), 0, 255));
            out8[frame * 2 + 1] =
                static_cast<unsigned char>(Saturate(out8[frame * 2 + 1] + (right >> 8), 0, 255));
        } else {
            out16[frame * 2] =
                static_cast<int16_t>(Saturate(out16[frame * 2] + left, -32768, 32767));
            out16[frame * 2 + 1] =
                static_cast<int16_t>(Saturate(out16[frame * 2 + 1] + right, -32768, 32767));
        }
    }
    if (!loop && readPos + 2 > limit) Free();
}
