// The decode thread: reads the file, decodes frames (or takes PCM as it is), feeds the device
// and the wave file, answers the controller's messages and drains the device at the end.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "errors.h"
#include "playback.h"
#include "seek_estimate.h"

namespace velk {
namespace {
constexpr auto kDrainPoll = std::chrono::milliseconds(50);
}  // namespace

void Playback::threadMain(Event* started) {
    threadId_ = std::this_thread::get_id();
    status_.state = kPlaying;
    status_.lastSeconds = 0;
    status_.basePosition = 0;
    started->set();
    const int mode = status_.outputMode;
    bool again = true;
    while (again) {
        again = false;
        notify(kCbPosition, callbackSeconds(false));
        bool endOfData = false;
        while (status_.state != kStopped) {
            size_t length = 0;
            if (!produceBlock(length)) {
                endOfData = true;
                break;
            }
            deliver(length);
            if (fadeStopping_ && fadeStopStep()) {
                endOfData = true;
                break;
            }
            handlePending();
        }
        if (!endOfData || status_.state == kStopped) break;
        if (mode != kOutputWaveFile) {
            if (drainEnd()) {
                again = true;
                continue;
            }
            if (status_.state == kStopped) break;
            parts_.device.close();
            parts_.device.reset();
        }
        status_.state = kStopped;
        notify(kCbEnd, 0);
    }
    status_.lastSeconds = 0;
    status_.basePosition = 0;
    if (mode != kOutputDevice) wave_.finish();
    threadEnded_ = true;
}

bool Playback::produceBlock(size_t& length) {
    return parts_.file.pcm ? readPcmBlock(length) : decodeMpegFrame(length);
}

bool Playback::refillInput() {
    const OpenFile& f = parts_.file;
    std::memmove(input_.data(), input_.data() + readPos_, unread_);
    readPos_ = 0;
    const int64_t dataEnd = std::min(f.fileSize, f.dataStart + f.dataSize);
    const int64_t room = static_cast<int64_t>(input_.size() - unread_);
    const int64_t wanted = std::min(room, dataEnd - filePos_);
    if (wanted <= 0) return false;
    const int64_t got =
        f.file.readAt(filePos_, input_.data() + unread_, static_cast<size_t>(wanted));
    if (got <= 0) return false;
    filePos_ += got;
    unread_ += static_cast<size_t>(got);
    return true;
}

bool Playback::resynchronise() {
    if (unread_ > 0) {
        ++readPos_;
        --unread_;
    }
    // A sync can start in the last three bytes, which the search never takes as a start.
    constexpr size_t kSyncTail = 3;
    while (true) {
        size_t offset = 0;
        if (parts_.decoder.findFrameSync(input_.data() + readPos_, unread_, offset)) {
            readPos_ += offset;
            unread_ -= offset;
            return true;
        }
        const size_t keep = std::min(unread_, kSyncTail);
        readPos_ += unread_ - keep;
        unread_ = keep;
        if (!refillInput()) {
            setLastError(kErrRead);
            return false;
        }
    }
}

bool Playback::decodeNext(FrameDecodeRequest& request) {
    request = FrameDecodeRequest{};
    request.inputBuf = input_.data() + readPos_;
    request.inputSize = static_cast<int32_t>(unread_);
    request.outputBuf = block_.data();
    if (!parts_.decoder.decodeFrame(request)) return false;
    readPos_ += static_cast<size_t>(request.inputSize);
    unread_ -= static_cast<size_t>(request.inputSize);
    return true;
}

bool Playback::decodeMpegFrame(size_t& length) {
    while (true) {
        FrameDecodeRequest request;
        if (decodeNext(request)) {
            parts_.file.currentBitRate = request.bitRate;
            length = static_cast<size_t>(request.outputSize);
            return true;
        }
        if (parts_.decoder.error() == kDecShortInput) {
            // A frame longer than the whole input buffer can never be completed: step over it.
            if (unread_ == input_.size()) {
                if (!resynchronise()) return false;
                continue;
            }
            if (!refillInput()) return false;
            // The pause leaves the processor to others while playing in real time; decoding
            // into a file alone is a batch job that should finish as fast as it can.
            if (status_.outputMode != kOutputWaveFile) {
                std::this_thread::sleep_for(
                    std::chrono::milliseconds(parts_.tuning.blocks.inputSleep));
            }
            continue;
        }
        notify(kCbFrameError, 0);
        if (!resynchronise()) return false;
    }
}

bool Playback::readPcmBlock(size_t& length) {
    const OpenFile& f = parts_.file;
    if (pcmRead_ >= f.dataSize) return false;
    const auto unit =
        static_cast<size_t>(std::min<int64_t>(f.info.outputSize, f.dataSize - pcmRead_));
    std::memset(block_.data(), f.info.bitsPerSample == 8 ? 128 : 0, unit);
    const int64_t got = f.file.readAt(f.dataStart + pcmRead_, block_.data(), unit);
    if (got <= 0) return false;
    pcmRead_ += got;
    length = static_cast<size_t>(got);
    return true;
}

void Playback::deliver(size_t length) {
    const int mode = status_.outputMode;
    if (mode != kOutputWaveFile && parts_.device.append(block_.data(), length) > 0) {
        reportSecondsIfChanged(false);
    }
    if (mode != kOutputDevice) {
        status_.waveBytesWritten += static_cast<int64_t>(length);
        wave_.append(block_.data(), length);
        reportSecondsIfChanged(false);
    }
}

int32_t Playback::callbackSeconds(bool clamp) {
    const int frequency = parts_.file.info.frequency;
    if (frequency <= 0) return 0;
    auto seconds = static_cast<int64_t>(static_cast<double>(playedSamples() / frequency) *
                                        parts_.file.timeRatio);
    if (clamp && parts_.tuning.clampToPlayTime)
        seconds = std::min<int64_t>(seconds, parts_.file.playTime);
    return static_cast<int32_t>(seconds);
}

void Playback::reportSecondsIfChanged(bool clamp) {
    const int32_t seconds = callbackSeconds(clamp);
    if (seconds == status_.lastSeconds) return;
    status_.lastSeconds = seconds;
    notify(kCbPosition, seconds);
}

void Playback::handlePending() {
    ThreadMessage message;
    if (queue_.tryTake(message)) handleMessage(message);
    while (status_.state == kPaused) {
        queue_.take(message);
        handleMessage(message);
    }
}

void Playback::handleMessage(const ThreadMessage& message) {
    switch (message.id) {
        case kMsgStop:
            parts_.device.reset();
            parts_.device.close();
            status_.state = kStopped;
            notify(kCbStopped, 0);
            break;
        case kMsgPause:
            if (status_.state == kPlaying) {
                parts_.device.pause();
                status_.state = kPaused;
                notify(kCbPaused, 0);
            }
            break;
        case kMsgRestart:
            if (status_.state == kPaused) {
                parts_.device.restart();
                status_.state = kPlaying;
                notify(kCbPosition, callbackSeconds(false));
            }
            break;
        case kMsgSeek:
            seekInThread(*reinterpret_cast<const int64_t*>(message.param));
            break;
        case kMsgEqualizer:
            parts_.decoder.synthesis().setEqualizer(
                reinterpret_cast<const int32_t*>(message.param));
            break;
        case kMsgHold:
            if (message.event) message.event->set();
            holdUntilRelease();
            return;
        default:
            break;
    }
    if (message.event) message.event->set();
}

void Playback::holdUntilRelease() {
    ThreadMessage message;
    while (true) {
        queue_.take(message);
        if (message.id == kMsgRelease) return;
        handleMessage(message);
        // A stop ends the hold too: nobody will release a thread that is going away.
        if (status_.state == kStopped) return;
    }
}

bool Playback::drainEnd() {
    seekArrived_ = false;
    ThreadMessage message;
    while (!parts_.device.drainWait(static_cast<int>(kDrainPoll.count()))) {
        if (queue_.tryTake(message)) {
            handleMessage(message);
            if (seekArrived_) return true;
            if (status_.state == kStopped) return false;
        }
        reportSecondsIfChanged(true);
    }
    // A stop's device reset can let the last blocks finish first: report only the stop then.
    while (queue_.tryTake(message)) {
        handleMessage(message);
        if (seekArrived_) return true;
        if (status_.state == kStopped) return false;
    }
    return false;
}

void Playback::stepFadeVolumes() {
    for (int c = 0; c < 2; ++c) {
        const int volume = fadeVolume_[c];
        const int every = volume >= 51   ? 2
                          : volume >= 11 ? 3
                          : volume >= 6  ? 5
                          : volume >= 1  ? 10
                                         : 0;
        if (every > 0 && ++fadeCounter_[c] >= every) {
            fadeVolume_[c] = volume - 1;
            fadeCounter_[c] = 0;
        }
    }
    parts_.device.setVolume(fadeVolume_[0], fadeVolume_[1]);
}

bool Playback::fadeStopStep() {
    stepFadeVolumes();
    if (fadeVolume_[0] > 0 || fadeVolume_[1] > 0) return false;
    fadeVolume_[0] = savedVolume_[0].load();
    fadeVolume_[1] = savedVolume_[1].load();
    fadeStopping_ = false;
    parts_.device.reset();
    return true;
}

void Playback::decodeSilentlyTo(int64_t target, int64_t outputBytes) {
    while (refillInput()) {
        while (status_.basePosition < target) {
            FrameDecodeRequest request;
            if (decodeNext(request)) {
                outputBytes += parts_.decoder.outputSize();
                status_.basePosition = parts_.file.bytesToSamples(outputBytes);
                continue;
            }
            if (parts_.decoder.error() == kDecShortInput && unread_ < input_.size()) break;
            notify(kCbFrameError, 0);
            if (!resynchronise()) return;
        }
        if (status_.basePosition >= target) {
            parts_.decoder.decodeInit(input_.data() + readPos_, unread_);
            std::fill(block_.begin(), block_.end(), 0);
            return;
        }
    }
}

void Playback::seekInThread(int64_t target) {
    const OpenFile& f = parts_.file;
    SeekStart start{f.dataStart, 0};
    if (!f.pcm && parts_.tuning.fastSeek) {
        const SeekStreamFacts facts{f.name, f.info, f.dataStart, f.dataSize,
                                    parts_.file.totalSamples()};
        start = estimateSeekStart(facts, parts_.decoder, target);
    }
    status_.basePosition = parts_.file.bytesToSamples(start.outputBytes);
    parts_.device.reset();
    parts_.device.clearPositionTracking();
    filePos_ = start.offset;
    readPos_ = 0;
    unread_ = 0;
    pcmRead_ = 0;
    if (f.pcm) {
        status_.basePosition = target;
        pcmRead_ = std::clamp<int64_t>(parts_.file.samplesToBytes(target), 0, f.dataSize);
    } else {
        parts_.decoder.muteFrameDecoder();
        decodeSilentlyTo(target, start.outputBytes);
        parts_.decoder.selectFrameDecoder(f.info.header);
    }
    status_.seeking = false;
    seekArrived_ = true;
    status_.lastSeconds = callbackSeconds(false);
    notify(kCbPosition, status_.lastSeconds);
}

}  // namespace velk
