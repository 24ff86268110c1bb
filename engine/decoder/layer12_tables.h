// Tables of Layer I and Layer II: quantisation classes, bit-allocation tables and their
// selection, degrouping, scale-factor multipliers at the decoder's +-32768 scale.
#pragma once

#include <cstdint>

#include "decoder/frame_header.h"

namespace velk {

// One quantiser: `steps` levels centred on zero. Grouped classes (3, 5 and 9 steps) pack
// three samples into one code of `bits` bits; the others read `bits` bits per sample.
struct QuantClass {
    int steps;
    int bits;
    bool grouped;
    int center;    // (steps - 1) / 2, subtracted from a value read
    float factor;  // 2 / steps
};

// Three centred values per code of a grouped class, for every code the bit width can hold
// (codes past steps^3 decode as read, never outside the table).
const int8_t* degroupTable(int steps);

// A run of subbands sharing the width of their allocation field and the classes it selects.
struct AllocationGroup {
    int subbands;
    int allocationBits;
    const int8_t* classes;  // class index per allocation value 1..15, -1 when not allowed
};

struct AllocationTable {
    int subbands;
    int groupCount;
    const AllocationGroup* groups;
};

// The class of Layer II allocation table entry `index` (0..16).
const QuantClass& quantClass(int index);
// The Layer I class of allocation value 1..15: 2^(value + 1) - 1 steps, value + 1 bits.
const QuantClass& layer1Class(int allocation);

// The Layer II table of a frame: for MPEG-1 by channel mode, sample rate and bit rate as the
// standard prescribes (a combination it does not allow takes the table of the nearest allowed
// bit rate per channel); the lower-rate table for MPEG-2 and MPEG-2.5.
const AllocationTable& layer2AllocationTable(const FrameHeader& header);

// 65536 * 2^(-index / 3) for scale-factor index 0..63.
float scaleFactorMultiplier(int index);

}  // namespace velk
