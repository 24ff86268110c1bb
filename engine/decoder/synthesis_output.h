// Conversion of filterbank sums to the output sample formats.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace velk {

// Clips to the 16-bit range, then truncates toward zero (32767.9 gives 32767, -0.9 gives 0).
// A NaN from damaged data becomes -32768 instead of undefined behaviour.
inline int pcmSample(float value) {
    return static_cast<int>(std::min(32767.0f, std::max(-32768.0f, value)));
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
