#include "decoder/bit_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace velk {
namespace {

TEST(BitReader, ReadsMostSignificantBitFirst) {
    const uint8_t bytes[] = {0xA5, 0x0F, 0xF0};
    BitReader r(bytes, sizeof bytes);
    EXPECT_EQ(r.read(1), 1u);
    EXPECT_EQ(r.read(3), 0x2u);
    EXPECT_EQ(r.read(8), 0x50u);
    EXPECT_EQ(r.read(12), 0xFF0u);
    EXPECT_EQ(r.bitsLeft(), 0u);
    EXPECT_FALSE(r.overrun());
}

TEST(BitReader, PeekDoesNotConsume) {
    const uint8_t bytes[] = {0xC0};
    BitReader r(bytes, 1);
    EXPECT_EQ(r.peek(2), 3u);
    EXPECT_EQ(r.peek(2), 3u);
    EXPECT_EQ(r.position(), 0u);
}

TEST(BitReader, ThirtyTwoBitReadSpansTheWindow) {
    const uint8_t bytes[] = {0x81, 0x23, 0x45, 0x67, 0x89};
    BitReader r(bytes, sizeof bytes);
    r.skip(4);
    EXPECT_EQ(r.read(32), 0x12345678u);
}

TEST(BitReader, PastTheEndGivesZerosAndFlags) {
    // The reader is given one byte of a larger buffer: the second byte must never be seen.
    const uint8_t bytes[] = {0xFF, 0xFF};
    BitReader r(bytes, 1);
    EXPECT_EQ(r.read(4), 0xFu);
    EXPECT_EQ(r.read(8), 0xF0u);
    EXPECT_TRUE(r.overrun());
    EXPECT_EQ(r.read(16), 0u);
    EXPECT_EQ(r.bitsLeft(), 0u);
}

TEST(BitReader, EmptyAndNullInputsAreSafe) {
    BitReader empty;
    EXPECT_EQ(empty.read(9), 0u);
    EXPECT_TRUE(empty.overrun());
    BitReader null(nullptr, 100);
    EXPECT_EQ(null.sizeBits(), 0u);
    EXPECT_EQ(null.read(3), 0u);
}

TEST(BitReader, SeekBeyondTheEndIsAnOverrun) {
    const uint8_t bytes[] = {0x12, 0x34};
    BitReader r(bytes, 2);
    r.seek(8);
    EXPECT_EQ(r.read(8), 0x34u);
    EXPECT_FALSE(r.overrun());
    r.seek(17);
    EXPECT_TRUE(r.overrun());
    EXPECT_EQ(r.peek(8), 0u);
}

TEST(BitReader, TailReadsNearTheEndOfEveryLength) {
    // Every byte count below the 4-byte fast path, every bit offset within it.
    std::vector<uint8_t> bytes = {0xDE, 0xAD, 0xBE, 0xEF, 0x55};
    for (size_t size = 1; size <= bytes.size(); ++size) {
        for (size_t offset = 0; offset < size * 8; ++offset) {
            BitReader r(bytes.data(), size);
            r.skip(offset);
            uint32_t expected = 0;
            for (size_t b = offset; b < offset + 8; ++b) {
                const uint32_t bit = b < size * 8 ? (bytes[b >> 3] >> (7 - (b & 7))) & 1 : 0;
                expected = (expected << 1) | bit;
            }
            EXPECT_EQ(r.read(8), expected) << "size " << size << " offset " << offset;
        }
    }
}

}  // namespace
}  // namespace velk
