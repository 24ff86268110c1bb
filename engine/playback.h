// Playback control: the decode thread that reads, decodes and feeds the device or a wave file,
// and the controller side that steers it with thread messages and waits for its answers.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "callback_channel.h"
#include "decoder/decoder.h"
#include "open_file.h"
#include "output/fade_gains.h"
#include "output/wave_out.h"
#include "play_status.h"
#include "sync.h"
#include "tuning.h"
#include "wave_file_writer.h"

namespace velk {

// Thread message numbers (first application message 32768).
enum MessageId : int {
    kMsgStop = 32768,
    kMsgPause = 32770,
    kMsgRestart = 32771,
    kMsgSeek = 32772,
    kMsgEqualizer = 32773,
    kMsgHold = 32868,
    kMsgRelease = 32869,
};

// What playback works with; the engine owns each part.
struct PlaybackParts {
    Decoder& decoder;
    WaveOutDevice& device;
    OpenFile& file;
    const Tuning& tuning;
    FadeGains& gains;
    const CallbackChannel& callbacks;
};

class Playback {
  public:
    explicit Playback(const PlaybackParts& parts);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Controller side; each sets the engine's last error on failure.
    bool play();
    // Output mode 1 (wave file only) or 2 (device and wave file).
    bool playToWave(const char* fileName, int mode);
    // Ends the decode thread and waits for it. From the decode thread itself only the stop
    // message is posted and the result is false.
    bool stopThread();
    // False only when called from the callback.
    bool pause();
    bool restart();
    void seek(int64_t sample);
    // Restarts playback at the current position for a new speed or pitch.
    void reposition();
    bool replay();
    int setEqualizer(const int32_t* table);
    int fadeOutStop();
    // Frees the input buffer and the output block; only while no decode thread exists.
    void releaseBuffers();

    bool onDecodeThread() const { return std::this_thread::get_id() == threadId_.load(); }

    // The state and position as the entry points report them.
    int state() const { return status_.state.load(); }
    int reportedState() const { return status_.reportedState(); }
    int32_t lastSeconds() const { return status_.lastSeconds.load(); }
    int64_t playedSamples();
    int64_t playMilliseconds();
    // Whole seconds played; with `clamp` (and the tuning's clamp on) never past the play time.
    int32_t positionSeconds(bool clamp);
    // Copies `bytesPerChannel` x channels bytes of the PCM now sounding into `pcm`; false when
    // nothing plays or the position is outside the buffered blocks.
    bool copySoundingPcm(size_t bytesPerChannel, uint8_t* pcm, int& channels, int& bits);

  private:
    void notify(int code, int value) { parts_.callbacks.send(code, value, status_.positioning()); }
    // Stopped, with a file open; else the last error says why not.
    bool readyToStart();
    bool prepare(int mode);
    bool openDevice();
    bool startThread();
    bool waitAnswer(Event& event);
    void post(int id, Event* event = nullptr, intptr_t param = 0);

    // Decode thread.
    void threadMain(Event* started);
    bool produceBlock(size_t& length);
    bool decodeMpegFrame(size_t& length);
    // Decodes the frame at the read position into the output block and consumes it.
    bool decodeNext(FrameDecodeRequest& request);
    // The exact part of a seek: frames decoded without output until the target, then the
    // decoder started afresh at the next frame.
    void decodeSilentlyTo(int64_t target, int64_t outputBytes);
    bool readPcmBlock(size_t& length);
    bool refillInput();
    bool resynchronise();
    void deliver(size_t length);
    void handleMessage(const ThreadMessage& message);
    void handlePending();
    void holdUntilRelease();
    // True when a seek arrived while the end drained, so decoding goes on.
    bool drainEnd();
    bool fadeStopStep();
    void stepFadeVolumes();
    void seekInThread(int64_t target);
    void reportSecondsIfChanged(bool clamp);
    int32_t callbackSeconds(bool clamp);

    const PlaybackParts parts_;
    PlayStatus status_;

    std::thread thread_;
    std::atomic<std::thread::id> threadId_{};
    std::atomic<bool> threadEnded_{true};
    MessageQueue queue_;

    std::vector<uint8_t> input_;
    size_t readPos_ = 0;
    size_t unread_ = 0;
    int64_t filePos_ = 0;
    int64_t pcmRead_ = 0;
    std::vector<uint8_t> block_;
    WaveFileWriter wave_;

    std::atomic<bool> fadeStopping_{false};
    std::atomic<int> fadeVolume_[2] = {0, 0};
    std::atomic<int> savedVolume_[2] = {0, 0};
    int fadeCounter_[2] = {0, 0};  // decode thread only
    bool seekArrived_ = false;     // decode thread only
};

}  // namespace velk
