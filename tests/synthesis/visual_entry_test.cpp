// velk_getWaveData, velk_getSpectrumData and velk_setSpectrumMode through the engine: nothing
// playing, bad arguments, and a playing song read at the device's position.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/temp_dir.h"
#include "velk.h"

namespace velk {
namespace {

class VisualData : public testing::Test {
  protected:
    void SetUp() override {
        // The null sink plays at 50 times real time; a run outside ctest gets it too.
        setenv("VELKARO_AUDIO", "null:50", 0);
        velk_init();
    }
    void TearDown() override { velk_free(); }

    // A 48 s song: the Layer II fixture's frames repeated.
    std::string writeLongSong() {
        const std::vector<uint8_t> frames =
            test::readFileBytes(std::string(VELK_TEST_DATA_DIR) + "/l2_joint128_48k.mp2");
        std::vector<uint8_t> song;
        for (int i = 0; i < 80; ++i) song.insert(song.end(), frames.begin(), frames.end());
        const std::string path = dir.file("song.mp2");
        test::writeFileBytes(path, song);
        return path;
    }

    test::TempDir dir;
    int32_t left[256];
    int32_t right[256];
};

TEST_F(VisualData, NothingPlayingGivesZeroAndZeroedArrays) {
    std::fill(left, left + 256, 7);
    std::fill(right, right + 256, 7);
    EXPECT_EQ(velk_getWaveData(left, right), 0);
    EXPECT_TRUE(std::all_of(left, left + 256, [](int32_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(right, right + 256, [](int32_t v) { return v == 0; }));
    std::fill(left, left + 256, 7);
    EXPECT_EQ(velk_getSpectrumData(left, right), 0);
    EXPECT_TRUE(std::all_of(left, left + 256, [](int32_t v) { return v == 0; }));
    EXPECT_EQ(velk_getWaveData(nullptr, right), 0);
    EXPECT_EQ(velk_getSpectrumData(left, nullptr), 0);
}

TEST_F(VisualData, APlayingSongGivesItsWaveAndSpectrum) {
    const std::string song = writeLongSong();
    InputInfo info{};
    ASSERT_EQ(velk_open(song.c_str(), &info), 1);
    ASSERT_EQ(velk_play(), 1);
    // The data exist once the device has played something; poll with a generous bound.
    int waveCount = 0;
    for (int i = 0; i < 5000 && waveCount == 0; ++i) {
        if (velk_getPlaySampleI64() > 4096) waveCount = velk_getWaveData(left, right);
        if (waveCount == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(waveCount, 256);
    EXPECT_TRUE(std::all_of(left, left + 256, [](int32_t v) { return v >= -100 && v <= 100; }));
    velk_pause();
    ASSERT_EQ(velk_getWaveData(left, right), 256);
    EXPECT_TRUE(std::any_of(left, left + 256, [](int32_t v) { return v != 0; }));
    for (int mode : {0, 1, 2, 3, 7}) {
        velk_setSpectrumMode(mode);
        ASSERT_EQ(velk_getSpectrumData(left, right), 512);
        EXPECT_GT(*std::max_element(left, left + 256), 20);
        EXPECT_LT(*std::max_element(right, right + 256), 130);
    }
    velk_setSpectrumMode(1);
    velk_stop();
    EXPECT_EQ(velk_getSpectrumData(left, right), 0);
}

}  // namespace
}  // namespace velk
