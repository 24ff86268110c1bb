// A 64-bit cache over sample data (the Huffman loop, Layer I/II samples): one refill per value
// pair or sample group instead of a bounds-checked load per field. Bytes past the end read as zero,
// as with BitReader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velk {

class BitCache {
  public:
    BitCache(const uint8_t* data, size_t size, size_t bitPosition)
        : data_(data), size_(data ? size : 0), next_(bitPosition >> 3) {
        refill();
        skip(static_cast<int>(bitPosition & 7));
    }

    // Tops the cache up to at least 56 bits.
    void refill() {
        if (next_ + 8 <= size_) {
            uint64_t word;
            std::memcpy(&word, data_ + next_, 8);
            word = __builtin_bswap64(word);
            cache_ |= word >> count_;
            const int bytes = (63 - count_) >> 3;
            next_ += static_cast<size_t>(bytes);
            count_ += bytes * 8;
            return;
        }
        while (count_ < 56) {
            const uint64_t byte = next_ < size_ ? data_[next_] : 0;
            cache_ |= byte << (56 - count_);
            ++next_;
            count_ += 8;
        }
    }

    // `count` (1..32) bits; the caller refills before the cache can run below it.
    uint32_t peek(int count) const { return static_cast<uint32_t>(cache_ >> (64 - count)); }
    void skip(size_t count) {
        cache_ <<= count;
        count_ -= static_cast<int>(count);
    }
    // Any distance forward, refilled after.
    void jump(size_t count) {
        if (count == 0) return;
        const size_t target = position() + count;
        next_ = target >> 3;
        cache_ = 0;
        count_ = 0;
        refill();
        skip(target & 7);
    }
    uint32_t read(int count) {
        if (count == 0) return 0;
        const uint32_t value = peek(count);
        skip(static_cast<size_t>(count));
        return value;
    }

    size_t position() const { return next_ * 8 - static_cast<size_t>(count_); }
    size_t sizeBits() const { return size_ * 8; }
    bool overrun() const { return position() > sizeBits(); }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t next_;
    uint64_t cache_ = 0;
    int count_ = 0;
};

}  // namespace velk
