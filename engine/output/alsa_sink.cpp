#include "output/alsa_sink.h"

#include <alsa/asoundlib.h>

#include <string>

namespace velk {
namespace {
// Enough buffering to ride out a busy desktop, short enough for prompt seeks.
constexpr unsigned kLatencyMicroseconds = 100000;

// alsa-lib prints its own errors to stderr; the engine reports a device that cannot open with
// its error code instead, so the library is kept quiet.
void quietError(const char*, int, const char*, int, const char*, ...) {}

void silenceLibraryErrors() {
    static const bool silenced = [] {
        snd_lib_error_set_handler(quietError);
        return true;
    }();
    (void)silenced;
}

std::string deviceName(int deviceId) {
    return deviceId < 0 ? "default" : "plughw:" + std::to_string(deviceId);
}
}  // namespace

AlsaSink::~AlsaSink() {
    shutDown();
    closeBackend();
}

int AlsaSink::volumeCaps(int deviceId) {
    silenceLibraryErrors();
    snd_ctl_t* control = nullptr;
    const std::string name = deviceId < 0 ? "default" : "hw:" + std::to_string(deviceId);
    if (snd_ctl_open(&control, name.c_str(), 0) < 0) return 0;
    snd_ctl_close(control);
    // Volume is applied in software per channel, so left and right are always separate.
    return 2;
}

bool AlsaSink::openBackend(int deviceId, int channels, int bitsPerSample, int sampleRate) {
    silenceLibraryErrors();
    closeBackend();
    if (snd_pcm_open(&pcm_, deviceName(deviceId).c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        pcm_ = nullptr;
        return false;
    }
    const snd_pcm_format_t format = bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm_, format, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(channels), static_cast<unsigned>(sampleRate), 1,
                           kLatencyMicroseconds) < 0) {
        closeBackend();
        return false;
    }
    snd_pcm_hw_params_t* params = nullptr;
    snd_pcm_hw_params_malloc(&params);
    canPause_ = params && snd_pcm_hw_params_current(pcm_, params) == 0 &&
                snd_pcm_hw_params_can_pause(params);
    snd_pcm_hw_params_free(params);
    return true;
}

void AlsaSink::closeBackend() {
    if (pcm_) snd_pcm_close(pcm_);
    pcm_ = nullptr;
}

void AlsaSink::playFrames(const uint8_t* pcm, size_t frames) {
    while (frames > 0 && pcm_) {
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, pcm, frames);
        if (written < 0) {
            // An underrun or a suspend: recover and try once more; anything else drops the chunk.
            if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) return;
            continue;
        }
        frames -= static_cast<size_t>(written);
        pcm += snd_pcm_frames_to_bytes(pcm_, written);
    }
}

void AlsaSink::dropBackend() {
    if (!pcm_) return;
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
}

void AlsaSink::pauseBackend(bool paused) {
    if (!pcm_) return;
    if (canPause_ &&
        snd_pcm_state(pcm_) == (paused ? SND_PCM_STATE_RUNNING : SND_PCM_STATE_PAUSED)) {
        snd_pcm_pause(pcm_, paused ? 1 : 0);
    } else if (!paused && snd_pcm_state(pcm_) == SND_PCM_STATE_XRUN) {
        snd_pcm_prepare(pcm_);
    }
}

uint32_t AlsaSink::backendDelayFrames() {
    snd_pcm_sframes_t delay = 0;
    if (!pcm_ || snd_pcm_delay(pcm_, &delay) < 0 || delay < 0) return 0;
    return static_cast<uint32_t>(delay);
}

}  // namespace velk
