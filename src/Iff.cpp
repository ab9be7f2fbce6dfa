#include "Iff.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "ByteReader.h"
#include "TWReport.h"

namespace {

const char kSource[] = "../../src/Iff";

// The value at the reader's position; 0 (and the reader failed) when fewer
// than four bytes are left.
M_DWORD read32(ByteReader& r, bool bigEndian) {
    return bigEndian ? r.u32be() : r.u32le();
}

// Tags go into log lines: a byte that is not printable shows as '.', so that
// a zero byte cannot cut the line short.
char printable(unsigned char c) {
    return (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
}

std::string tagText(IffTag tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) text += printable((tag >> shift) & 0xFF);
    return text;
}

const char kEnterForm[] = "bool Iff::enterForm (IffTag tag)";
const char kEnterChunk[] = "bool Iff::enterChunk (IffTag tag)";
const char kExitChunk[] = "bool Iff::exitChunk (IffTag tag)";
const char kExitForm[] = "bool Iff::exitForm (IffTag tag)";
const char kCharsLeft[] = "unsigned int Iff::charsLeft (void)";
const char kSkipString[] = "void Iff::skipString";
const char kReadString[] = "void Iff::readString";
const char kReadInt32[] = "int Iff::readInt32";

}  // namespace

Iff::Iff(const M_BYTE* data, size_t length) : data_(data), length_(data ? length : 0) {
    stack_.reserve(capacity_);
}

Iff::~Iff() {
    delete[] fileName_;
}

void Iff::setFileName(const char* name) {
    clearFileName();
    if (!name) return;
    size_t n = strlen(name);
    fileName_ = new char[n + 1];
    memcpy(fileName_, name, n + 1);
}

void Iff::clearFileName() {
    delete[] fileName_;
    fileName_ = nullptr;
}

// Entries are only pushed after their end was checked against their parent,
// so the innermost end never lies past the image.
size_t Iff::limit() const {
    return depth_ > 0 ? entryEnd(stack_.back()) : length_;
}

ByteReader Iff::rest() const {
    const size_t end = limit();
    if (!data_ || pos_ > end) return ByteReader();
    return ByteReader(data_ + pos_, end - pos_);
}

void Iff::compose(char* out, size_t size, const char* function, const char* message) const {
    std::string text = "File:";
    text += fileName_ ? fileName_ : "(null)";
    text += ", Path:";
    for (const Entry& entry : stack_) {
        text += '/';
        text += entry.tag;
    }
    text += ": ";
    text += message;
    text += " Tag at current position = '";
    text += tagText(getCurrentTag());
    text += "'.";
    snprintf(out, size, "%s %s\n", function, text.c_str());
}

void Iff::reportError(const char* function, const char* message, bool fatal) {
    char line[TWReport::kBufferSize];
    compose(line, sizeof line, function ? function : "", message ? message : "");
    if (fatal) TWReport::fatal("%s", line);
    TWReport::warning("%s", line);
}

void Iff::refuse(const char* function, const char* message) {
    if (failed_) return;
    char line[TWReport::kBufferSize];
    compose(line, sizeof line, function ? function : "", message ? message : "");
    TWReport::error("%s", line);
    failed_ = true;
}

void Iff::fail(const char* function, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    refuse(function, message);
}

// Every member reports a missing image with the same line.
bool Iff::haveData() {
    if (data_) return !failed_;
    if (!failed_) TWReport::error("FILE:%s, Function:Iff::isForm: no current data!\n", kSource);
    failed_ = true;
    return false;
}

bool Iff::isForm(IffTag tag) const {
    if (!data_ || failed_) return false;
    ByteReader r = rest();
    if (!r.has(12) || r.u32be() != MakeIffTag("FORM")) return false;
    r.skip(4);
    return tag == 0 || r.u32be() == tag;
}

bool Iff::isChunk(IffTag tag) const {
    if (!data_ || failed_ || tag == 0) return false;
    ByteReader r = rest();
    return r.has(4) && r.u32be() == tag;
}

void Iff::push(size_t start, M_DWORD length, size_t tagOffset) {
    if (depth_ == capacity_) {
        capacity_ *= 2;
        stack_.reserve(capacity_);
    }
    Entry entry{start, length, {}};
    for (int i = 0; i < 4; ++i) entry.tag[i] = static_cast<char>(data_[tagOffset + i]);
    entry.tag[4] = 0;
    stack_.push_back(entry);
    ++depth_;
}

bool Iff::enter(IffTag tag, bool form, const char* function) {
    if (!haveData()) return false;
    const char* kind = form ? "FORM" : "CHUNK";
    if (form ? !isForm(tag) : !isChunk(tag)) {
        fail(function, "Cannot enter %s '%s'", kind, tagText(tag).c_str());
        return false;
    }
    size_t start = pos_;
    size_t header = form ? 12 : 8;
    size_t end = limit();
    ByteReader r = rest();
    if (!r.has(8)) {
        fail(function, "Cannot enter %s '%s': no room for its header", kind, tagText(tag).c_str());
        return false;
    }
    r.skip(4);
    M_DWORD length = r.u32be();
    // The length must cover a FORM's type and stay inside the parent.
    if (length > end - start - 8 || static_cast<size_t>(length) + 8 < header) {
        fail(function, "Cannot enter %s '%s': length %u does not fit in its parent", kind,
             tagText(tag).c_str(), static_cast<unsigned>(length));
        return false;
    }
    push(start, length, form ? start + 8 : start);
    if (form)
        formLength_ = length;
    else
        chunkLength_ = length;
    pos_ = start + header;
    return true;
}

bool Iff::enterForm(IffTag tag) {
    return enter(tag, true, kEnterForm);
}

bool Iff::enterChunk(IffTag tag) {
    return enter(tag, false, kEnterChunk);
}

bool Iff::exitChunk(IffTag tag, bool mustBeEmpty) {
    if (!haveData()) return false;
    if (depth_ < 1) {
        if (tag)
            fail(kExitChunk, "depth <= 0. Cannot exit CHUNK '%s'", tagText(tag).c_str());
        else
            fail(kExitChunk, "depth <= 0. Cannot exit CHUNK");
        return false;
    }
    if (mustBeEmpty && charsLeft() != 0) {
        fail(kExitChunk, "extra data in CHUNK");
        return false;
    }
    Entry entry = stack_.back();
    stack_.pop_back();
    --depth_;
    pos_ = entryEnd(entry);
    // The pad byte is skipped when the parent holds it; a parent that ends
    // right after an odd chunk is taken as it is.
    if ((entry.length & 1) && pos_ < limit()) ++pos_;
    return true;
}

bool Iff::exitForm(IffTag tag) {
    if (!haveData()) return false;
    if (depth_ < 1) {
        if (tag)
            fail(kExitForm, "depth <= 0. Cannot exit FORM '%s'", tagText(tag).c_str());
        else
            fail(kExitForm, "depth <= 0. Cannot exit FORM");
        return false;
    }
    pos_ = entryEnd(stack_.back());
    stack_.pop_back();
    --depth_;
    return true;
}

// ">=": a position is never past the end, but a test for equality alone
// would loop forever if it were.
bool Iff::atEndOfForm() const {
    return depth_ >= 1 && pos_ >= entryEnd(stack_.back());
}

unsigned Iff::charsLeft() {
    if (depth_ < 1) {
        fail(kCharsLeft, "depth <= 0");
        return 0;
    }
    size_t end = entryEnd(stack_.back());
    return pos_ < end ? static_cast<unsigned>(end - pos_) : 0;
}

IffTag Iff::getCurrentTag() const {
    ByteReader r = rest();
    return r.u32be();
}

M_DWORD Iff::peekInt32(bool bigEndian) const {
    ByteReader r = rest();
    return read32(r, bigEndian);
}

M_DWORD Iff::peekInt32(const M_BYTE* p, bool bigEndian) const {
    if (!data_ || !p || p < data_ || p > data_ + length_) return 0;
    const size_t offset = static_cast<size_t>(p - data_);
    ByteReader r(p, length_ - offset);
    return read32(r, bigEndian);
}

int Iff::readInt32(bool bigEndian) {
    if (!haveData()) return 0;
    if (charsLeft() < 4) {
        fail(kReadInt32, "At end of CHUNK. Not enough data ?");
        return 0;
    }
    ByteReader r = rest();
    const M_DWORD value = read32(r, bigEndian);
    pos_ += 4;
    return static_cast<int>(value);
}

bool Iff::readString(char* dst, size_t size) {
    const char* function = dst ? kReadString : kSkipString;
    if (!haveData()) return false;
    charsLeft();
    if (failed_) return false;
    // Inside a chunk, so rest() ends where the chunk does.
    ByteReader r = rest();
    if (!r.cString(dst, dst ? size : 0)) {
        fail(function, "At end of CHUNK. Not enough data ?");
        return false;
    }
    pos_ += r.offset();
    return true;
}

bool Iff::skipString() {
    return readString(nullptr, 0);
}
