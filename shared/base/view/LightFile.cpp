#include "view/LightFile.h"

#include <bitset>
#include <cstdint>

#include "ByteReader.h"
#include "TWReport.h"

namespace {

constexpr size_t kRecordSize = 12;

std::bitset<MAX_LIGHT_NUMBER + 1> s_said;

void Refuse(int number, const char* why) {
    if (s_said[number]) return;
    s_said[number] = true;
    TWReport::warning("thelightthingie: light %d of 'lightidx.mul' %s; it gives no light.\n",
                      number, why);
}

}  // namespace

void LightFiles::Set(const M_BYTE* index, size_t indexSize, const M_BYTE* data, size_t dataSize) {
    index_ = index;
    indexSize_ = index ? indexSize : 0;
    data_ = data;
    dataSize_ = data ? dataSize : 0;
}

BOOL LightFiles::Get(int number, LightMap* out) const {
    *out = LightMap{};
    if (number < 0 || number > MAX_LIGHT_NUMBER || !index_) return FALSE;
    const size_t at = static_cast<size_t>(number) * kRecordSize;
    if (at + kRecordSize > indexSize_) return FALSE;  // no record: no light
    ByteReader r(index_ + at, kRecordSize);
    const std::uint64_t offset = r.u32le();
    const std::uint64_t length = r.u32le();
    const int width = r.u16le();
    const int height = r.u16le();
    if (width == 0 || height == 0 || length == 0) return FALSE;
    if (offset + length > dataSize_) {
        Refuse(number, "lies outside 'light.mul'");
        return FALSE;
    }
    if (static_cast<std::uint64_t>(width) * height > length) {
        Refuse(number, "is larger than its record");
        return FALSE;
    }
    out->width = width;
    out->height = height;
    out->values = reinterpret_cast<const signed char*>(data_ + offset);
    return TRUE;
}

void LightFiles::ForgetReports() {
    s_said.reset();
}

LightFiles& TheLightFiles() {
    static LightFiles files;
    return files;
}
