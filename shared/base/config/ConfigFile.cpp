// Writing single keys back into "tw.cfg", reading one key's raw value, and
// the scrambling of stored passwords.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

    // A save that cannot be made whole is not made: "tw.cfg" keeps every
    // byte and the program goes on, with a line in the log.  The settings
    // are written to a new file that then replaces the old one, never into
    // "tw.cfg" itself, where a full disk or a file-size limit would cut it.
    std::string bytes;
    bool copied = false;
    struct stat old {};
    const bool haveFile = stat(kConfigFile, &old) == 0;
    if (haveFile) {
        // Checked before reading: a FIFO would block the read for ever.
        if (!S_ISREG(old.st_mode)) {
            TWReport::error(
                "saveConfigDirective: 'tw.cfg' is not a regular file; '%s' not saved.\n", name);
            return;
        }
        // A read-only "tw.cfg" is the user's choice; replacing it would undo
        // that (root passes access(), so the mode bits count too).
        if (access(kConfigFile, W_OK) != 0 || (old.st_mode & 0222) == 0) {
            TWReport::error("saveConfigDirective: 'tw.cfg' is read-only; '%s' not saved.\n", name);
            return;
        }
        // Replacing a file that could not be read would lose its settings.
        if (!readWhole(kConfigFile, &bytes)) {
            TWReport::error("saveConfigDirective: cannot read 'tw.cfg'; '%s' not saved.\n", name);
            return;
        }
    } else if (readFound(&bytes)) {
        // A "tw.cfg" found only on another search path is the one the
        // settings were read from: a new one here holding just this key
        // would hide all of its other settings from then on, so it starts as
        // a copy of that one.
        copied = true;
    } else {
        bytes.clear();
    }

    std::string updated;
    size_t begin = 0, end = 0;
    if ((haveFile || copied) && findKeyLine(bytes, id, &begin, &end)) {
        updated = bytes.substr(0, begin);
        updated += name;
        updated += '=';
        updated += value;
        updated += "\r\n";
        updated += bytes.substr(end);
    } else {
        updated = bytes;
        // Appending to a last line that has no line end would join the two
        // lines.
        if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r') updated += '\n';
        updated += name;
        updated += '=';
        updated += value;
        updated += '\n';
    }

    int fd = FileManager::openRegular(
        kTempFile, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, "saveConfigDirective");
    if (fd < 0) {
        TWReport::error("saveConfigDirective: cannot create '%s' (%s); '%s' not saved.\n",
                        kTempFile, strerror(errno), name);
        return;
    }
    // The new file keeps the old one's permissions.
    int error = haveFile && fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
    for (size_t done = 0; !error && done < updated.size();) {
        ssize_t n = write(fd, updated.data() + done, updated.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            error = n < 0 ? errno : EIO;
    }
    // On disk before the rename, so that a crash leaves the old file or the
    // whole new one.
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(kTempFile, kConfigFile) != 0) error = errno;
    if (error) {
        unlink(kTempFile);
        TWReport::error("saveConfigDirective: cannot replace 'tw.cfg' (%s); '%s' not saved.\n",
                        strerror(error), name);
    }
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
