// The controller side of playback: starting the decode thread, and steering it by messages.
#include "playback.h"

#include <chrono>
#include <new>
#include <system_error>

#include "engine.h"
#include "errors.h"
#include "message_hook.h"

namespace velk {
namespace {

constexpr char kCaption[] = "エラー";
constexpr char kStopInCallback[] = "コールバック関数内で velk_stop() を呼び出してはいけません";
constexpr char kPauseInCallback[] = "コールバック関数内で velk_pause() を呼び出してはいけません";
constexpr char kRestartInCallback[] =
    "コールバック関数内で velk_restart() を呼び出してはいけません";
constexpr char kEqualizerInCallback[] =
    "コールバック関数内で velk_setEqualizer() を呼び出してはいけません";
constexpr char kSeekInCallback[] = "コールバック関数内でシーク関数を呼び出してはいけません";

// How often a caller waiting for the decode thread's answer checks whether the thread ended.
constexpr auto kAnswerPoll = std::chrono::milliseconds(2);
// PCM files go to the device in blocks of this many read units.
constexpr int kPcmBlockUnits = 5;

}  // namespace

Playback::Playback(Engine& engine) : engine_(engine) {
    engine_.device.setBlockShaper([this](uint8_t* block, size_t length, bool) {
        Engine& e = engine_;
        const StreamInfo& info = e.file.info;
        const int64_t total = info.frames * info.outputSize;
        const int64_t base = e.basePosition.load();
        const int64_t left = total - e.samplesToBytes(base) - e.device.bytesSinceReset() -
                             static_cast<int64_t>(length);
        e.gains.step(left, static_cast<int64_t>(length), base == 0);
        e.gains.apply(block, length, info.bitsPerSample, info.channels);
    });
    engine_.device.setCloseWaitHook([this] {
        if (fadeStopping_) stepFadeVolumes();
    });
}

Playback::~Playback() {
    stopThread();
}

void Playback::post(int id, Event* event, intptr_t param) {
    queue_.post({id, event, param});
}

bool Playback::waitAnswer(Event& event) {
    while (!event.waitFor(kAnswerPoll)) {
        if (threadEnded_) return event.isSet();
    }
    return true;
}

bool Playback::openDevice() {
    Engine& e = engine_;
    const StreamInfo& info = e.file.info;
    WaveOutDevice& device = e.device;
    device.setSpeed(e.tuning.speed);
    device.setPitch(e.tuning.pitch);
    device.setOutputSleep(e.tuning.blocks.outputSleep);
    e.gains.startAtOpen();
    if (!device.open(info.channels, info.bitsPerSample, info.frequency,
                     static_cast<int>(block_.size()))) {
        setLastError(kErrDeviceOpen);
        return false;
    }
    return true;
}

void Playback::releaseBuffers() {
    input_.clear();
    input_.shrink_to_fit();
    block_.clear();
    block_.shrink_to_fit();
}

bool Playback::prepare(int mode) {
    Engine& e = engine_;
    OpenFile& f = e.file;
    const StreamInfo& info = f.info;
    filePos_ = f.dataStart;
    readPos_ = 0;
    unread_ = 0;
    pcmRead_ = 0;
    e.basePosition = 0;
    e.waveBytesWritten = 0;
    const int blocks = f.pcm ? kPcmBlockUnits : e.tuning.blocks.outputBlock;
    try {
        if (!f.pcm) {
            input_.assign(static_cast<size_t>(e.tuning.blocks.inputBlock) * info.maxInputSize, 0);
        }
        block_.assign(static_cast<size_t>(blocks) * info.outputSize, 0);
    } catch (const std::bad_alloc&) {
        setLastError(kErrMemory);
        return false;
    }
    if (!f.pcm && !refillInput()) {
        setLastError(kErrRange);
        return false;
    }
    if (mode != kOutputWaveFile && !openDevice()) return false;
    if (!f.pcm) {
        if (!e.decoder.decodeInit(input_.data(), unread_)) {
            if (mode != kOutputWaveFile) e.device.close();
            setLastError(kErrDecoderInit);
            return false;
        }
        const size_t skip = std::min(unread_, static_cast<size_t>(std::max(info.skipSize, 0)));
        readPos_ += skip;
        unread_ -= skip;
    }
    return true;
}

bool Playback::startThread() {
    queue_.clear();
    Event started(false);
    threadEnded_ = false;
    try {
        thread_ = std::thread([this, &started] { threadMain(&started); });
    } catch (const std::system_error&) {
        threadEnded_ = true;
        if (engine_.outputMode != kOutputWaveFile) engine_.device.close();
        setLastError(kErrThreadStart);
        return false;
    }
    started.wait();
    return true;
}

bool Playback::readyToStart() {
    if (engine_.state != kStopped) {
        setLastError(kErrBusy);
        return false;
    }
    if (!engine_.file.open) {
        setLastError(kErrNoFile);
        return false;
    }
    return true;
}

bool Playback::play() {
    Engine& e = engine_;
    if (!readyToStart()) return false;
    stopThread();
    e.outputMode = kOutputDevice;
    fadeStopping_ = false;
    e.device.markUsed();
    return prepare(kOutputDevice) && startThread();
}

bool Playback::playToWave(const char* fileName, int mode) {
    Engine& e = engine_;
    if (!readyToStart()) return false;
    if (mode == kOutputBoth && e.file.pcm) return false;
    stopThread();
    if (mode == kOutputBoth) {
        fadeStopping_ = false;
        e.device.markUsed();
    }
    e.outputMode = mode;
    if (!prepare(mode)) return false;
    const StreamInfo& info = e.file.info;
    const int64_t expected =
        int64_t{e.file.playTime} * info.frequency * info.bitsPerSample * info.channels / 8;
    if (!fileName || !*fileName ||
        !wave_.create(fileName, info.channels, info.frequency, info.bitsPerSample, expected)) {
        if (mode == kOutputBoth) e.device.close();
        setLastError(kErrWaveCreate);
        return false;
    }
    return startThread();
}

bool Playback::stopThread() {
    // Checked first: the thread object itself belongs to the controller.
    if (onDecodeThread()) {
        post(kMsgStop);
        showMessage(kCaption, kStopInCallback);
        return false;
    }
    if (!thread_.joinable()) return true;
    post(kMsgStop);
    // Queued blocks return at once, so a thread waiting for room in the device sees the stop.
    engine_.device.reset();
    thread_.join();
    threadId_ = std::thread::id{};
    queue_.clear();
    engine_.lastSeconds = 0;
    engine_.basePosition = 0;
    return true;
}

bool Playback::pause() {
    if (onDecodeThread()) {
        showMessage(kCaption, kPauseInCallback);
        return false;
    }
    if (engine_.state != kPlaying || !thread_.joinable()) {
        setLastError(kErrPauseState);
        return true;
    }
    Event answer(false);
    post(kMsgPause, &answer);
    waitAnswer(answer);
    return true;
}

bool Playback::restart() {
    if (onDecodeThread()) {
        showMessage(kCaption, kRestartInCallback);
        return false;
    }
    if (engine_.state != kPaused || !thread_.joinable()) return true;
    Event answer(false);
    post(kMsgRestart, &answer);
    waitAnswer(answer);
    return true;
}

void Playback::seek(int64_t sample) {
    Engine& e = engine_;
    if (e.state == kStopped && !e.tuning.seekWhenStopped) return;
    e.reported = e.state.load();
    e.seeking = true;
    if (onDecodeThread()) {
        showMessage(kCaption, kSeekInCallback);
        e.seeking = false;
        return;
    }
    const bool wasPaused = e.state == kPaused;
    if (!thread_.joinable() && !play()) {
        e.seeking = false;
        return;
    }
    // A thread that ended before it saw the seek (the very end of a song) is started again
    // once; a second miss gives up rather than loop.
    for (int attempt = 0; attempt < 2; ++attempt) {
        post(kMsgHold);
        e.device.reset();
        if (wasPaused) pause();
        Event answer(false);
        int64_t target = sample;
        post(kMsgSeek, &answer, reinterpret_cast<intptr_t>(&target));
        waitAnswer(answer);
        e.gains.resetToLevels();
        post(kMsgRelease);
        if (!e.seeking) return;
        e.seeking = false;
        if (!threadEnded_) return;
        e.seeking = true;
        stopThread();
        if (!play()) break;
    }
    e.seeking = false;
}

void Playback::reposition() {
    Engine& e = engine_;
    const int kept = e.state;
    if (kept == kStopped) return;
    const int64_t played = e.playedSamples();
    stopThread();
    if (!play()) return;
    // Pausing before the seek keeps a paused song silent and exactly where it was; pausing
    // after it would let the device play on from the target until the pause arrives.
    if (kept == kPaused) pause();
    seek(played);
}

bool Playback::replay() {
    Engine& e = engine_;
    const int kept = e.state;
    if (kept == kStopped) {
        setLastError(kErrNotPlaying);
        return false;
    }
    e.reported = kept;
    e.repositioning = true;
    seek(e.playedSamples());
    if (kept == kPaused) pause();
    e.repositioning = false;
    return true;
}

int Playback::setEqualizer(const int32_t* table) {
    if (onDecodeThread()) {
        showMessage(kCaption, kEqualizerInCallback);
        return 1;
    }
    if (!thread_.joinable() || threadEnded_) {
        engine_.decoder.synthesis().setEqualizer(table);
        return 1;
    }
    Event answer(false);
    post(kMsgEqualizer, &answer, reinterpret_cast<intptr_t>(table));
    waitAnswer(answer);
    return 1;
}

int Playback::fadeOutStop() {
    int left = 0, right = 0;
    engine_.device.getVolume(left, right);
    savedVolume_[0] = fadeVolume_[0] = left;
    savedVolume_[1] = fadeVolume_[1] = right;
    fadeCounter_[0] = fadeCounter_[1] = 0;
    fadeStopping_ = true;
    return left;
}

}  // namespace velk
