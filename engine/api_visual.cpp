// Entry points of the spectrum window's data: the waveform and the spectrum of the PCM now
// sounding, read from the output device's ring at its play position, and the analyser choice.
#include <algorithm>

#include "engine.h"
#include "velk.h"

namespace {

using velk::SpectrumData;

SpectrumData& spectrumData() {
    return velk::Engine::instance().spectrum();
}

velk::Playback& playback() {
    return velk::Engine::instance().playback();
}

void zero(int32_t* left, int32_t* right) {
    if (left) std::fill(left, left + SpectrumData::kValues, 0);
    if (right) std::fill(right, right + SpectrumData::kValues, 0);
}

}  // namespace

int velk_getWaveData(int32_t* left, int32_t* right) {
    zero(left, right);
    uint8_t pcm[SpectrumData::waveBytes(2)];
    int channels = 0, bits = 0;
    if (!left || !right ||
        !playback().copySoundingPcm(SpectrumData::waveBytes(1), pcm, channels, bits))
        return 0;
    return SpectrumData::wave(pcm, channels, bits, left, right);
}

int velk_getSpectrumData(int32_t* left, int32_t* right) {
    zero(left, right);
    uint8_t pcm[SpectrumData::spectrumBytes(2)];
    int channels = 0, bits = 0;
    if (!left || !right ||
        !playback().copySoundingPcm(SpectrumData::spectrumBytes(1), pcm, channels, bits)) {
        return 0;
    }
    return spectrumData().spectrum(pcm, channels, bits, left, right);
}

void velk_setSpectrumMode(int32_t mode) {
    spectrumData().setMode(mode);
}
