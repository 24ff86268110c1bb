// Temporary: replaced by the synthesis filterbank. Writes silence.
#include <algorithm>
#include <cstring>

#include "decoder/synthesis.h"

namespace velk {
Synthesis::Synthesis() { reset(); std::fill(gains_, gains_ + 32, 1.0f); }
void Synthesis::configure(int c, int r, bool e) { channels_ = c; reduction_ = r; eightBit_ = e; }
void Synthesis::reset() { std::memset(ring_, 0, sizeof ring_); ringIndex_[0] = ringIndex_[1] = 0; }
void Synthesis::synthesizeGranule(const float*, int, uint8_t*) {}
void Synthesis::synthesizeSlots(const float*, int, uint8_t*) {}
void Synthesis::setEqualizer(const int32_t* t) { equalizerOn_ = t != nullptr; }
}  // namespace velk
