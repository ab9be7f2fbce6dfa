#include "support/datafiles/DataFile.h"

#include <cstdio>

#include "ByteWriter.h"

namespace tw::datafiles {

bool WriteBytes(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, Bytes(text.begin(), text.end()));
}

IndexedPair& IndexedPair::reserve(int count) {
    if (count > static_cast<int>(records_.size())) records_.resize(count);
    return *this;
}

IndexedPair& IndexedPair::setRecord(int index, IndexRecord record) {
    reserve(index + 1);
    records_[index] = record;
    return *this;
}

std::int32_t IndexedPair::appendData(const Bytes& data) {
    auto offset = static_cast<std::int32_t>(data_.size());
    data_.insert(data_.end(), data.begin(), data.end());
    return offset;
}

IndexedPair& IndexedPair::add(int index, const Bytes& data, std::int32_t extra) {
    std::int32_t offset = appendData(data);
    return setRecord(index, {offset, static_cast<std::int32_t>(data.size()), extra});
}

Bytes IndexedPair::indexBytes() const {
    Bytes out;
    ByteWriter w(out);
    for (const IndexRecord& r : records_)
        w.u32le(static_cast<M_DWORD>(r.offset))
            .u32le(static_cast<M_DWORD>(r.length))
            .u32le(static_cast<M_DWORD>(r.extra));
    return out;
}

bool IndexedPair::write(const std::string& indexPath, const std::string& dataPath) const {
    return WriteBytes(indexPath, indexBytes()) && WriteBytes(dataPath, data_);
}

}  // namespace tw::datafiles
