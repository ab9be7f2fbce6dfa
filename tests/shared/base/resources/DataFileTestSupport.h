// The fixture of the resource tests: a fresh working directory, the
// resource managers reset around every test, and a small installation of the
// seventeen data files written by the fixture writers.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/TwTest.h"
#include "support/datafiles/DataFiles.h"
#include "support/doubles/WorldServices.h"

namespace tw::test {

// How the data files are laid out: all in the working directory (a maximum
// install), all in the CD directory "cd/", or the index files on the hard
// disk and the data files on the CD.
enum class InstallKind { MaxHD, CD, Mixed };

// One file's content by name ("art.mul", "artidx.mul", ...).
using FileSet = std::map<std::string, datafiles::Bytes>;

class ResourceTest : public TwTest {
public:
    void SetUp() override;

    // Every data file with at least one byte, so that each can be mapped.
    static FileSet MinimalFiles();
    // Writes the files for the install kind and sets the configuration.
    void WriteInstall(const FileSet& files, InstallKind kind, int cacheMegabytes = 1);
    // startup and Init of the data-file cache.
    void StartCache();

    // The cache file's three header lists, read from the file itself.
    struct Block {
        int header, length, file, offset, first;
    };
    struct CacheLists {
        std::vector<Block> used;  // most recently used first
        std::vector<Block> free;  // by offset
        int spare = 0;
    };
    CacheLists ReadCacheLists() const;

    // What the world objects of a test reach above the world model.
    tw::doubles::WorldServices world;
};

std::string Str(const M_BYTE* p, int n);

}  // namespace tw::test
