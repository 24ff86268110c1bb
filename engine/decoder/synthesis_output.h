// Conversion of filterbank sums to the output sample formats.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "decoder/synthesis_lanes.h"

namespace velk {

// Clips each lane of filterbank sums to the 16-bit range, then truncates it toward zero
// (32767.9 gives 32767, -0.9 gives 0); a NaN from damaged data becomes -32768.
template <class L>
[[gnu::always_inline]] inline void storePcmLanes(int* p, const L& sums) {
    using Ints = typename IntLanes<L>::Type;
    L clipped = sums >= -32768.0f ? sums : L{} - 32768.0f;  // a NaN compares false
    clipped = clipped <= 32767.0f ? clipped : L{} + 32767.0f;
    const Ints samples = __builtin_convertvector(clipped, Ints);
    std::memcpy(p, &samples, sizeof samples);
}

// Writes a 16-bit sample little-endian, or as an unsigned 8-bit sample (128 is silence).
template <bool EightBit>
inline void storeSample(int sample, uint8_t* out) {
    if constexpr (EightBit) {
        out[0] = static_cast<uint8_t>((sample >> 8) ^ 0x80);
    } else if constexpr (std::endian::native == std::endian::little) {
        const auto value = static_cast<int16_t>(sample);
        std::memcpy(out, &value, sizeof value);
    } else {
        out[0] = static_cast<uint8_t>(sample & 0xFF);
        out[1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
    }
}

}  // namespace velk
