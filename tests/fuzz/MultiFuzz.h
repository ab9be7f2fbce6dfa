// Shared by the fuzz targets that read multi definitions: the data-file
// cache started over a world whose files are placeholders, and multi 0 of
// "multi.idx"/"multi.mul" replaced by the input.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::fuzz {

void StartMultiCache();
void WriteMultiDefinition(const uint8_t* data, size_t size);

}  // namespace tw::fuzz
