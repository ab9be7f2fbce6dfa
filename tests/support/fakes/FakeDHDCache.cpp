#include "support/fakes/FakeDHDCache.h"

#include <map>

#include "ByteWriter.h"
#include "resources/DHDCache.h"
#include "support/TwTest.h"

namespace tw::fake {

namespace {
struct Item {
    std::vector<unsigned char> index;  // 12 bytes
    std::vector<unsigned char> data;
};

std::map<int, Item>& Sounds() {
    static std::map<int, Item> sounds;
    return sounds;
}

const bool registered = [] {
    tw::test::AddServiceReset([] { Sounds().clear(); });
    return true;
}();

std::vector<unsigned char> IndexRecord(int offset, int length) {
    ByteWriter writer;
    writer.u32le(static_cast<M_DWORD>(offset));
    writer.u32le(static_cast<M_DWORD>(length));
    writer.u32le(0);
    return writer.bytes();
}
}  // namespace

void AddSound(int id, const std::vector<short>& samples) {
    ByteWriter writer;
    for (int i = 0; i < 40; ++i) writer.u8(0);
    for (short s : samples) writer.u16le(static_cast<M_WORD>(s));
    Item& item = Sounds()[id];
    item.data = writer.bytes();
    item.index = IndexRecord(id * 0x10000, static_cast<int>(item.data.size()));
}

void AddSoundIndex(int id, int offset, int length) {
    Sounds()[id].index = IndexRecord(offset, length);
}

}  // namespace tw::fake

void CDHDCache::startup() {}
void CDHDCache::shutdown() {}

const unsigned char* CDHDCache::GetItemData(FileNumber file, int index) {
    if (file != 7) return nullptr;
    auto it = tw::fake::Sounds().find(index);
    if (it == tw::fake::Sounds().end() || it->second.index.empty()) return nullptr;
    return it->second.index.data();
}

const unsigned char* CDHDCache::GetCacheItem(FileNumber indexFile, FileNumber dataFile, int index,
                                             int* size, int* extra) {
    *size = 0;
    *extra = 0;
    if (indexFile != 7 || dataFile != 8) return nullptr;
    auto it = tw::fake::Sounds().find(index);
    if (it == tw::fake::Sounds().end() || it->second.data.empty()) return nullptr;
    *size = static_cast<int>(it->second.data.size());
    return it->second.data.data();
}
