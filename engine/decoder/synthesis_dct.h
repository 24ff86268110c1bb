// Fast DCT-II transforms of the synthesis filterbank's matrixing step:
// out[m] = sum over k of in[k] * cos((2k + 1) * m * pi / (2 * N)), for N = 32, 16 and 8.
#pragma once

namespace velk {

void dct32(const float* in, float* out);
void dct16(const float* in, float* out);
void dct8(const float* in, float* out);

}  // namespace velk
