#include "decoder/spectrum_data.h"

#include <algorithm>

namespace velk {
namespace {

// Sample `index` of `channel`. An 8-bit byte v becomes (v - 128) * 256, except that a zero byte
// stays zero, as the zero-filled parts of the output ring must read as silence.
int sampleAt(const uint8_t* pcm, int channels, int bitsPerSample, int index, int channel) {
    const size_t at =
        static_cast<size_t>(index) * static_cast<size_t>(channels) + static_cast<size_t>(channel);
    if (bitsPerSample == 8) return pcm[at] ? (pcm[at] - 128) * 256 : 0;
    return static_cast<int16_t>(pcm[2 * at] | (pcm[2 * at + 1] << 8));
}

}  // namespace

SpectrumData::SpectrumData()
    : analysers_{SpectrumAnalyser(SpectrumAnalyser::kRectangular),
                 SpectrumAnalyser(SpectrumAnalyser::kHann),
                 SpectrumAnalyser(SpectrumAnalyser::kHamming),
                 SpectrumAnalyser(SpectrumAnalyser::kBlackman)} {}

void SpectrumData::setMode(int mode) {
    mode_ = (mode == 0 || mode == 2 || mode == 3) ? mode : SpectrumAnalyser::kHann;
}

int SpectrumData::wave(const uint8_t* pcm, int channels, int bitsPerSample, int32_t* left,
                       int32_t* right) {
    int32_t* outputs[2] = {left, right};
    for (int channel = 0; channel < 2; ++channel) {
        if (channel >= channels) {
            std::fill(outputs[channel], outputs[channel] + kValues, 0);
            continue;
        }
        for (int i = 0; i < kValues; ++i) {
            outputs[channel][i] = sampleAt(pcm, channels, bitsPerSample, i, channel) * 100 / 32767;
        }
    }
    return kValues;
}

int SpectrumData::spectrum(const uint8_t* pcm, int channels, int bitsPerSample, int32_t* left,
                           int32_t* right) {
    int32_t* outputs[2] = {left, right};
    double samples[SpectrumAnalyser::kPoints];
    for (int channel = 0; channel < 2; ++channel) {
        if (channel >= channels) {
            std::fill(outputs[channel], outputs[channel] + kValues, 0);
            continue;
        }
        for (int i = 0; i < SpectrumAnalyser::kPoints; ++i) {
            samples[i] = sampleAt(pcm, channels, bitsPerSample, i, channel);
        }
        analysers_[mode_].analyse(samples, outputs[channel]);
    }
    return SpectrumAnalyser::kPoints;
}

}  // namespace velk
