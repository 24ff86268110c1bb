#include "reference_filterbank.h"

#include <cmath>

#include "decoder/synthesis_window.h"

namespace velk::test {

ReferenceFilterbank::ReferenceFilterbank() : v_(1024, 0.0) {}

std::vector<double> ReferenceFilterbank::slot(const float* subbands) {
    for (int i = 1023; i >= 64; --i) v_[i] = v_[i - 64];
    for (int i = 0; i < 64; ++i) {
        double sum = 0.0;
        for (int k = 0; k < 32; ++k)
            sum += std::cos((16 + i) * (2 * k + 1) * M_PI / 64.0) * subbands[k];
        v_[i] = sum;
    }
    double u[512];
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 32; ++j) {
            u[i * 64 + j] = v_[i * 128 + j];
            u[i * 64 + 32 + j] = v_[i * 128 + 96 + j];
        }
    }
    const float* d = synthesisWindow();
    std::vector<double> out(32, 0.0);
    for (int j = 0; j < 32; ++j) {
        for (int i = 0; i < 16; ++i) out[j] += u[j + 32 * i] * d[j + 32 * i];
    }
    return out;
}

std::vector<double> directDct(const float* in, int n) {
    std::vector<double> out(n, 0.0);
    for (int m = 0; m < n; ++m) {
        for (int k = 0; k < n; ++k) out[m] += in[k] * std::cos((2 * k + 1) * m * M_PI / (2.0 * n));
    }
    return out;
}

}  // namespace velk::test
