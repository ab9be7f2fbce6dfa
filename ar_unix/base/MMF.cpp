#include "MMF.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "FileManager.h"
#include "TWReport.h"

namespace {

const char* const kSource = "ar_unix/base/linmmap";

char* copyText(const char* text) {
    size_t n = strlen(text);
    char* copy = new char[n + 1];
    memcpy(copy, text, n + 1);
    return copy;
}

const char* printable(const char* name) {
    return name ? name : "";
}

}  // namespace

CMMF::CMMF() {
    TWReport::print("CMMF::CMMF: begin.\n");
}

CMMF::CMMF(const char* name) {
    TWReport::print("CMMF::CMMF: begin. file '%s'\n", printable(name));
    if (name) setName(name);
}

CMMF::~CMMF() {
    if (fd_ != -1) Close();
    delete[] name_;
}

void CMMF::setName(const char* name) {
    if (!name) TWReport::fatal("CMMF::setName: new_name == NULL\n");
    size_t n = strlen(name);
    if (name_ && n <= strlen(name_)) {
        memmove(name_, name, n + 1);
        return;
    }
    delete[] name_;
    name_ = copyText(name);
}

void* CMMF::Open() {
    // Opening again must not leak the earlier descriptor and mapping.
    if (fd_ != -1) Close();
    const char* name = printable(name_);

    // A FIFO under a data file's name would block start-up here for ever.
    int fd = FileManager::openRegular(name, O_RDONLY, "CMMF::Open");
    if (fd == -1) {
        TWReport::error("File:%s, Function:CMMF::Open(): cannot open file '%s'.\n", kSource, name);
        perror("CMMF::Open - open");
        return nullptr;
    }
    // Every failure after the open closes the descriptor again, so that a
    // refused file leaves the object closed rather than half open.
    struct stat info;
    if (fstat(fd, &info) == -1) {
        TWReport::error("File:%s, Function:CMMF::Open(): file '%s' does not exist.\n", kSource,
                        name);
        perror("CMMF::Open - fstat");
        ::close(fd);
        return nullptr;
    }
    void* ptr = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_SHARED, fd, 0);
    if (ptr == MAP_FAILED) {
        TWReport::error("File:%s, Function:CMMF::Open(): cannot map file '%s'.\n", kSource, name);
        perror("CMMF::Open - mmap");
        ::close(fd);
        return nullptr;
    }
    fd_ = fd;
    length_ = static_cast<long>(info.st_size);
    ptr_ = ptr;
    return ptr_;
}

BOOL CMMF::CopyOut(int offset, int length, void* dst) {
    // Offsets come from index records of data files; a range outside the
    // mapping is refused instead of read.
    if (!ptr_ || offset < 0 || length < 0 ||
        static_cast<long>(offset) + static_cast<long>(length) > length_) {
        TWReport::error(
            "File:%s, Function:CMMF::CopyOut(): %d bytes at offset %d lie outside file '%s' "
            "(%ld bytes mapped).\n",
            kSource, length, offset, printable(name_), ptr_ ? length_ : 0L);
        return FALSE;
    }
    if (length > 0) memcpy(dst, static_cast<const M_BYTE*>(ptr_) + offset, length);
    return TRUE;
}

void CMMF::Close() {
    if (ptr_) munmap(ptr_, static_cast<size_t>(length_));
    if (fd_ != -1) ::close(fd_);
    fd_ = -1;
    length_ = -1;
    ptr_ = nullptr;
}

CMMF_Wr::CMMF_Wr(const char* theName, int theSize) : mapSize_(theSize) {
    TWReport::print("CMMF_Wr::CMMF_Wr(char *theName, int theSize): begin.\n");
    name_ = copyText(printable(theName));
}

CMMF_Wr::~CMMF_Wr() {
    if (fd_ != -1) Close();
    delete[] name_;
}

void* CMMF_Wr::Open() {
    if (fd_ != -1) Close();

    int fd = ::open(name_, O_RDWR | O_CREAT, 0644);
    if (fd == -1) {
        TWReport::error("File:%s, Function:CMMF_Wr::Open(): cannot open file '%s'.\n", kSource,
                        name_);
        perror("CMMF::Open - open");
        TWReport::fatal("CMMF_Wr::Open: cannot map file '%s'. errno=%d. see also previous line.",
                        name_, errno);
    }
    struct stat info;
    if (fstat(fd, &info) == -1) {
        TWReport::error("File:%s, Function:CMMF_Wr::Open(): file '%s' does not exist.\n", kSource,
                        name_);
        perror("CMMF::Open - fstat");
        int saved = errno;
        ::close(fd);
        TWReport::fatal("CMMF_Wr::Open: cannot map file '%s'. errno=%d. see also previous line.",
                        name_, saved);
    }
    fileSize_ = static_cast<long>(info.st_size);

    TWReport::print("CMMF_Wr::Open(): mapping cache of %d bytes.\n", mapSize_);
    // Touching a mapped page that lies wholly past the end of the file kills
    // the process with SIGBUS; grow a short file to the mapped size first.
    bool ok = mapSize_ > 0;
    if (ok && info.st_size < mapSize_) ok = ftruncate(fd, mapSize_) == 0;
    void* ptr = MAP_FAILED;
    if (ok)
        ptr =
            mmap(nullptr, static_cast<size_t>(mapSize_), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (ptr == MAP_FAILED) {
        int saved = mapSize_ > 0 ? errno : EINVAL;
        perror(" ");
        ::close(fd);
        TWReport::fatal("CMMF_Wr::Open: cannot map file '%s'. errno=%d. see also previous line.",
                        name_, saved);
    }
    fd_ = fd;
    ptr_ = ptr;
    mappedBytes_ = static_cast<size_t>(mapSize_);
    TWReport::print("CMMF_Wr::Open(): map ok. ptr=%p.\n", ptr_);
    return ptr_;
}

void CMMF_Wr::Close() {
    // Unmap exactly what Open mapped; the file's size may differ from it.
    if (ptr_) munmap(ptr_, mappedBytes_);
    if (fd_ != -1) ::close(fd_);
    fd_ = -1;
    fileSize_ = -1;
    ptr_ = nullptr;
    mappedBytes_ = 0;
}
