// Most-significant-bit-first reader over a byte range. Reads past the end give zero bits and
// set a flag instead of touching memory outside the range, so a damaged length field can make
// a decode wrong but never unsafe.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

class BitReader {
  public:
    BitReader() = default;
    BitReader(const uint8_t* data, size_t size) { reset(data, size); }

    void reset(const uint8_t* data, size_t size) {
        data_ = data;
        sizeBits_ = data ? size * 8 : 0;
        pos_ = 0;
        overrun_ = false;
    }

    // The next `count` bits (0..25) without consuming them, zero-filled past the end.
    uint32_t peek(int count) const {
        if (count <= 0) return 0;
        return window() >> (32 - count);
    }

    void skip(size_t count) {
        pos_ += count;
        if (pos_ > sizeBits_) overrun_ = true;
    }

    // Reads `count` bits, 0..32.
    uint32_t read(int count) {
        if (count > 25) {
            const uint32_t high = read(count - 16);
            return (high << 16) | read(16);
        }
        const uint32_t value = peek(count);
        skip(static_cast<size_t>(count > 0 ? count : 0));
        return value;
    }
    bool readBit() { return read(1) != 0; }

    // Moves to an absolute bit position; positions past the end read as zeros.
    void seek(size_t bitPosition) {
        pos_ = bitPosition;
        if (pos_ > sizeBits_) overrun_ = true;
    }

    size_t position() const { return pos_; }
    const uint8_t* data() const { return data_; }
    size_t sizeBits() const { return sizeBits_; }
    size_t bitsLeft() const { return pos_ < sizeBits_ ? sizeBits_ - pos_ : 0; }
    // True once any read or skip went past the end.
    bool overrun() const { return overrun_; }

  private:
    // 32 bits starting at the current position, left-aligned; the low bits beyond the
    // first 25 may be incomplete.
    uint32_t window() const {
        if (pos_ >= sizeBits_) return 0;
        const size_t byte = pos_ >> 3;
        const size_t sizeBytes = sizeBits_ >> 3;
        uint32_t word;
        if (byte + 4 <= sizeBytes) {
            word = (uint32_t{data_[byte]} << 24) | (uint32_t{data_[byte + 1]} << 16) |
                   (uint32_t{data_[byte + 2]} << 8) | data_[byte + 3];
        } else {
            word = 0;
            for (size_t i = 0; i < 4; ++i) {
                word <<= 8;
                if (byte + i < sizeBytes) word |= data_[byte + i];
            }
        }
        return word << (pos_ & 7);
    }

    const uint8_t* data_ = nullptr;
    size_t sizeBits_ = 0;
    size_t pos_ = 0;
    bool overrun_ = false;
};

}  // namespace velk
