// The platform's audio output: queued buffers with per-buffer completion, reset, pause,
// restart, a 32-bit played-sample counter and per-channel volume in 16-bit steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace velk {

class AudioSink {
  public:
    // Called from the sink's own thread when the buffer queued for `slot` has been played or
    // returned by a reset. It must only signal; it never calls back into the sink.
    using Completion = std::function<void(int slot)>;

    virtual ~AudioSink() = default;

    // deviceId -1 is the system default; 0.. the devices the back end lists.
    virtual bool open(int deviceId, int channels, int bitsPerSample, int sampleRate,
                      Completion onDone) = 0;
    // Queues `length` bytes for `slot`; the sink keeps the pointer until completion.
    virtual bool write(int slot, const uint8_t* data, size_t length) = 0;
    // Stops at once and completes every queued buffer; the counter restarts at 0.
    virtual bool reset() = 0;
    virtual bool pause() = 0;
    virtual bool restart() = 0;
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    // Samples per channel played since open or the last reset; wraps at 2^32.
    virtual bool position(uint32_t& samples) = 0;
    // Left volume in the low 16 bits, right in the high 16 bits (0xFFFF is full).
    virtual bool setVolume(uint32_t packed) = 0;
    virtual bool getVolume(uint32_t& packed) = 0;
    // 2 separate left and right volume, 1 one volume, 0 none or unknown.
    virtual int volumeCaps(int deviceId) = 0;
};

// The sink chosen by VELKARO_AUDIO: "null" or "null:N" (N times real time), else ALSA.
std::unique_ptr<AudioSink> makeAudioSink();

}  // namespace velk
