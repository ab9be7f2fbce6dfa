#include "support/datafiles/PatchFormats.h"

#include <algorithm>

#include "ByteWriter.h"

namespace tw::datafiles {

VerdataBuilder& VerdataBuilder::add(std::int32_t fileId, std::int32_t index, const Bytes& payload,
                                    std::int32_t extra) {
    Entry e;
    e.record = {fileId, index, 0, static_cast<std::int32_t>(payload.size()), extra};
    e.payload = payload;
    entries_.push_back(std::move(e));
    return *this;
}

VerdataBuilder& VerdataBuilder::addRaw(const VerdataRecord& record) {
    Entry e;
    e.record = record;
    e.raw = true;
    entries_.push_back(std::move(e));
    return *this;
}

VerdataBuilder& VerdataBuilder::setCount(std::int32_t count) {
    countSet_ = true;
    count_ = count;
    return *this;
}

Bytes VerdataBuilder::bytes() const {
    Bytes out;
    ByteWriter w(out);
    w.u32le(static_cast<M_DWORD>(countSet_ ? count_ : static_cast<std::int32_t>(entries_.size())));
    auto offset = static_cast<std::int32_t>(4 + 20 * entries_.size());
    for (const Entry& e : entries_) {
        VerdataRecord r = e.record;
        if (!e.raw) {
            r.offset = offset;
            offset += r.length;
        }
        for (std::int32_t v : {r.fileId, r.index, r.offset, r.length, r.extra})
            w.u32le(static_cast<M_DWORD>(v));
    }
    for (const Entry& e : entries_)
        if (!e.raw) w.raw(e.payload.data(), e.payload.size());
    return out;
}

Bytes EncodeSkill(M_BYTE flag, const std::string& name) {
    Bytes out(name.size() + 2, 0);
    out[0] = flag;
    std::copy(name.begin(), name.end(), out.begin() + 1);
    return out;
}

Bytes EncodeSkillGroups(const std::vector<std::string>& namesFromGroup1,
                        const std::vector<std::int32_t>& groupOfSkill) {
    Bytes out;
    ByteWriter w(out);
    w.u32le(static_cast<M_DWORD>(namesFromGroup1.size() + 1));
    for (const std::string& name : namesFromGroup1) w.fixedString(name, 17);
    for (size_t i = 0; i < 50; ++i)
        w.u32le(static_cast<M_DWORD>(i < groupOfSkill.size() ? groupOfSkill[i] : 0));
    return out;
}

Bytes EncodeSound(const std::string& name, const std::vector<std::int16_t>& samples) {
    Bytes out;
    ByteWriter w(out);
    w.fixedString(name, 40);
    for (std::int16_t s : samples) w.u16le(static_cast<M_WORD>(s));
    return out;
}

}  // namespace tw::datafiles
