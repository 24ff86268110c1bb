#include "output/wave_out.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

#include "errors.h"

namespace velk {
namespace {
using std::chrono::milliseconds;
constexpr int kCloseRetries = 100;
}  // namespace

WaveOutDevice::WaveOutDevice(SinkFactory factory) : factory_(std::move(factory)) {
    for (auto& slot : slots_) slot.done = std::make_unique<Event>(true, true);
}

WaveOutDevice::~WaveOutDevice() {
    close();
}

bool WaveOutDevice::isOpen() const {
    std::lock_guard lock(lock_);
    return sink_ && sink_->isOpen();
}

bool WaveOutDevice::open(int channels, int bitsPerSample, int sampleRate, int blockSize) {
    if (isOpen()) close();
    std::lock_guard lock(lock_);
    if (!sink_) sink_ = factory_();
    if (!sink_ || channels < 1 || bitsPerSample < 8 || blockSize < 1) return false;
    const int rate = static_cast<int>(static_cast<int64_t>(sampleRate) * pitch_ / 100);
    if (!sink_->open(deviceId_, channels, bitsPerSample, rate, [this](int s) { completed(s); })) {
        return false;
    }
    sink_->setVolume(volume_);
    channels_ = channels;
    bitsPerSample_ = bitsPerSample;
    blockSize_ = blockSize;
    bytesSinceReset_ = 0;
    tracking_ = false;
    try {
        ring_.assign(static_cast<size_t>(blockSize) * kRingBlocks, 0);
        for (auto& slot : slots_) {
            slot.data.assign(static_cast<size_t>(blockSize), 0);
            slot.length = static_cast<size_t>(blockSize);
            slot.owned = false;
            slot.done->set();
        }
    } catch (const std::bad_alloc&) {
        setLastError(kErrMemory);
        sink_->close();
        return false;
    }
    fillIndex_ = 0;
    blocksWritten_ = 0;
    fillCount_ = 0;
    slotIndex_ = 0;
    return true;
}

void WaveOutDevice::completed(int slot) {
    if (slot >= 0 && slot < kSlots) slots_[slot].done->set();
}

int WaveOutDevice::append(const uint8_t* pcm, size_t length) {
    std::unique_lock lock(lock_);
    if (blockSize_ <= 0) return 0;
    const auto block = static_cast<size_t>(blockSize_);
    bool wrote = false;
    while (length > 0) {
        uint8_t* target = ring_.data() + static_cast<size_t>(fillIndex_) * block;
        const size_t room = block - fillCount_;
        if (length < room) {
            std::memcpy(target + fillCount_, pcm, length);
            fillCount_ += length;
            break;
        }
        std::memcpy(target + fillCount_, pcm, room);
        pcm += room;
        length -= room;
        fillCount_ = block;
        writeBlock(lock, target);
        wrote = true;
    }
    return wrote ? blockSize_ : 0;
}

void WaveOutDevice::writeBlock(std::unique_lock<std::mutex>& lock, const uint8_t* block) {
    const int index = slotIndex_;
    Slot& slot = slots_[index];
    resetFlag_ = false;
    if (slot.owned) {
        lock.unlock();
        slot.done->wait();
        lock.lock();
        slot.owned = false;
        // A reset released this wait: the block belongs to the old position, and the ring
        // and counters already start afresh without it.
        if (resetFlag_) {
            resetFlag_ = false;
            return;
        }
    }
    const auto blockBytes = static_cast<size_t>(blockSize_);
    std::memcpy(slot.data.data(), block, blockBytes);
    const bool first = bytesSinceReset_ == 0;
    slot.done->reset();
    // The shaper reads the device's counters itself.
    lock.unlock();
    if (shaper_) shaper_(slot.data.data(), blockBytes, first);
    lock.lock();

    size_t length = blockBytes;
    if (speed_ != 1) {
        const auto frame = static_cast<size_t>(channels_ * bitsPerSample_ / 8);
        length = blockBytes / static_cast<size_t>(speed_);
        if (frame > 0) length -= length % frame;
    }
    slot.length = length;
    if (resetFlag_ || !sink_ || !sink_->isOpen()) {
        // A reset came while this block was prepared: its audio is stale.
        resetFlag_ = false;
        fillCount_ = 0;
        slot.done->set();
        return;
    }
    bytesSinceReset_ += blockSize_;
    if (first) sink_->pause();
    slot.owned = true;
    if (!sink_->write(index, slot.data.data(), length)) {
        slot.owned = false;
        slot.done->set();
    }
    if (first) sink_->restart();
    slotIndex_ = (slotIndex_ + 1) % kSlots;
    ++blocksWritten_;
    fillIndex_ = (fillIndex_ + 1) % kRingBlocks;
    fillCount_ = 0;
    if (blocksWritten_ % 4 == 0 && outputSleep_ > 0) {
        const int sleepMs = outputSleep_;
        lock.unlock();
        std::this_thread::sleep_for(milliseconds(sleepMs));
        lock.lock();
    }
}

bool WaveOutDevice::drainWait(int timeoutMs) {
    {
        std::unique_lock lock(lock_);
        if (blockSize_ > 0 && fillCount_ > 0) {
            uint8_t* target = ring_.data() + static_cast<size_t>(fillIndex_) * blockSize_;
            std::memset(target + fillCount_, 0, static_cast<size_t>(blockSize_) - fillCount_);
            writeBlock(lock, target);
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(timeoutMs);
    for (auto& slot : slots_) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (!slot.done->waitFor(std::max(left, milliseconds(0)))) return false;
    }
    return true;
}

bool WaveOutDevice::resetLocked() {
    if (!sink_ || !sink_->isOpen()) return true;
    if (!sink_->reset()) return false;
    fillIndex_ = 0;
    blocksWritten_ = 0;
    fillCount_ = 0;
    bytesSinceReset_ = 0;
    resetFlag_ = true;
    tracking_ = false;
    return true;
}

bool WaveOutDevice::reset() {
    std::lock_guard lock(lock_);
    return resetLocked();
}

bool WaveOutDevice::close() {
    {
        std::lock_guard lock(lock_);
        resetLocked();
        if (!sink_ || !sink_->isOpen()) return false;
    }
    for (auto& slot : slots_) {
        if (!slot.owned) continue;
        while (!slot.done->waitFor(milliseconds(20))) {
            if (closeWaitHook_) closeWaitHook_();
            if (!isOpen()) break;
        }
        std::lock_guard lock(lock_);
        slot.owned = false;
    }
    std::lock_guard lock(lock_);
    for (int attempt = 0; !sink_->close() && attempt < kCloseRetries; ++attempt) {
        std::this_thread::sleep_for(milliseconds(50));
    }
    for (auto& slot : slots_) {
        slot.owned = false;
        slot.done->set();
    }
    return true;
}

bool WaveOutDevice::pause() {
    std::lock_guard lock(lock_);
    return sink_ && sink_->isOpen() && sink_->pause();
}

bool WaveOutDevice::restart() {
    std::lock_guard lock(lock_);
    return sink_ && sink_->isOpen() && sink_->restart();
}

int WaveOutDevice::setVolume(int leftPercent, int rightPercent) {
    const auto scale = [](int p) {
        return static_cast<uint32_t>(static_cast<int64_t>(p) * 65535 / 100) & 0xFFFF;
    };
    std::lock_guard lock(lock_);
    volume_ = scale(leftPercent) | (scale(rightPercent) << 16);
    if (sink_ && sink_->isOpen()) sink_->setVolume(volume_);
    return 1;
}

// The back end goes too: a fresh engine chooses it again (VELKARO_AUDIO, the card), as a new
// process would, instead of keeping the one the first playback happened to pick.
void WaveOutDevice::resetSettings() {
    close();
    std::lock_guard lock(lock_);
    sink_.reset();
    deviceId_ = kAnyDevice;
    volume_ = kFullVolume;
}

int WaveOutDevice::getVolume(int& leftPercent, int& rightPercent) {
    std::lock_guard lock(lock_);
    uint32_t packed = volume_;
    if (sink_ && sink_->isOpen()) sink_->getVolume(packed);
    leftPercent = static_cast<int>((packed & 0xFFFF) * 100 / 65535);
    rightPercent = static_cast<int>((packed >> 16) * 100 / 65535);
    return 1;
}

int WaveOutDevice::volumeCaps() {
    std::lock_guard lock(lock_);
    if (!sink_) sink_ = factory_();
    return sink_ ? sink_->volumeCaps(deviceId_) : 0;
}

int64_t WaveOutDevice::position() {
    std::lock_guard lock(lock_);
    uint32_t raw = 0;
    if (!sink_ || !sink_->isOpen() || !sink_->position(raw)) return 0;
    // Extend the wrapping counter by its modular step, so a wrap never moves the position back
    // and no samples are lost between two readings.
    if (!tracking_) {
        tracking_ = true;
        extended_ = raw;
    } else {
        extended_ += static_cast<uint32_t>(raw - lastRaw_);
    }
    lastRaw_ = raw;
    return extended_ * speed_;
}

void WaveOutDevice::clearPositionTracking() {
    std::lock_guard lock(lock_);
    tracking_ = false;
}

int64_t WaveOutDevice::bytesSinceReset() {
    std::lock_guard lock(lock_);
    return bytesSinceReset_;
}

bool WaveOutDevice::copyRecent(int64_t offset, uint8_t* out, size_t length) {
    std::lock_guard lock(lock_);
    if (blockSize_ <= 0 || offset < 0) return false;
    const int64_t block = blockSize_;
    const int64_t oldest = std::max<int64_t>(0, blocksWritten_ - (kRingBlocks - 1)) * block;
    const int64_t newest = blocksWritten_ * block + static_cast<int64_t>(fillCount_);
    if (offset < oldest || offset + static_cast<int64_t>(length) > newest) return false;
    while (length > 0) {
        const int64_t index = offset / block;
        const int64_t within = offset % block;
        const size_t n = std::min(length, static_cast<size_t>(block - within));
        std::memcpy(out, ring_.data() + (index % kRingBlocks) * block + within, n);
        out += n;
        offset += static_cast<int64_t>(n);
        length -= n;
    }
    return true;
}

}  // namespace velk
