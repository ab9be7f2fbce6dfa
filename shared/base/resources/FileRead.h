// Reading a table file opened through the file manager: at most the bytes
// the table can use, in one read of what the file holds, so that a short
// file is simply short.
#pragma once

#include <cstdio>
#include <vector>

#include "FileManager.h"
#include "TWTypes.h"

inline std::vector<M_BYTE> ReadOpenTable(FILE* stream, size_t maxBytes) {
    size_t size = FileManager::getOpenFileSize(stream);
    if (size > maxBytes) size = maxBytes;
    std::vector<M_BYTE> bytes(size);
    if (size) bytes.resize(FileManager::read(bytes.data(), 1, size, stream));
    return bytes;
}
