// The controller side of playback: starting the decode thread, and steering it by messages.
#include "playback.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <system_error>

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

Playback::Playback(const PlaybackParts& parts) : parts_(parts) {
    parts_.device.setBlockShaper([this](uint8_t* block, size_t length, bool) {
        const StreamInfo& info = parts_.file.info;
        const int64_t total = info.frames * info.outputSize;
        const int64_t base = status_.basePosition.load();
        const int64_t left = total - parts_.file.samplesToBytes(base) -
                             parts_.device.bytesSinceReset() - static_cast<int64_t>(length);
        parts_.gains.step(left, static_cast<int64_t>(length), base == 0);
        parts_.gains.apply(block, length, info.bitsPerSample, info.channels);
    });
    parts_.device.setCloseWaitHook([this] {
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
    const StreamInfo& info = parts_.file.info;
    WaveOutDevice& device = parts_.device;
    device.setSpeed(parts_.tuning.speed);
    device.setPitch(parts_.tuning.pitch);
    device.setOutputSleep(parts_.tuning.blocks.outputSleep);
    parts_.gains.startAtOpen();
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
    OpenFile& f = parts_.file;
    const StreamInfo& info = f.info;
    filePos_ = f.dataStart;
    readPos_ = 0;
    unread_ = 0;
    pcmRead_ = 0;
    status_.basePosition = 0;
    status_.waveBytesWritten = 0;
    const int blocks = f.pcm ? kPcmBlockUnits : parts_.tuning.blocks.outputBlock;
    try {
        if (!f.pcm) {
            input_.assign(static_cast<size_t>(parts_.tuning.blocks.inputBlock) * info.maxInputSize,
                          0);
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
        if (!parts_.decoder.decodeInit(input_.data(), unread_)) {
            if (mode != kOutputWaveFile) parts_.device.close();
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
        if (status_.outputMode != kOutputWaveFile) parts_.device.close();
        setLastError(kErrThreadStart);
        return false;
    }
    started.wait();
    return true;
}

bool Playback::readyToStart() {
    if (status_.state != kStopped) {
        setLastError(kErrBusy);
        return false;
    }
    if (!parts_.file.open) {
        setLastError(kErrNoFile);
        return false;
    }
    return true;
}

bool Playback::play() {
    if (!readyToStart()) return false;
    stopThread();
    status_.outputMode = kOutputDevice;
    fadeStopping_ = false;
    parts_.device.markUsed();
    return prepare(kOutputDevice) && startThread();
}

bool Playback::playToWave(const char* fileName, int mode) {
    if (!readyToStart()) return false;
    if (mode == kOutputBoth && parts_.file.pcm) return false;
    stopThread();
    if (mode == kOutputBoth) {
        fadeStopping_ = false;
        parts_.device.markUsed();
    }
    status_.outputMode = mode;
    if (!prepare(mode)) return false;
    const StreamInfo& info = parts_.file.info;
    const int64_t expected =
        int64_t{parts_.file.playTime} * info.frequency * info.bitsPerSample * info.channels / 8;
    if (!fileName || !*fileName ||
        !wave_.create(fileName, info.channels, info.frequency, info.bitsPerSample, expected)) {
        if (mode == kOutputBoth) parts_.device.close();
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
    parts_.device.reset();
    thread_.join();
    threadId_ = std::thread::id{};
    queue_.clear();
    status_.lastSeconds = 0;
    status_.basePosition = 0;
    return true;
}

bool Playback::pause() {
    if (onDecodeThread()) {
        showMessage(kCaption, kPauseInCallback);
        return false;
    }
    if (status_.state != kPlaying || !thread_.joinable()) {
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
    if (status_.state != kPaused || !thread_.joinable()) return true;
    Event answer(false);
    post(kMsgRestart, &answer);
    waitAnswer(answer);
    return true;
}

void Playback::seek(int64_t sample) {
    if (status_.state == kStopped && !parts_.tuning.seekWhenStopped) return;
    status_.reported = status_.state.load();
    status_.seeking = true;
    if (onDecodeThread()) {
        showMessage(kCaption, kSeekInCallback);
        status_.seeking = false;
        return;
    }
    const bool wasPaused = status_.state == kPaused;
    if (!thread_.joinable() && !play()) {
        status_.seeking = false;
        return;
    }
    // A thread that ended before it saw the seek (the very end of a song) is started again
    // once; a second miss gives up rather than loop.
    for (int attempt = 0; attempt < 2; ++attempt) {
        post(kMsgHold);
        parts_.device.reset();
        if (wasPaused) pause();
        Event answer(false);
        int64_t target = sample;
        post(kMsgSeek, &answer, reinterpret_cast<intptr_t>(&target));
        waitAnswer(answer);
        parts_.gains.resetToLevels();
        post(kMsgRelease);
        if (!status_.seeking) return;
        status_.seeking = false;
        if (!threadEnded_) return;
        status_.seeking = true;
        stopThread();
        if (!play()) break;
    }
    status_.seeking = false;
}

void Playback::reposition() {
    const int kept = status_.state;
    if (kept == kStopped) return;
    const int64_t played = playedSamples();
    stopThread();
    if (!play()) return;
    // Pausing before the seek keeps a paused song silent and exactly where it was; pausing
    // after it would let the device play on from the target until the pause arrives.
    if (kept == kPaused) pause();
    seek(played);
}

bool Playback::replay() {
    const int kept = status_.state;
    if (kept == kStopped) {
        setLastError(kErrNotPlaying);
        return false;
    }
    status_.reported = kept;
    status_.repositioning = true;
    seek(playedSamples());
    if (kept == kPaused) pause();
    status_.repositioning = false;
    return true;
}

int Playback::setEqualizer(const int32_t* table) {
    if (onDecodeThread()) {
        showMessage(kCaption, kEqualizerInCallback);
        return 1;
    }
    if (!thread_.joinable() || threadEnded_) {
        parts_.decoder.synthesis().setEqualizer(table);
        return 1;
    }
    Event answer(false);
    post(kMsgEqualizer, &answer, reinterpret_cast<intptr_t>(table));
    waitAnswer(answer);
    return 1;
}

int Playback::fadeOutStop() {
    int left = 0, right = 0;
    parts_.device.getVolume(left, right);
    savedVolume_[0] = fadeVolume_[0] = left;
    savedVolume_[1] = fadeVolume_[1] = right;
    fadeCounter_[0] = fadeCounter_[1] = 0;
    fadeStopping_ = true;
    return left;
}

int64_t Playback::playedSamples() {
    if (status_.outputMode.load() == kOutputWaveFile) {
        return status_.basePosition.load() +
               parts_.file.bytesToSamples(status_.waveBytesWritten.load());
    }
    return status_.basePosition.load() + parts_.device.position();
}

int64_t Playback::playMilliseconds() {
    const int frequency = parts_.file.info.frequency;
    if (frequency == 0 || parts_.file.playTime == 0) return 0;
    const double k = wholeMsFrameScale(frequency);
    auto ms = static_cast<int64_t>(playedSamples() * 1000 / frequency);
    ms = static_cast<int64_t>(static_cast<double>(ms) * k);
    ms = static_cast<int64_t>(static_cast<double>(ms) * parts_.file.timeRatio);
    return static_cast<int32_t>(ms);
}

int32_t Playback::positionSeconds(bool clamp) {
    const int frequency = parts_.file.info.frequency;
    if (frequency <= 0) return 0;
    int64_t seconds;
    if (status_.outputMode.load() == kOutputWaveFile) {
        seconds = (status_.basePosition.load() +
                   parts_.file.bytesToSamples(status_.waveBytesWritten.load())) /
                  frequency;
    } else {
        seconds = static_cast<int64_t>(static_cast<double>(playedSamples() * 1000 / frequency) *
                                       0.001 * parts_.file.timeRatio);
    }
    if (clamp && parts_.tuning.clampToPlayTime)
        seconds = std::min<int64_t>(seconds, parts_.file.playTime);
    status_.lastSeconds = static_cast<int32_t>(seconds);
    return status_.lastSeconds;
}

bool Playback::copySoundingPcm(size_t bytesPerChannel, uint8_t* pcm, int& channels, int& bits) {
    if (status_.state == kStopped || !parts_.device.isOpen()) return false;
    channels = parts_.device.channels();
    bits = parts_.device.bitsPerSample();
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16)) return false;
    const int64_t offset = parts_.device.position() * bits / 8 * channels;
    return parts_.device.copyRecent(offset, pcm, bytesPerChannel * static_cast<size_t>(channels));
}

}  // namespace velk
