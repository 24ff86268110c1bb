// The sound card through ALSA: "default" for device -1, plughw:N for the cards ALSA lists.
#pragma once

#include "output/queued_sink.h"

typedef struct _snd_pcm snd_pcm_t;

namespace velk {

class AlsaSink final : public QueuedSink {
  public:
    ~AlsaSink() override;

    int volumeCaps(int deviceId) override;

  protected:
    bool openBackend(int deviceId, int channels, int bitsPerSample, int sampleRate) override;
    void closeBackend() override;
    void playFrames(const uint8_t* pcm, size_t frames) override;
    void dropBackend() override;
    void pauseBackend(bool paused) override;
    uint32_t backendDelayFrames() override;

  private:
    snd_pcm_t* pcm_ = nullptr;
    bool canPause_ = false;
};

}  // namespace velk
