// Shared by the world-model fuzz targets: a scratch directory, a world
// started over a given "tiledata.mul", and the byte stream the targets read
// their operations from.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::fuzz {

// Reads the input byte by byte; zeros once it is used up.
class OpStream {
public:
    OpStream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    unsigned byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    unsigned word() { return byte() | byte() << 8; }
    const uint8_t* rest() const { return data_ + pos_; }
    size_t left() const { return size_ - pos_; }
    void skip(size_t n) { pos_ = n < left() ? pos_ + n : size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Enters the scratch directory and starts the object manager over the
// given tile data (none: no file).
void StartWorld(const uint8_t* tiledata, size_t size);
// Releases every object and stops the object manager.
void StopWorld();

}  // namespace tw::fuzz
