// Waveform and spectrum data follow the playing device and are silent while stopped.
#include "playback_fixture.h"

namespace velk::test {
namespace {

using VisualData = PlaybackTest;

constexpr int kValues = 256;  // two buffers of 1024 bytes

bool anyNonZero(const int32_t* values) {
    for (int i = 0; i < kValues; ++i) {
        if (values[i] != 0) return true;
    }
    return false;
}

TEST_F(VisualData, ZeroWhileStoppedAndFilledWhilePlaying) {
    int32_t left[kValues], right[kValues];
    std::fill(left, left + kValues, 7);
    EXPECT_EQ(velk_getWaveData(left, right), 0);
    EXPECT_FALSE(anyNonZero(left));

    const std::string demo = std::string(VELK_TEST_DATA_DIR) + "/demo.mp3";
    InputInfo info{};
    ASSERT_EQ(velk_open(demo.c_str(), &info), 1);
    ASSERT_EQ(velk_play(), 1);
    velk_seek(3);
    velk_pause();
    velk_restart();
    bool waveSeen = false, spectrumSeen = false;
    for (int mode : {0, 1, 2, 3}) {
        velk_setSpectrumMode(mode);
        ASSERT_TRUE(waitFor([&] {
            if (velk_getState(nullptr) == 0) return true;
            waveSeen |= velk_getWaveData(left, right) != 0 && anyNonZero(left);
            spectrumSeen |= velk_getSpectrumData(left, right) != 0 && anyNonZero(left);
            return waveSeen && spectrumSeen;
        }));
    }
    EXPECT_TRUE(waveSeen);
    EXPECT_TRUE(spectrumSeen);
    velk_stop();
    EXPECT_EQ(velk_getSpectrumData(left, right), 0);
    EXPECT_FALSE(anyNonZero(right));
}

}  // namespace
}  // namespace velk::test
