#include "net/PatchCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "TWReport.h"

namespace {

// Only regular files are compared: a directory opens for reading here and
// seeks to an end of 2^63 bytes, and a pipe would hold up the start-up.
// Anything else at the path counts as a file that cannot be opened.
bool IsRegularFile(const char* name) {
    struct stat st;
    if (stat(name, &st) != 0) return false;
    if (S_ISREG(st.st_mode)) return true;
    TWReport::warning("CheckFilesForPatch: '%s' is not a regular file; not checked.\n", name);
    return false;
}

// Reads a whole open file.  False on a failed seek or read: the caller treats
// the pair as unchecked instead of guessing at its contents.
bool ReadWhole(FILE* f, const char* name, std::vector<unsigned char>& out) {
    if (fseek(f, 0, SEEK_END) != 0) {
        TWReport::error("CheckFilesForPatch: cannot seek in '%s'.\n", name);
        return false;
    }
    long size = ftell(f);
    if (size < 0 || fseek(f, 0, SEEK_SET) != 0) {
        TWReport::error("CheckFilesForPatch: cannot measure '%s'.\n", name);
        return false;
    }
    out.resize(static_cast<size_t>(size));
    if (size > 0 && fread(out.data(), 1, out.size(), f) != out.size()) {
        TWReport::error("CheckFilesForPatch: cannot read '%s'.\n", name);
        return false;
    }
    return true;
}

// Writes the bytes to a new temporary file beside the target and renames it
// over the target.  The temporary name is made unique, so that it can never
// be the delivered copy or another file that happens to lie there.  The
// temporary file takes the target's permission bits.
bool ReplaceAtomically(const char* target, const std::vector<unsigned char>& bytes) {
    std::string temp = std::string(target) + ".XXXXXX";
    mode_t mode = 0644;
    struct stat st;
    if (stat(target, &st) == 0) mode = st.st_mode & 07777;

    int fd = mkstemp(temp.data());
    if (fd < 0) {
        TWReport::error("CheckFilesForPatch: cannot create '%s': %s.\n", temp.c_str(),
                        strerror(errno));
        return false;
    }
    fchmod(fd, mode);  // mkstemp makes the file private
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size();
    if (ok && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && rename(temp.c_str(), target) != 0) ok = false;
    if (!ok) {
        TWReport::error("CheckFilesForPatch: cannot replace '%s' (%zu of %zu bytes written): %s.\n",
                        target, done, bytes.size(), strerror(errno));
        unlink(temp.c_str());
    }
    return ok;
}

}  // namespace

bool CheckFilesForPatch(const char* target, const char* source) {
    if (!target || !source || !IsRegularFile(source) || !IsRegularFile(target)) return true;
    FILE* src = fopen(source, "rb");
    if (!src) return true;
    FILE* dst = fopen(target, "rb");
    if (!dst) {
        fclose(src);
        return true;
    }

    std::vector<unsigned char> fresh;
    std::vector<unsigned char> installed;
    bool readable = ReadWhole(src, source, fresh) && ReadWhole(dst, target, installed);
    fclose(src);
    fclose(dst);
    if (!readable) return false;

    if (fresh == installed) return true;
    return ReplaceAtomically(target, fresh);
}
