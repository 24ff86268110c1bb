// The wave-out device: a ring of 80 PCM blocks fed to the audio sink through 32 buffers, with
// per-block gain shaping, a speed factor that plays only the first part of each block, volume in
// percent and a 64-bit play position built from the sink's wrapping 32-bit counter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "output/audio_sink.h"
#include "sync.h"

namespace velk {

class WaveOutDevice {
  public:
    static constexpr int kSlots = 32;
    static constexpr int kRingBlocks = 80;

    using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;
    // Shapes one block just before it goes to the sink (fades and output gains).
    using BlockShaper = std::function<void(uint8_t* block, size_t length, bool firstBlock)>;

    explicit WaveOutDevice(SinkFactory factory = makeAudioSink);
    ~WaveOutDevice();

    void setBlockShaper(BlockShaper shaper) { shaper_ = std::move(shaper); }
    // Called once per wait while close() waits for a buffer that still plays.
    void setCloseWaitHook(std::function<void()> hook) { closeWaitHook_ = std::move(hook); }

    bool open(int channels, int bitsPerSample, int sampleRate, int blockSize);
    // Returns the block size when at least one block went to the sink, else 0.
    int append(const uint8_t* pcm, size_t length);
    // Sends the partial block (rest zero-filled) and waits until every buffer has played.
    bool drainWait(int milliseconds);
    bool reset();
    bool close();
    bool pause();
    bool restart();
    bool isOpen() const;

    int setVolume(int leftPercent, int rightPercent);
    int getVolume(int& leftPercent, int& rightPercent);
    int volumeCaps();

    // Samples per channel played since the last reset, times the speed factor.
    int64_t position();
    // Restarts the wrap tracking, as after a start or a seek.
    void clearPositionTracking();
    // Copies `length` bytes of the PCM sent since the last reset, starting at `offset`; false when
    // that range is not (or no longer) in the ring.
    bool copyRecent(int64_t offset, uint8_t* out, size_t length);

    void setDeviceId(int id) { deviceId_ = id; }
    // The device choice and the volume back to their first values; the device must be closed.
    void resetSettings();
    void setSpeed(int factor) { speed_ = factor < 1 ? 1 : factor; }
    void setPitch(int percent) { pitch_ = percent; }
    void setOutputSleep(int milliseconds) { outputSleep_ = milliseconds; }
    int channels() const { return channels_; }
    int bitsPerSample() const { return bitsPerSample_; }
    int64_t bytesSinceReset();
    bool used() const { return used_; }
    void markUsed() { used_ = true; }

  private:
    struct Slot {
        std::vector<uint8_t> data;
        size_t length = 0;
        bool owned = false;  // queued to the sink and not yet released
        std::unique_ptr<Event> done;
    };

    // Called and returns with `lock` held; releases it while it waits for a free slot.
    void writeBlock(std::unique_lock<std::mutex>& lock, const uint8_t* block);
    bool resetLocked();
    void completed(int slot);

    SinkFactory factory_;
    std::unique_ptr<AudioSink> sink_;
    mutable std::mutex lock_;
    Slot slots_[kSlots];
    std::vector<uint8_t> ring_;
    int slotIndex_ = 0;
    int fillIndex_ = 0;
    size_t fillCount_ = 0;
    int64_t blocksWritten_ = 0;
    int64_t bytesSinceReset_ = 0;
    bool resetFlag_ = false;
    int blockSize_ = 0;
    int channels_ = 0;
    int bitsPerSample_ = 0;
    static constexpr int kAnyDevice = -1;
    static constexpr uint32_t kFullVolume = 0xFFFFFFFF;
    int deviceId_ = kAnyDevice;
    int speed_ = 1;
    int pitch_ = 100;
    int outputSleep_ = 0;
    uint32_t volume_ = kFullVolume;
    bool used_ = false;
    // Position extension over the sink's 32-bit counter.
    bool tracking_ = false;
    uint32_t lastRaw_ = 0;
    int64_t extended_ = 0;
    BlockShaper shaper_;
    std::function<void()> closeWaitHook_;
};

}  // namespace velk
