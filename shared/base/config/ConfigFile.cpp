// Writing single keys back into "tw.cfg", reading one key's raw value, and
// the scrambling of stored passwords.
#include <cstdio>
#include <cstring>
#include <string>

#include "FileManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "config/TextLine.h"

namespace {

const char* const kConfigFile = "tw.cfg";
const char* const kTempFile = "tw.cfg.new";

bool readWhole(const char* name, std::string* bytes) {
    FILE* f = fopen(name, "rb");
    if (!f) return false;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes->append(chunk, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

// Finds the first complete line (one that has its line end) whose key is id.
// Lines end as ReadTextLine ends them; only the first 263 characters of a
// line are looked at, as the reader sees them.
bool findKeyLine(const std::string& bytes, int id, size_t* begin, size_t* end) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t stop = bytes.find_first_of("\r\n", pos);
        if (stop == std::string::npos) return false;  // last line without a line end
        size_t next = stop + 1;
        if (next < bytes.size() && bytes[next] != bytes[stop] &&
            (bytes[next] == '\r' || bytes[next] == '\n'))
            ++next;
        char line[TEXT_LINE_SIZE];
        size_t n = stop - pos < sizeof line - 1 ? stop - pos : sizeof line - 1;
        memcpy(line, bytes.data() + pos, n);
        line[n] = 0;
        char *key, *value;
        if (SplitConfigLine(line, &key, &value) && FindConfigKey(key) == id) {
            *begin = pos;
            *end = next;
            return true;
        }
        pos = next;
    }
    return false;
}

// The "tw.cfg" that the reading side finds through the search paths.
bool readFound(std::string* bytes) {
    FILE* f = FileManager::open(kConfigFile, "rb");
    if (!f) return false;
    char chunk[4096];
    size_t n;
    while ((n = FileManager::read(chunk, 1, sizeof chunk, f)) > 0) bytes->append(chunk, n);
    bool ok = !ferror(f);
    FileManager::close(f);
    return ok;
}

bool writeAll(FILE* f, const std::string& bytes) {
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

}  // namespace

void saveConfigDirective(int id, const char* value) {
    const char* name = ConfigKeyName(id);
    if (!name) {
        // Id 129 would rewrite the first comment or unknown line with no
        // key name at all.
        TWReport::error("saveConfigDirective: refusing to save unknown key id %d.\n", id);
        return;
    }
    if (!value) value = "";

    std::string bytes;
    size_t begin = 0, end = 0;
    bool haveFile = readWhole(kConfigFile, &bytes);
    // A "tw.cfg" found only on another search path is the one the settings
    // were read from: a new one here holding just this key would hide all
    // of its other settings from then on, so it starts as a copy of that one.
    bool copied = false;
    if (!haveFile) {
        bytes.clear();
        copied = haveFile = readFound(&bytes);
        if (!copied) bytes.clear();
    }
    const bool replace = haveFile && findKeyLine(bytes, id, &begin, &end);
    if (replace || copied) {
        std::string updated;
        if (replace) {
            updated = bytes.substr(0, begin);
            updated += name;
            updated += '=';
            updated += value;
            updated += "\r\n";
            updated += bytes.substr(end);
        } else {
            updated = bytes;
            if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r')
                updated += '\n';
            updated += name;
            updated += '=';
            updated += value;
            updated += '\n';
        }
        // The new contents go to a fresh file that then replaces the old one,
        // so that a failed write never leaves "tw.cfg" truncated.
        FILE* f = fopen(kTempFile, "wb");
        if (f) {
            if (writeAll(f, updated) && rename(kTempFile, kConfigFile) == 0) return;
            remove(kTempFile);
            TWReport::error("saveConfigDirective: cannot replace 'tw.cfg'; '%s' not saved.\n",
                            name);
            return;
        }
        // No new file can be made beside it: write in place as the last resort.
        f = fopen(kConfigFile, "wb");
        if (!f) TWReport::fatal("saveConfigDirective: cannot open 'tw.cfg'. why? mode is 'wb'.\n");
        if (!writeAll(f, updated))
            TWReport::error("saveConfigDirective: writing 'tw.cfg' failed.\n");
        return;
    }

    FILE* f = fopen(kConfigFile, "at");
    if (!f) {
        TWReport::error("saveConfigDirective: cannot open 'tw.cfg'.\n");
        return;
    }
    // Appending to a last line that has no line end would join the two lines.
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') fputc('\n', f);
    fprintf(f, "%s=%s\n", name, value);
    if (fclose(f) != 0) TWReport::error("saveConfigDirective: writing 'tw.cfg' failed.\n");
}

BOOL getTWCfgDirective(int id, char* out, size_t outSize) {
    FILE* file = FileManager::open(kConfigFile, "r");
    if (!file) return FALSE;
    BOOL found = FALSE;
    for (;;) {
        char* line = ReadTextLine(file);
        char *key, *value;
        if (SplitConfigLine(line, &key, &value)) {
            TWReport::print("getTWCfgDirective: found '%s'.\n", key);
            if (value && FindConfigKey(key) == id) {
                if (out && outSize) snprintf(out, outSize, "%s", value);
                found = TRUE;
            }
        }
        if (feof(file) || ferror(file)) break;
    }
    FileManager::close(file);
    return found;
}

// For the printable characters the two functions are inverse.  The byte rule maps the 7-bit
// characters only.  Bytes of 128 and above are kept as they are: shifted as signed values, 243
// would become the terminator and 252 or 253 a tab or a line feed, cutting the password and the
// "tw.cfg" line that holds it.
void ScramblePassword(char* text) {
    if (!text) return;
    for (; *text; ++text) {
        int c = static_cast<unsigned char>(*text);
        if (c >= 128) continue;
        *text = static_cast<char>(c + 13 >= 128 ? c - 82 : c + 13);
    }
}

void UnscramblePassword(char* text) {
    if (!text) return;
    for (; *text; ++text) {
        int c = static_cast<unsigned char>(*text);
        if (c >= 128) continue;
        *text = static_cast<char>(c >= 13 && c < 45 ? c + 82 : c - 13);
    }
}
