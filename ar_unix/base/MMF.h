// Memory-mapped files.
//
// CMMF maps a whole file read-only; the data-file cache keeps the installed
// data files open through it for the whole run, and the light module, the
// course map and the Unicode fonts use it too.  CMMF_Wr maps a file for
// reading and writing (shared: writes reach the file); the data-file cache
// keeps its cache file through it.
//
// Lifecycle of both: closed (constructed) -> open and mapped (Open succeeded)
// -> closed (Close or destruction).  A read-only map that cannot be made is
// reported and leaves the object closed; a writable map that cannot be made
// ends the program.
#pragma once

#include <cstddef>

#include "TWTypes.h"

class CMMF {
public:
    CMMF();
    explicit CMMF(const char* name);
    ~CMMF();
    CMMF(const CMMF&) = delete;
    CMMF& operator=(const CMMF&) = delete;

    // Copies the name into the object's own buffer (reused when it fits).
    void setName(const char* name);
    // Maps the whole file; the map pointer, or null (object stays closed).
    void* Open();
    // Copies length bytes from offset of the mapped data.  A range that does
    // not lie inside the mapping copies nothing and answers FALSE.
    BOOL CopyOut(int offset, int length, void* dst);
    void Close();

    bool isOpen() const { return fd_ != -1; }
    void* getPtr() const { return ptr_; }
    // The mapped length: the file's size while open, -1 when closed.
    long getLength() const { return length_; }
    const char* getName() const { return name_; }

private:
    int fd_ = -1;
    long length_ = -1;
    void* ptr_ = nullptr;
    char* name_ = nullptr;
};

class CMMF_Wr {
public:
    CMMF_Wr(const char* theName, int theSize);
    ~CMMF_Wr();
    CMMF_Wr(const CMMF_Wr&) = delete;
    CMMF_Wr& operator=(const CMMF_Wr&) = delete;

    // Opens (creating the file, mode 0644, when it is missing) and maps the
    // size given to the constructor.  A file shorter than that is first
    // grown to it, so that no page of the mapping lies past its end.  Any
    // failure is fatal.
    void* Open();
    void Close();

    bool isOpen() const { return fd_ != -1; }
    void* getPtr() const { return ptr_; }
    // The file's size as found when opened; -1 when closed.
    long getFileSize() const { return fileSize_; }
    int getMapSize() const { return mapSize_; }
    const char* getName() const { return name_; }

private:
    int fd_ = -1;
    long fileSize_ = -1;
    int mapSize_ = 0;
    void* ptr_ = nullptr;
    char* name_ = nullptr;
    size_t mappedBytes_ = 0;
};
