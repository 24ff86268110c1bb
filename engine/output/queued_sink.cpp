#include "output/queued_sink.h"

#include <algorithm>
#include <cstring>

namespace velk {
namespace {
// Ten milliseconds per chunk keeps a reset or pause prompt without waking the thread too often.
constexpr int kChunksPerSecond = 100;

int scaled(int sample, uint32_t gain) {
    return static_cast<int>(static_cast<int64_t>(sample) * gain / 0xFFFF);
}
}  // namespace

QueuedSink::~QueuedSink() {
    shutDown();
}

bool QueuedSink::open(int deviceId, int channels, int bitsPerSample, int sampleRate,
                      Completion onDone) {
    close();
    if (channels < 1 || channels > 2 || (bitsPerSample != 8 && bitsPerSample != 16) ||
        sampleRate < 1) {
        return false;
    }
    if (!openBackend(deviceId, channels, bitsPerSample, sampleRate)) return false;
    std::lock_guard lock(lock_);
    onDone_ = std::move(onDone);
    channels_ = channels;
    bitsPerSample_ = bitsPerSample;
    sampleRate_ = sampleRate;
    frameBytes_ = channels * bitsPerSample / 8;
    const int chunkFrames = std::max(1, sampleRate / kChunksPerSecond);
    scratch_.assign(static_cast<size_t>(chunkFrames) * frameBytes_, 0);
    queue_.clear();
    frontOffset_ = 0;
    played_ = 0;
    paused_ = false;
    stopping_ = false;
    open_ = true;
    worker_ = std::thread([this] { run(); });
    return true;
}

bool QueuedSink::isOpen() const {
    std::lock_guard lock(lock_);
    return open_;
}

bool QueuedSink::write(int slot, const uint8_t* data, size_t length) {
    std::lock_guard lock(lock_);
    if (!open_ || data == nullptr) return false;
    queue_.push_back({slot, data, length - length % static_cast<size_t>(frameBytes_)});
    wake_.notify_all();
    return true;
}

void QueuedSink::completeAll(std::deque<Pending>& buffers) {
    for (const auto& buffer : buffers) {
        if (onDone_) onDone_(buffer.slot);
    }
    buffers.clear();
}

bool QueuedSink::reset() {
    std::deque<Pending> returned;
    {
        std::lock_guard lock(lock_);
        if (!open_) return false;
        returned.swap(queue_);
        frontOffset_ = 0;
        played_ = 0;
        ++generation_;
        dropBackend();
    }
    completeAll(returned);
    return true;
}

bool QueuedSink::pause() {
    std::lock_guard lock(lock_);
    if (!open_) return false;
    if (!paused_) pauseBackend(true);
    paused_ = true;
    return true;
}

bool QueuedSink::restart() {
    std::lock_guard lock(lock_);
    if (!open_) return false;
    if (paused_) pauseBackend(false);
    paused_ = false;
    wake_.notify_all();
    return true;
}

void QueuedSink::shutDown() {
    {
        std::lock_guard lock(lock_);
        stopping_ = true;
        wake_.notify_all();
    }
    if (worker_.joinable()) worker_.join();
}

bool QueuedSink::close() {
    shutDown();
    std::deque<Pending> returned;
    {
        std::lock_guard lock(lock_);
        if (!open_) return false;
        open_ = false;
        returned.swap(queue_);
        dropBackend();
        closeBackend();
    }
    completeAll(returned);
    return true;
}

bool QueuedSink::position(uint32_t& samples) {
    std::lock_guard lock(lock_);
    if (!open_) return false;
    const uint32_t delay = backendDelayFrames();
    samples = played_ - std::min(delay, played_);
    return true;
}

bool QueuedSink::setVolume(uint32_t packed) {
    std::lock_guard lock(lock_);
    volume_ = packed;
    return true;
}

bool QueuedSink::getVolume(uint32_t& packed) {
    std::lock_guard lock(lock_);
    packed = volume_;
    return true;
}

size_t QueuedSink::takeChunk(const Pending& front, size_t offset) {
    const size_t bytes = std::min(scratch_.size(), front.length - offset);
    std::memcpy(scratch_.data(), front.data + offset, bytes);
    if (volume_ == 0xFFFFFFFF) return bytes;
    const uint32_t gains[2] = {volume_ & 0xFFFF, volume_ >> 16};
    if (bitsPerSample_ == 16) {
        for (size_t i = 0; i + 1 < bytes; i += 2) {
            const auto sample = static_cast<int16_t>(scratch_[i] | (scratch_[i + 1] << 8));
            const auto out = static_cast<uint16_t>(scaled(sample, gains[(i / 2) % channels_]));
            scratch_[i] = static_cast<uint8_t>(out & 0xFF);
            scratch_[i + 1] = static_cast<uint8_t>(out >> 8);
        }
    } else {
        for (size_t i = 0; i < bytes; ++i) {
            scratch_[i] =
                static_cast<uint8_t>(128 + scaled(scratch_[i] - 128, gains[i % channels_]));
        }
    }
    return bytes;
}

void QueuedSink::run() {
    std::unique_lock lock(lock_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || (!paused_ && !queue_.empty()); });
        if (stopping_) return;
        const Pending front = queue_.front();
        const uint64_t generation = generation_;
        const size_t bytes = takeChunk(front, frontOffset_);
        lock.unlock();
        if (bytes > 0) playFrames(scratch_.data(), bytes / static_cast<size_t>(frameBytes_));
        lock.lock();
        // A reset while the chunk played has returned this buffer already.
        if (generation != generation_) continue;
        played_ += static_cast<uint32_t>(bytes / static_cast<size_t>(frameBytes_));
        frontOffset_ += bytes;
        if (frontOffset_ < front.length) continue;
        queue_.pop_front();
        frontOffset_ = 0;
        const Completion done = onDone_;
        lock.unlock();
        if (done) done(front.slot);
        lock.lock();
    }
}

}  // namespace velk
