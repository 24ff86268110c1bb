// The Huffman lookup tables against the code words of ISO/IEC 11172-3 table B.7: every table
// is a complete prefix code holding each value pair once, and sample code words decode to the
// standard's values.
#include "decoder/huffman.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace velk {
namespace {

struct Decoded {
    uint32_t payload;
    size_t length;
};

// Decodes the code word at the top of a `width`-bit pattern.
Decoded decodePattern(const HuffmanTable& table, uint32_t pattern, int width) {
    uint8_t bytes[4] = {};
    const uint32_t aligned = pattern << (32 - width);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(aligned >> (24 - 8 * i));
    BitReader reader(bytes, sizeof bytes);
    const uint32_t payload = decodeHuffman(reader, table);
    return {payload, reader.position()};
}

uint32_t bits(const char* text) {
    uint32_t v = 0;
    for (const char* p = text; *p; ++p) v = (v << 1) | (*p == '1' ? 1u : 0u);
    return v;
}

struct TableShape {
    int index;
    int side;  // values per coordinate
    int longest;
    int linbits;
};

class HuffmanTables : public ::testing::TestWithParam<TableShape> {};

// Every pattern of the longest code's width resolves; each value pair is reached by exactly
// 2^(longest - length) patterns, which makes the code complete and prefix-free.
TEST_P(HuffmanTables, AreCompletePrefixCodesOfEveryPair) {
    const TableShape s = GetParam();
    const HuffmanTable& table = bigValueTable(s.index);
    ASSERT_NE(table.nodes, nullptr);
    EXPECT_EQ(table.linbits, s.linbits);
    std::map<uint32_t, std::pair<size_t, uint64_t>> seen;  // payload -> (length, hits)
    for (uint32_t p = 0; p < (1u << s.longest); ++p) {
        const Decoded d = decodePattern(table, p, s.longest);
        ASSERT_GE(d.length, 1u);
        ASSERT_LE(d.length, static_cast<size_t>(s.longest));
        auto& entry = seen[d.payload];
        if (entry.second) {
            ASSERT_EQ(entry.first, d.length) << "payload " << d.payload;
        }
        entry.first = d.length;
        ++entry.second;
    }
    ASSERT_EQ(seen.size(), static_cast<size_t>(s.side * s.side));
    for (const auto& [payload, info] : seen) {
        EXPECT_LT(payload >> 4, static_cast<uint32_t>(s.side));
        EXPECT_LT(payload & 15, static_cast<uint32_t>(s.side));
        EXPECT_EQ(info.second, uint64_t{1} << (s.longest - static_cast<int>(info.first)));
    }
}

INSTANTIATE_TEST_SUITE_P(Iso, HuffmanTables,
                         ::testing::Values(TableShape{1, 2, 3, 0}, TableShape{2, 3, 6, 0},
                                           TableShape{3, 3, 6, 0}, TableShape{5, 4, 8, 0},
                                           TableShape{6, 4, 7, 0}, TableShape{7, 6, 10, 0},
                                           TableShape{8, 6, 11, 0}, TableShape{9, 6, 9, 0},
                                           TableShape{10, 8, 11, 0}, TableShape{11, 8, 11, 0},
                                           TableShape{12, 8, 10, 0}, TableShape{13, 16, 19, 0},
                                           TableShape{15, 16, 13, 0}, TableShape{16, 16, 17, 1},
                                           TableShape{19, 16, 17, 4}, TableShape{23, 16, 17, 13},
                                           TableShape{24, 16, 12, 4}, TableShape{27, 16, 12, 7},
                                           TableShape{31, 16, 12, 13}));

TEST(Huffman, SampleCodeWordsDecodeToTheStandardsValues) {
    struct Sample {
        int table;
        const char* code;
        uint32_t x, y;
    };
    const Sample samples[] = {
        {1, "1", 0, 0},
        {1, "001", 0, 1},
        {1, "01", 1, 0},
        {1, "000", 1, 1},
        {6, "10", 1, 1},
        {9, "00001110", 5, 0},
        {13, "0000000000000000001", 15, 12},
        {13, "0000000000000000000", 15, 14},
        {15, "111", 0, 0},
        {16, "000010001", 0, 15},
        {16, "00000011", 15, 15},
        {24, "0011", 15, 15},
        {24, "1111", 0, 0},
        {31, "00000000", 14, 15},
    };
    for (const Sample& s : samples) {
        const int width = static_cast<int>(std::char_traits<char>::length(s.code));
        const Decoded d = decodePattern(bigValueTable(s.table), bits(s.code), width);
        EXPECT_EQ(d.length, static_cast<size_t>(width)) << s.table << " " << s.code;
        EXPECT_EQ(d.payload, (s.x << 4) | s.y) << s.table << " " << s.code;
    }
}

TEST(Huffman, EmptyAndUnknownTablesHaveNoCodes) {
    for (int index : {0, 4, 14, -1, 32, 1000}) EXPECT_EQ(bigValueTable(index).nodes, nullptr);
}

TEST(Huffman, Count1TableAHoldsTheSixteenQuadruples) {
    const HuffmanTable& a = count1TableA();
    std::map<uint32_t, size_t> lengths;
    for (uint32_t p = 0; p < 64; ++p) {
        const Decoded d = decodePattern(a, p, 6);
        lengths[d.payload] = d.length;
    }
    ASSERT_EQ(lengths.size(), 16u);
    EXPECT_EQ(lengths[0], 1u);                                 // "1": all zero
    EXPECT_EQ(lengths[15], 6u);                                // "000001": all one
    EXPECT_EQ(decodePattern(a, bits("0101"), 4).payload, 1u);  // v w x y = 0 0 0 1
    EXPECT_EQ(decodePattern(a, bits("000000"), 6).payload, 11u);
}

TEST(Huffman, ZerosPastTheEndStillResolveWithoutReadingFurther) {
    // A code word cut off by the end of the data reads zeros and stops at once.
    const uint8_t one[] = {0x00};
    BitReader reader(one, 1);
    const uint32_t payload = decodeHuffman(reader, bigValueTable(13));
    EXPECT_EQ(payload, (15u << 4) | 14u);  // the all-zero 19-bit code
    EXPECT_TRUE(reader.overrun());
}

}  // namespace
}  // namespace velk
