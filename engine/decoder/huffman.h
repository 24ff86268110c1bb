// Layer III Huffman codes (the 32 big-value tables and count1 table A) decoded through
// multi-level lookup tables: one peek of a few bits resolves nearly every code word.
#pragma once

#include <cstdint>

#include "decoder/bit_reader.h"

namespace velk {

struct HuffmanNode {
    uint16_t payload;  // leaf: (x << 4) | y, or the v w x y bits of a quadruple;
                       // link: index of the next level's first node
    uint8_t length;    // leaf: code bits consumed at this level; link: index bits of the next level
    uint8_t link;      // 1 when the node points to a further level
};

struct HuffmanTable {
    const HuffmanNode* nodes = nullptr;  // nullptr for the empty tables 0, 4 and 14
    int rootBits = 0;
    int linbits = 0;
};

// Big-value table 0..31 (any other number gives an empty table).
const HuffmanTable& bigValueTable(int index);
const HuffmanTable& count1TableA();

// Decodes one code word and returns its payload. Every table is a complete prefix code, so
// any bit pattern (including the zeros read past the end) resolves to a code word. `Reader`
// is BitReader or another reader with peek and skip.
template <class Reader>
inline uint32_t decodeHuffman(Reader& reader, const HuffmanTable& table) {
    const HuffmanNode* level = table.nodes;
    int bits = table.rootBits;
    for (;;) {
        const HuffmanNode& node = level[reader.peek(bits)];
        if (!node.link) {
            reader.skip(node.length);
            return node.payload;
        }
        reader.skip(static_cast<size_t>(bits));
        bits = node.length;
        level = table.nodes + node.payload;
    }
}

}  // namespace velk
