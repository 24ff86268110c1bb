// The ALSA back end: a card that does not exist is refused cleanly; the default device, where
// the machine has one, plays queued buffers and counts them.
#include "output/alsa_sink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace velk {
namespace {

TEST(AlsaSink, AMissingCardIsRefused) {
    AlsaSink sink;
    EXPECT_FALSE(sink.open(99, 2, 16, 44100, [](int) {}));
    EXPECT_FALSE(sink.isOpen());
    EXPECT_EQ(sink.volumeCaps(99), 0);
    uint32_t samples = 0;
    EXPECT_FALSE(sink.position(samples));
    EXPECT_FALSE(sink.write(0, nullptr, 0));
    EXPECT_FALSE(sink.reset());
}

TEST(AlsaSink, TheDefaultDeviceWhenThereIsOne) {
    AlsaSink sink;
    std::atomic<int> done{0};
    if (!sink.open(-1, 2, 16, 44100, [&](int) { ++done; })) {
        GTEST_SKIP() << "no ALSA playback device on this machine";
    }
    std::vector<uint8_t> silence(44100 * 4 / 20);  // 50 ms
    ASSERT_TRUE(sink.write(0, silence.data(), silence.size()));
    ASSERT_TRUE(sink.write(1, silence.data(), silence.size()));
    for (int i = 0; i < 200 && done < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(done, 2);
    ASSERT_TRUE(sink.reset());
    uint32_t samples = 1;
    EXPECT_TRUE(sink.position(samples));
    EXPECT_EQ(samples, 0u);
    EXPECT_TRUE(sink.close());
}

}  // namespace
}  // namespace velk
