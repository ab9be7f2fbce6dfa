// Iff: a reader of the IFF container layout over a file image held whole in
// memory (the language files are its users).
//
//   FORM:  "FORM"  u32 BE length  4-char type  nested FORMs and CHUNKs...
//          the length counts the type and the contents: the FORM ends at
//          start + 8 + length.
//   CHUNK: 4-char tag  u32 BE length  length bytes of data, then one pad byte
//          when the length is odd (the pad is not counted).
//
// The reader keeps a current position and a stack of the FORMs and CHUNKs
// entered.  The image is untrusted: every header and length is checked
// against the end of its parent (the image itself at the outermost level),
// and nothing reads outside.  A step that does not fit the data logs an error
// naming the file, the path of tags and the tag at the current position, and
// leaves the reader failed: every later step does nothing and answers false
// or 0, so a loader may check hasFailed() once after a run of steps.
#pragma once

#include <cstddef>
#include <vector>

#include "ByteReader.h"
#include "TWTypes.h"

// Four characters, the first in the most significant byte ("DATA" is
// 0x44415441).
using IffTag = M_DWORD;

constexpr IffTag MakeIffTag(const char (&text)[5]) {
    return (static_cast<IffTag>(static_cast<unsigned char>(text[0])) << 24) |
           (static_cast<IffTag>(static_cast<unsigned char>(text[1])) << 16) |
           (static_cast<IffTag>(static_cast<unsigned char>(text[2])) << 8) |
           static_cast<IffTag>(static_cast<unsigned char>(text[3]));
}

class Iff {
public:
    static constexpr int INITIAL_STACK_CAPACITY = 64;

    // The image is not copied and must outlive the reader.
    Iff(const M_BYTE* data, size_t length);
    ~Iff();
    Iff(const Iff&) = delete;
    Iff& operator=(const Iff&) = delete;

    // The name used in messages; the reader keeps its own copy.
    void setFileName(const char* name);
    void clearFileName();
    const char* getFileName() const { return fileName_; }

    // A tag of 0 enters a FORM of any type; enterChunk(0) always fails.
    bool enterForm(IffTag tag);
    bool enterChunk(IffTag tag);
    // The tags only name the step in messages; they are not compared.
    bool exitForm(IffTag tag);
    // With mustBeEmpty, unread bytes in the chunk are an error; without, the
    // rest of the chunk is skipped.
    bool exitChunk(IffTag tag, bool mustBeEmpty);

    bool isForm(IffTag tag) const;
    bool isChunk(IffTag tag) const;
    // The current position has reached the end of the innermost FORM or
    // CHUNK (false at the outermost level).
    bool atEndOfForm() const;
    // Bytes left in the innermost FORM or CHUNK.
    unsigned charsLeft();
    // The four bytes at the current position, or 0 when fewer are left.
    IffTag getCurrentTag() const;

    // The 32-bit value at the current position (or at p), without moving;
    // 0 when it does not lie inside the innermost entry (the image for p).
    M_DWORD peekInt32(bool bigEndian) const;
    M_DWORD peekInt32(const M_BYTE* p, bool bigEndian) const;
    int readInt32(bool bigEndian);
    // Copies the zero-terminated text at the current position (at most
    // size - 1 bytes, always terminated) and moves past its terminator, which
    // must lie inside the innermost entry.
    bool readString(char* dst, size_t size);
    bool skipString();

    // Logs "<function> File:<name>, Path:/TAG/...: <message> Tag at current
    // position = 'XXXX'." as fatal (ending the program) or as a warning.
    void reportError(const char* function, const char* message, bool fatal);
    // Logs the same text as an error and leaves the reader failed: how a
    // loader refuses data that the reader itself could walk.
    void refuse(const char* function, const char* message);

    const M_BYTE* getCurrentPosition() const { return data_ ? data_ + pos_ : nullptr; }
    int getDepth() const { return depth_; }
    int getStackCapacity() const { return capacity_; }
    bool hasFailed() const { return failed_; }

private:
    struct Entry {
        size_t start;    // offset of "FORM" or of the chunk's tag
        M_DWORD length;  // as read
        char tag[5];     // the FORM's type or the CHUNK's tag
    };

    size_t limit() const;
    // A reader over the bytes from the current position to the end of the
    // innermost entry (of the image at the outermost level).
    ByteReader rest() const;
    size_t entryEnd(const Entry& entry) const { return entry.start + 8 + entry.length; }
    bool haveData();
    bool enter(IffTag tag, bool form, const char* function);
    void push(size_t start, M_DWORD length, size_t tagOffset);
    void fail(const char* function, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void compose(char* out, size_t size, const char* function, const char* message) const;

    int capacity_ = INITIAL_STACK_CAPACITY;
    char* fileName_ = nullptr;
    const M_BYTE* data_;
    size_t length_;
    size_t pos_ = 0;
    M_DWORD formLength_ = 0;
    M_DWORD chunkLength_ = 0;
    std::vector<Entry> stack_;
    int depth_ = 0;
    bool failed_ = false;
};
