// Shared set-up of the resource fuzz targets: a small installation in the
// scratch directory and the data-file cache started over it once, with
// owners of the patch groups installed that read what they are handed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::fuzz {

// Where the index/data lookup target keeps its pairs: the art pair comes
// from the CD directory (through the block cache), the gump pair from the
// hard disk.
void StartResourceCache(bool cdInstall);

// Reads every byte of an item, so that the sanitizers see an over-read.
unsigned Touch(const unsigned char* p, int size);

}  // namespace tw::fuzz
