// The wave-out device over a recording sink: block hand-over, speed, reset, volume, position.
#include "output/wave_out.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "output/null_sink.h"

namespace velk {
namespace {

// Keeps every queued buffer until the test completes it, as a device that never plays.
struct RecordingSink : AudioSink {
    struct Shared {
        std::mutex lock;
        std::vector<std::pair<int, size_t>> writes;
        std::vector<int> queued;
        uint32_t position = 0;
        uint32_t volume = 0;
        int pauses = 0;
        int restarts = 0;
        Completion done;
    };
    explicit RecordingSink(std::shared_ptr<Shared> s) : shared(std::move(s)) {}

    bool open(int, int, int, int, Completion onDone) override {
        shared->done = std::move(onDone);
        opened = true;
        return true;
    }
    bool write(int slot, const uint8_t*, size_t length) override {
        std::lock_guard lock(shared->lock);
        shared->writes.emplace_back(slot, length);
        shared->queued.push_back(slot);
        return true;
    }
    bool reset() override {
        std::vector<int> returned;
        {
            std::lock_guard lock(shared->lock);
            returned.swap(shared->queued);
        }
        for (int slot : returned) shared->done(slot);
        return true;
    }
    bool pause() override { return ++shared->pauses > 0; }
    bool restart() override { return ++shared->restarts > 0; }
    bool close() override {
        reset();
        opened = false;
        return true;
    }
    bool isOpen() const override { return opened; }
    bool position(uint32_t& samples) override {
        samples = shared->position;
        return true;
    }
    bool setVolume(uint32_t packed) override {
        shared->volume = packed;
        return true;
    }
    bool getVolume(uint32_t& packed) override {
        packed = shared->volume;
        return true;
    }
    int volumeCaps(int) override { return 2; }

    std::shared_ptr<Shared> shared;
    bool opened = false;
};

struct DeviceFixture : testing::Test {
    std::shared_ptr<RecordingSink::Shared> shared = std::make_shared<RecordingSink::Shared>();
    WaveOutDevice device{[this] { return std::make_unique<RecordingSink>(shared); }};
    static constexpr int kBlock = 4608;
    std::vector<uint8_t> block = std::vector<uint8_t>(kBlock, 0x11);

    void SetUp() override { ASSERT_TRUE(device.open(2, 16, 44100, kBlock)); }
    size_t writes() {
        std::lock_guard lock(shared->lock);
        return shared->writes.size();
    }
};

TEST_F(DeviceFixture, PartialBlocksWaitAndTheFirstBlockStartsPaused) {
    EXPECT_EQ(device.append(block.data(), kBlock - 1), 0);
    EXPECT_EQ(writes(), 0u);
    EXPECT_EQ(device.append(block.data(), 1), kBlock);
    ASSERT_EQ(writes(), 1u);
    EXPECT_EQ(shared->pauses, 1);
    EXPECT_EQ(shared->restarts, 1);
    device.append(block.data(), kBlock);
    EXPECT_EQ(shared->pauses, 1);
}

// velk_free resets the device: the next open chooses its back end anew (VELKARO_AUDIO may have
// changed), as a fresh process would, instead of keeping the first one it made.
TEST(WaveOutDevice, ResetSettingsLetsTheNextOpenChooseTheBackEndAgain) {
    auto shared = std::make_shared<RecordingSink::Shared>();
    int made = 0;
    WaveOutDevice device{[&] {
        ++made;
        return std::make_unique<RecordingSink>(shared);
    }};
    ASSERT_TRUE(device.open(2, 16, 44100, 4608));
    ASSERT_TRUE(device.open(2, 16, 44100, 4608));
    EXPECT_EQ(made, 1);
    device.resetSettings();
    EXPECT_FALSE(device.isOpen());
    ASSERT_TRUE(device.open(2, 16, 44100, 4608));
    EXPECT_EQ(made, 2);
}

TEST_F(DeviceFixture, SpeedThreePlaysTheFirstThirdOfEachBlock) {
    device.setSpeed(3);
    device.append(block.data(), kBlock);
    ASSERT_EQ(writes(), 1u);
    // 4608 / 3 = 1536, already a whole number of 4-byte frames.
    EXPECT_EQ(shared->writes[0].second, 1536u);
    shared->position = 100;
    EXPECT_EQ(device.position(), 300);
}

TEST_F(DeviceFixture, ResetReleasesAWriterWaitingForAFullSink) {
    for (int i = 0; i < WaveOutDevice::kSlots; ++i) device.append(block.data(), kBlock);
    ASSERT_EQ(writes(), static_cast<size_t>(WaveOutDevice::kSlots));
    std::atomic<bool> returned{false};
    std::thread writer([&] {
        device.append(block.data(), kBlock);
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);
    EXPECT_TRUE(device.reset());
    writer.join();
    EXPECT_TRUE(returned);
    // The block that waited was prepared before the reset: it must not reach the sink.
    EXPECT_EQ(writes(), static_cast<size_t>(WaveOutDevice::kSlots));
    EXPECT_EQ(device.bytesSinceReset(), 0);
}

TEST_F(DeviceFixture, VolumePacksToSixteenBitStepsAndReadsBackTruncated) {
    device.setVolume(50, 100);
    EXPECT_EQ(shared->volume, 0xFFFF7FFFu);
    int left = 0, right = 0;
    device.getVolume(left, right);
    EXPECT_EQ(left, 49);
    EXPECT_EQ(right, 100);
}

TEST_F(DeviceFixture, PositionCarriesAcrossTheCounterWrap) {
    shared->position = 0xFFFFFF00u;
    EXPECT_EQ(device.position(), 0xFFFFFF00LL);
    shared->position = 0x100;
    EXPECT_EQ(device.position(), 0x100000100LL);
    shared->position = 0x200;
    EXPECT_EQ(device.position(), 0x100000200LL);
    device.clearPositionTracking();
    EXPECT_EQ(device.position(), 0x200);
}

TEST_F(DeviceFixture, RecentPcmIsCopiedFromTheRing) {
    std::vector<uint8_t> ramp(kBlock);
    for (int i = 0; i < kBlock; ++i) ramp[i] = static_cast<uint8_t>(i);
    device.append(ramp.data(), kBlock);
    std::vector<uint8_t> out(16);
    ASSERT_TRUE(device.copyRecent(100, out.data(), out.size()));
    EXPECT_EQ(out[0], 100);
    EXPECT_FALSE(device.copyRecent(kBlock - 8, out.data(), out.size()));
    EXPECT_FALSE(device.copyRecent(-1, out.data(), out.size()));
}

TEST(NullSink, PlaysQueuedBuffersAndCountsSamples) {
    NullSink sink(50);
    std::mutex lock;
    std::vector<int> done;
    ASSERT_TRUE(sink.open(-1, 2, 16, 44100, [&](int slot) {
        std::lock_guard guard(lock);
        done.push_back(slot);
    }));
    std::vector<uint8_t> pcm(44100 * 4 / 10);  // 0.1 s, 2 ms at fifty times real time
    ASSERT_TRUE(sink.write(0, pcm.data(), pcm.size()));
    ASSERT_TRUE(sink.write(1, pcm.data(), pcm.size()));
    for (int i = 0; i < 500; ++i) {
        {
            std::lock_guard guard(lock);
            if (done.size() == 2) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    uint32_t samples = 0;
    ASSERT_TRUE(sink.position(samples));
    EXPECT_EQ(samples, 2u * 4410);
    std::lock_guard guard(lock);
    EXPECT_EQ(done, (std::vector<int>{0, 1}));
}

TEST(NullSink, ResetReturnsEveryBufferAndRestartsTheCounter) {
    NullSink sink(1);
    std::atomic<int> done{0};
    ASSERT_TRUE(sink.open(-1, 1, 8, 8000, [&](int) { ++done; }));
    std::vector<uint8_t> pcm(8000 * 10);  // ten seconds at real time
    sink.pause();
    for (int slot = 0; slot < 4; ++slot) sink.write(slot, pcm.data(), pcm.size());
    EXPECT_TRUE(sink.reset());
    EXPECT_EQ(done, 4);
    uint32_t samples = 1;
    sink.position(samples);
    EXPECT_EQ(samples, 0u);
    EXPECT_TRUE(sink.close());
    EXPECT_FALSE(sink.isOpen());
}

}  // namespace
}  // namespace velk
