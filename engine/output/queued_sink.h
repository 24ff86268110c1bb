// The part both audio back ends share: a queue of caller buffers played by a worker thread in
// short chunks, completion per buffer, reset, pause, a wrapping played-sample counter and the
// per-channel volume applied in software.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "output/audio_sink.h"

namespace velk {

class QueuedSink : public AudioSink {
  public:
    ~QueuedSink() override;

    bool open(int deviceId, int channels, int bitsPerSample, int sampleRate,
              Completion onDone) final;
    bool write(int slot, const uint8_t* data, size_t length) final;
    bool reset() final;
    bool pause() final;
    bool restart() final;
    bool close() final;
    bool isOpen() const final;
    bool position(uint32_t& samples) final;
    bool setVolume(uint32_t packed) final;
    bool getVolume(uint32_t& packed) final;

  protected:
    virtual bool openBackend(int deviceId, int channels, int bitsPerSample, int sampleRate) = 0;
    virtual void closeBackend() = 0;
    // Plays `frames` whole frames, blocking about as long as the back end needs to take them.
    virtual void playFrames(const uint8_t* pcm, size_t frames) = 0;
    // Throws away what the back end holds but has not played yet.
    virtual void dropBackend() = 0;
    virtual void pauseBackend(bool paused) = 0;
    // Frames handed to the back end that it has not played yet.
    virtual uint32_t backendDelayFrames() { return 0; }
    // Stops the worker thread first, so a back end's destructor can close its handle safely.
    void shutDown();

    int sampleRate() const { return sampleRate_; }

  private:
    struct Pending {
        int slot;
        const uint8_t* data;
        size_t length;
    };

    void run();
    // Copies one chunk of the front buffer into scratch_ with the volume applied.
    size_t takeChunk(const Pending& front, size_t offset);
    void completeAll(std::deque<Pending>& buffers);

    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::thread worker_;
    std::deque<Pending> queue_;
    Completion onDone_;
    std::vector<uint8_t> scratch_;
    size_t frontOffset_ = 0;
    uint64_t generation_ = 0;
    uint32_t played_ = 0;
    uint32_t volume_ = 0xFFFFFFFF;
    int frameBytes_ = 0;
    int bitsPerSample_ = 16;
    int channels_ = 2;
    int sampleRate_ = 44100;
    bool open_ = false;
    bool paused_ = false;
    bool stopping_ = false;
};

}  // namespace velk
