// Fixture writers for the installed data files.
//
// Tests and tools/mkinstall make small, self-consistent data files with these
// writers instead of shipping binaries.  Each writer returns the bytes of one
// file (or of one item inside a file); WriteBytes puts them on disk.  Every
// field is written little-endian, one by one, through ByteWriter.  The record
// layout of each format is drawn above its writer.
//
// This header holds what every format shares: the byte buffer and the
// index/data pair.  The formats live in the neighbouring headers; include
// "support/datafiles/DataFiles.h" for all of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TWTypes.h"

namespace tw::datafiles {

using Bytes = std::vector<M_BYTE>;

// Writes the bytes to path (replacing the file); false when that fails.
bool WriteBytes(const std::string& path, const Bytes& bytes);
bool WriteText(const std::string& path, const std::string& text);

// One record of an index file, 12 bytes:
//   0  i32 offset of the item in the paired data file (negative: absent)
//   4  i32 length in bytes
//   8  i32 extra word (gump art: width << 16 | height; textures: 0 or 1)
struct IndexRecord {
    std::int32_t offset = -1;
    std::int32_t length = 0;
    std::int32_t extra = 0;
};
constexpr int kIndexRecordSize = 12;

// An index file and its data file, built together.  Items are appended to the
// data file in the order they are added; the index grows to hold the highest
// index given, and every record not given stays absent {-1, 0, 0}.
//
//   IndexedPair art;
//   art.add(0, LandTileSolid(0x7FFF)).add(0x4000 + 3, EncodeStaticArt(img));
//   art.write("artidx.mul", "art.mul");
class IndexedPair {
public:
    IndexedPair& add(int index, const Bytes& data, std::int32_t extra = 0);
    // A record as given, nothing appended: for absent or deliberately corrupt
    // entries (offset past the data, negative length, ...).
    IndexedPair& setRecord(int index, IndexRecord record);
    // Makes the index hold at least count records.
    IndexedPair& reserve(int count);
    // Appends bytes to the data file without a record; returns their offset.
    std::int32_t appendData(const Bytes& data);

    int count() const { return static_cast<int>(records_.size()); }
    const IndexRecord& record(int index) const { return records_.at(index); }
    const Bytes& data() const { return data_; }
    Bytes indexBytes() const;
    bool write(const std::string& indexPath, const std::string& dataPath) const;

private:
    std::vector<IndexRecord> records_;
    Bytes data_;
};

}  // namespace tw::datafiles
