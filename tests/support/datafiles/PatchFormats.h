// "verdata.mul", the version patch file, and the small item formats of
// skills, sounds and skill groups.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// ---- "verdata.mul" ----------------------------------------------------------
//   0   i32 count of records
//   4   count records of 20 bytes: i32 file id, i32 index, i32 payload offset
//       (from the start of the file), i32 payload length, i32 extra word
//   ..  payloads
// File ids: 0-16 replace item `index` of that data file (a variable-size item
// is patched under the id of its data file, a fixed-size one under its own);
// 30 a tile-data group (index 0-511 land, 512 + g item group g), 31 an
// animation-data group, 32 a hue group, 33 a whole bitmap font (index = font).
enum VerdataId : std::int32_t {
    kVerdataTileData = 30,
    kVerdataAnimData = 31,
    kVerdataHues = 32,
    kVerdataFont = 33,
};
struct VerdataRecord {
    std::int32_t fileId = 0;
    std::int32_t index = 0;
    std::int32_t offset = 0;  // set by VerdataBuilder::add
    std::int32_t length = 0;
    std::int32_t extra = 0;
};
class VerdataBuilder {
public:
    // A record whose payload follows the record table; an empty payload is a
    // record of length 0 (the item is removed).
    VerdataBuilder& add(std::int32_t fileId, std::int32_t index, const Bytes& payload,
                        std::int32_t extra = 0);
    // A record written exactly as given (bad offsets and lengths).
    VerdataBuilder& addRaw(const VerdataRecord& record);
    // Overrides the count field (a count that disagrees with the records).
    VerdataBuilder& setCount(std::int32_t count);
    Bytes bytes() const;

private:
    struct Entry {
        VerdataRecord record;
        Bytes payload;
        bool raw = false;
    };
    std::vector<Entry> entries_;
    bool countSet_ = false;
    std::int32_t count_ = 0;
};

// ---- skills ("skills.idx" / "skills.mul") -----------------------------------
// One item per skill: u8 flag, the name, a NUL.
Bytes EncodeSkill(M_BYTE flag, const std::string& name);

// ---- "skillgrp.mul" -------------------------------------------------------------
//   0   i32 group count N
//   4   names of groups 1 .. N-1, 17 bytes each (NUL-padded)
//   ..  i32 group number of skills 0 .. 49
Bytes EncodeSkillGroups(const std::vector<std::string>& namesFromGroup1,
                        const std::vector<std::int32_t>& groupOfSkill);

// ---- sounds ("soundidx.mul" / "sound.mul") ------------------------------------
// One item per sound: a 40-byte header (the player skips it; we keep the
// name there, NUL-padded), then signed 16-bit mono samples.
Bytes EncodeSound(const std::string& name, const std::vector<std::int16_t>& samples);

}  // namespace tw::datafiles
