// The visual data of the spectrum window, computed from a copy of the PCM now sounding: a
// waveform excerpt scaled to -100..100 and a 512-point spectrum in decibels, per channel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/spectrum_analyser.h"

namespace velk {

class SpectrumData {
  public:
    static constexpr int kValues = 256;  // per channel, for both kinds

    SpectrumData();

    // Modes 0, 2 and 3 select their window; any other value selects mode 1 (Hann).
    void setMode(int mode);
    int mode() const { return mode_; }

    // Bytes of PCM each computation reads: channels x 512 and channels x 1024.
    static constexpr size_t waveBytes(int channels) { return static_cast<size_t>(channels) * 512; }
    static constexpr size_t spectrumBytes(int channels) {
        return static_cast<size_t>(channels) * 1024;
    }

    // `pcm` holds waveBytes(channels) bytes of interleaved 16-bit little-endian or 8-bit
    // unsigned samples. Fills `left` and `right` (zeroed for one channel); returns kValues.
    static int wave(const uint8_t* pcm, int channels, int bitsPerSample, int32_t* left,
                    int32_t* right);
    // `pcm` holds spectrumBytes(channels) bytes; returns 512, the samples analysed per channel.
    int spectrum(const uint8_t* pcm, int channels, int bitsPerSample, int32_t* left,
                 int32_t* right);

  private:
    SpectrumAnalyser analysers_[4];
    int mode_ = SpectrumAnalyser::kHann;
};

}  // namespace velk
