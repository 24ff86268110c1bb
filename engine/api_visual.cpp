// Entry points of the spectrum window's data: the waveform and the spectrum of the PCM now
// sounding, read from the output device's ring at its play position, and the analyser choice.
#include <algorithm>

#include "engine.h"
#include "velk.h"

namespace {

using velk::SpectrumData;

SpectrumData& spectrumData() {
    return velk::Engine::instance().spectrum;
}

// Copies `bytesPerChannel` x channels bytes of the PCM at the play position into `pcm`; false
// when nothing plays or the position is outside the buffered blocks.
bool copyPlaying(size_t bytesPerChannel, uint8_t* pcm, int& channels, int& bits) {
    velk::Engine& e = velk::Engine::instance();
    if (e.state == velk::kStopped || !e.device.isOpen()) return false;
    channels = e.device.channels();
    bits = e.device.bitsPerSample();
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16)) return false;
    const int64_t offset = e.device.position() * bits / 8 * channels;
    return e.device.copyRecent(offset, pcm, bytesPerChannel * static_cast<size_t>(channels));
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
    if (!left || !right || !copyPlaying(SpectrumData::waveBytes(1), pcm, channels, bits)) return 0;
    return SpectrumData::wave(pcm, channels, bits, left, right);
}

int velk_getSpectrumData(int32_t* left, int32_t* right) {
    zero(left, right);
    uint8_t pcm[SpectrumData::spectrumBytes(2)];
    int channels = 0, bits = 0;
    if (!left || !right || !copyPlaying(SpectrumData::spectrumBytes(1), pcm, channels, bits)) {
        return 0;
    }
    return spectrumData().spectrum(pcm, channels, bits, left, right);
}

void velk_setSpectrumMode(int32_t mode) {
    spectrumData().setMode(mode);
}
