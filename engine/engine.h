// The process-wide playback engine: the open file, the decoder, the output device, the decode
// thread and the settings. The velk_ entry points are a thin layer over one instance.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "decoder/decoder.h"
#include "decoder/spectrum_data.h"
#include "file.h"
#include "output/acm.h"
#include "output/fade_gains.h"
#include "output/wave_out.h"
#include "playback.h"
#include "status_timer.h"
#include "sync.h"
#include "tags/lyrics_state.h"
#include "tags/riff_info_list.h"
#include "tags/riff_layout.h"
#include "velk.h"

namespace velk {

enum PlayState : int {
    kStopped = VELK_STATE_STOPPED,
    kPlaying = VELK_STATE_PLAYING,
    kPaused = VELK_STATE_PAUSED,
};
enum OutputMode : int { kOutputDevice = 0, kOutputWaveFile = 1, kOutputBoth = 2 };

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

enum CallbackCode : int {
    kCbFrameError = VELK_CB_FRAME_ERROR,
    kCbStopped = VELK_CB_STOPPED,
    kCbPosition = VELK_CB_POSITION,
    kCbPaused = VELK_CB_PAUSED,
    kCbEnd = VELK_CB_END_OF_SONG,
};

// Tuning values of the engine, with their defaults.
struct Tuning {
    BlockInfo blocks{30, 20, 5, 0};
    int savedOutputBlock = 0;  // 0: nothing saved by a speed change
    bool clampToPlayTime = true;
    bool fastSeek = true;
    bool fastSeekReported = true;
    bool seekWhenStopped = false;
    bool frameReadFlag = false;
    int speed = 1;
    int pitch = 100;
};

struct OpenFile {
    bool open = false;
    File file;
    std::string name;
    int64_t fileSize = 0;
    int64_t dataStart = 0;
    int64_t dataSize = 0;
    bool pcm = false;
    StreamInfo info;
    VbrTable vbr;
    int32_t playTime = 0;
    int32_t framePlayTime = 0;
    std::atomic<int32_t> currentBitRate{
        0};  // bits/s of the frame last decoded; bits per sample for PCM
    double timeRatio = 1.0;
    int reductionAtOpen = 0;
    TagRecords tags;  // ID3v1 and RIFF INFO records and the wave format, as read at open
};

class Engine {
  public:
    static Engine& instance();

    Engine();
    ~Engine();

    // Lifecycle and the open file.
    void init();
    void free();
    bool open(const char* fileName, InputInfo* info);
    bool close();

    // Positions and conversions.
    int64_t bytesToSamples(int64_t bytes) const;
    int64_t samplesToBytes(int64_t samples) const;
    int64_t totalSamples() const;
    int64_t playedSamples();
    int64_t playMilliseconds();
    int32_t positionSeconds(bool clamp);
    int reportedState() const;
    void fillMpegInfo(MpegInfo& out);

    bool setDecodeOptions(const DecodeOptions& options);
    // Puts back every setting the entry points change, as a new process has them.
    void resetSettings();
    // Calls the user's callback when it may be sent: code 0 whenever callbacks are enabled,
    // the others only while no seek or repositioning runs.
    void notify(int code, int value);

    Decoder decoder;
    WaveOutDevice device;
    OpenFile file;
    Tuning tuning;
    FadeGains gains;
    LyricsState lyrics;
    RiffSettings riff;
    // Only the user interface thread asks for visual data, so the analysers need no lock.
    SpectrumData spectrum;
    // The PCM to Layer III conversion runs on its own thread, independent of playback.
    Conversion conversion;

    // Playback state, shared with the decode thread.
    std::atomic<int> state{kStopped};
    std::atomic<int> reported{kStopped};
    std::atomic<bool> seeking{false};
    std::atomic<bool> repositioning{false};
    std::atomic<int64_t> basePosition{0};
    std::atomic<int32_t> lastSeconds{0};
    std::atomic<int> outputMode{kOutputDevice};
    std::atomic<int64_t> waveBytesWritten{0};

    std::atomic<VelkCallback> callback{nullptr};
    std::atomic<bool> callbackEnabled{false};

    StatusTimer timer;
    // Last: it steers the members above from its thread.
    Playback playback{*this};

  private:
    void closeFile();
    // The open's two kinds of stream: both fill `result`; analyseMpeg returns 0 or the engine
    // error that refuses the file.
    void describePcm(const AudioLayout& layout, InputInfo& result);
    int analyseMpeg(InputInfo& result);
};

}  // namespace velk
