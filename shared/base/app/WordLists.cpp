// The user's word list ("twbscene.lst") and ignore list ("ignore.lst").
//
// "twbscene.lst": entries one after another, each its 16-bit units
// (little-endian) with 13 added to each, followed by the single unit 23 (a
// line feed plus 13).
//
// "ignore.lst": records of 34 bytes, read until one is not whole:
//   offset  size  field
//   0       30    name, 8-bit, NUL-padded (not always terminated)
//   30      4     serial, u32 little-endian
#include <cstring>
#include <vector>

#include "App.h"
#include "ByteReader.h"
#include "ByteWriter.h"
#include "FileManager.h"
#include "TWReport.h"

namespace {

const char* const kWordFile = "twbscene.lst";
const char* const kIgnoreFile = "ignore.lst";
constexpr size_t kIgnoreRecord = 34;
constexpr size_t kIgnoreName = 30;

std::vector<M_BYTE> readAll(FILE* file) {
    std::vector<M_BYTE> bytes;
    M_BYTE chunk[4096];
    size_t n;
    while ((n = FileManager::read(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    return bytes;
}

void writeAll(const char* name, const std::vector<M_BYTE>& bytes) {
    FILE* file = FileManager::open(name, "wb");
    if (!file) {
        TWReport::warning("CApp::SaveWordLists: cannot open file '%s' with mode '%s'.\n", name,
                          "wb");
        return;
    }
    FileManager::write(bytes.data(), 1, bytes.size(), file);
    FileManager::close(file);
}

// The tables are fixed: entries past them, and units past an entry's 29, are
// dropped rather than written beyond the table.
void loadWords(const std::vector<M_BYTE>& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    M_WORD entry[CApp::WORD_LENGTH];
    int length = 0;
    bool dropped = false;
    auto finish = [&] {
        if (length == 0) return;
        if (CApp::wordCount < CApp::MAX_WORDS) {
            memcpy(CApp::wordList[CApp::wordCount], entry, length * sizeof(M_WORD));
            CApp::wordList[CApp::wordCount][length] = 0;
            ++CApp::wordCount;
        } else {
            dropped = true;
        }
        length = 0;
    };
    while (in.has(2)) {
        M_WORD unit = static_cast<M_WORD>(in.u16le() - 13);
        if (unit == 10 || unit == 13) {
            finish();
        } else if (length < CApp::WORD_LENGTH - 1) {
            entry[length++] = unit;
        } else {
            dropped = true;
        }
    }
    finish();  // a last entry without its end mark still counts
    if (dropped)
        TWReport::warning(
            "CApp::LoadWordLists: '%s' holds more than %d entries of %d units; the "
            "rest is dropped.\n",
            kWordFile, CApp::MAX_WORDS, CApp::WORD_LENGTH - 1);
}

void loadIgnored(const std::vector<M_BYTE>& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    while (in.has(kIgnoreRecord)) {
        if (CApp::ignoreCount >= CApp::MAX_IGNORED) {
            TWReport::warning(
                "CApp::LoadWordLists: '%s' holds more than %d records; the rest is "
                "dropped.\n",
                kIgnoreFile, CApp::MAX_IGNORED);
            return;
        }
        IgnoreEntry& e = CApp::ignoreList[CApp::ignoreCount++];
        in.fixedString(e.name, sizeof e.name, kIgnoreName);
        e.serial = in.u32le();
    }
}

}  // namespace

void CApp::LoadWordLists() {
    wordCount = 0;
    ignoreCount = 0;
    if (FILE* file = FileManager::open(kWordFile, "rb")) {
        std::vector<M_BYTE> bytes = readAll(file);
        FileManager::close(file);
        loadWords(bytes);
    }
    if (FILE* file = FileManager::open(kIgnoreFile, "rb")) {
        std::vector<M_BYTE> bytes = readAll(file);
        FileManager::close(file);
        loadIgnored(bytes);
    }
}

void CApp::SaveWordLists(int which) {
    std::vector<M_BYTE> bytes;
    ByteWriter out(bytes);
    if (which == 0) {
        for (int i = 0; i < wordCount; ++i) {
            for (const M_WORD* u = wordList[i]; *u && u < wordList[i] + WORD_LENGTH; ++u)
                out.u16le(static_cast<M_WORD>(*u + 13));
            out.u16le(23);
        }
        writeAll(kWordFile, bytes);
    } else if (which == 1) {
        for (int i = 0; i < ignoreCount; ++i) {
            out.fixedString(ignoreList[i].name, kIgnoreName);
            out.u32le(ignoreList[i].serial);
        }
        writeAll(kIgnoreFile, bytes);
    }
}

BOOL CApp::IsSerialInList(int serial) {
    for (int i = 0; i < ignoreCount; ++i)
        if (ignoreList[i].serial == static_cast<M_DWORD>(serial)) return TRUE;
    return FALSE;
}
