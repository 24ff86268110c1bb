// Opening files: where the audio starts, what is refused, and what the stream reports.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>

#include "engine.h"
#include "support/mpeg_frames.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk {
namespace {

using test::readFileBytes;
using test::writeFileBytes;

std::string fixture(const std::string& name) {
    return std::string(VELK_TEST_DATA_DIR) + "/" + name;
}

struct OpenTest : testing::Test {
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }
    test::TempDir dir;
};

TEST_F(OpenTest, MacBinaryPrefixMovesTheAudioTo128) {
    auto bytes = readFileBytes(fixture("cbr_mpeg1_l3.mp3"));
    std::vector<uint8_t> prefixed(128 + bytes.size(), 0);
    prefixed[1] = 'x';  // a name byte; bytes 0 and 74 stay zero
    std::copy(bytes.begin(), bytes.end(), prefixed.begin() + 128);
    const std::string path = dir.file("mac.mp3");
    writeFileBytes(path, prefixed);

    InputInfo plain{}, mac{};
    ASSERT_EQ(velk_open(fixture("cbr_mpeg1_l3.mp3").c_str(), &plain), 1);
    const int64_t plainStart = Engine::instance().file().dataStart;
    ASSERT_EQ(velk_open(path.c_str(), &mac), 1);
    EXPECT_EQ(Engine::instance().file().dataStart, plainStart + 128);
    EXPECT_EQ(mac.channels, plain.channels);
    EXPECT_EQ(mac.frequency, plain.frequency);
    EXPECT_EQ(mac.bitRate, plain.bitRate);
    MpegInfo info{};
    ASSERT_EQ(velk_getMpegInfoEx(&info), 1);
    EXPECT_EQ(info.fileSize, static_cast<int64_t>(prefixed.size()));
}

TEST_F(OpenTest, NoSyncInTheFirstWindowIsErrorTenAndLeavesNothingOpen) {
    std::vector<uint8_t> bytes(10240, 0x20);
    const auto frames = test::silentStream(test::HeaderFields{}, 20);
    bytes.insert(bytes.end(), frames.begin(), frames.end());
    const std::string path = dir.file("late.mp3");
    writeFileBytes(path, bytes);
    InputInfo info{};
    EXPECT_EQ(velk_open(path.c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 10);
    EXPECT_EQ(velk_close(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 2);
    // Four bytes earlier the sync starts at the last place the search looks at.
    bytes.erase(bytes.begin(), bytes.begin() + 4);
    writeFileBytes(path, bytes);
    EXPECT_EQ(velk_open(path.c_str(), &info), 1);
}

TEST_F(OpenTest, EmptyShortAndMissingFiles) {
    InputInfo info{};
    EXPECT_EQ(velk_open("", &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    EXPECT_EQ(velk_open(dir.file("absent.mp3").c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    for (size_t size : {size_t{0}, size_t{127}}) {
        const std::string path = dir.file("short.mp3");
        writeFileBytes(path, std::vector<uint8_t>(size, 0xFF));
        EXPECT_EQ(velk_open(path.c_str(), &info), 0) << size;
        EXPECT_EQ(velk_getLastErrorNo(), 3) << size;
    }
}

TEST_F(OpenTest, RandomBytesNeverCrashOpenOrPlay) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        std::vector<uint8_t> bytes(200 + random() % 20000);
        for (auto& b : bytes) b = static_cast<uint8_t>(random());
        // Sprinkle sync words so that some headers parse and the decoders see garbage frames.
        for (int i = 0; i < 30; ++i) {
            const size_t at = random() % (bytes.size() - 4);
            bytes[at] = 0xFF;
            bytes[at + 1] = static_cast<uint8_t>(0xE0 | (random() & 0x1F));
        }
        const std::string path = dir.file("noise.mp3");
        writeFileBytes(path, bytes);
        InputInfo info{};
        if (velk_open(path.c_str(), &info) != 1) {
            const int error = velk_getLastErrorNo();
            EXPECT_TRUE(error == 3 || error == 10 || error == 11 || error == 24) << error;
            continue;
        }
        EXPECT_GE(info.channels, 1);
        EXPECT_LE(info.channels, 2);
        if (velk_play() == 1) {
            for (int wait = 0; wait < 2000 && velk_getState(nullptr) != 0; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        velk_close();
    }
}

TEST_F(OpenTest, VbriHeaderGivesTheFrameCount) {
    auto first = test::silentFrame(test::HeaderFields{});
    const size_t tag = 36;
    std::memcpy(first.data() + tag, "VBRI", 4);
    test::putBe32(first, tag + 10, 417 * 100);
    test::putBe32(first, tag + 14, 100);
    test::putBe16(first, tag + 18, 9);
    test::putBe16(first, tag + 20, 1);
    test::putBe16(first, tag + 22, 2);
    test::putBe16(first, tag + 24, 10);
    const auto rest = test::silentStream(test::HeaderFields{}, 100);
    first.insert(first.end(), rest.begin(), rest.end());
    const std::string path = dir.file("vbri.mp3");
    writeFileBytes(path, first);
    InputInfo info{};
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_EQ(info.bitRate, 0);
    MpegInfo mpeg{};
    velk_getMpegInfoEx(&mpeg);
    EXPECT_EQ(mpeg.frames, 100);
    EXPECT_EQ(info.playTime, 100 * 1152 / 44100);
}

struct FixtureCase {
    const char* name;
    int channels, frequency, bitRate, layer, version, playTime;
    int64_t frames;
};

TEST_F(OpenTest, FixturesReportTheirStreams) {
    const FixtureCase cases[] = {
        {"cbr_mpeg1_l3.mp3", 2, 44100, 128, 3, 1, 2, 79},
        {"vbr_xing.mp3", 2, 44100, 0, 3, 1, 2, 78},
        {"mpeg2_l3.mp3", 1, 22050, 32, 3, 2, 2, 0},
        {"mpeg25_l3.mp3", 1, 11025, 16, 3, 3, 2, 0},
        {"l2_mpeg1.mp2", 2, 48000, 192, 2, 1, 2, 84},
        {"l2_mpeg2.mp2", 2, 24000, 64, 2, 2, 2, 42},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputInfo info{};
        ASSERT_EQ(velk_open(fixture(c.name).c_str(), &info), 1);
        MpegInfo mpeg{};
        ASSERT_EQ(velk_getMpegInfoEx(&mpeg), 1);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.bitRate, c.bitRate);
        EXPECT_EQ(mpeg.layer, c.layer);
        EXPECT_EQ(mpeg.version, c.version);
        EXPECT_NEAR(info.playTime, c.playTime, 1);
        if (c.frames > 0) {
            EXPECT_NEAR(mpeg.frames, c.frames, 2);
        }
    }
}

TEST_F(OpenTest, SyntheticStreamsOfEveryLayerAndVersion) {
    struct Case {
        test::HeaderFields header;
        int frequency, bitRate, samplesPerFrame;
    };
    const Case cases[] = {
        {{1, 1, 4, 0, 0, 0, false}, 44100, 128, 384}, {{2, 1, 4, 1, 0, 3, false}, 24000, 64, 384},
        {{3, 1, 4, 2, 0, 3, false}, 8000, 64, 384},   {{1, 2, 8, 2, 0, 0, false}, 32000, 128, 1152},
        {{2, 2, 8, 0, 0, 0, false}, 22050, 64, 1152}, {{3, 2, 8, 1, 0, 0, false}, 12000, 64, 1152},
        {{3, 3, 8, 0, 0, 3, false}, 11025, 64, 576},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "version " << c.header.version << " layer " << c.header.layer);
        const std::string path = dir.file("synthetic.mpg");
        writeFileBytes(path, test::silentStream(c.header, 300));
        InputInfo info{};
        ASSERT_EQ(velk_open(path.c_str(), &info), 1);
        MpegInfo mpeg{};
        velk_getMpegInfoEx(&mpeg);
        EXPECT_EQ(mpeg.layer, c.header.layer);
        EXPECT_EQ(mpeg.version, c.header.version);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.bitRate, c.bitRate);
        EXPECT_EQ(mpeg.frames, 300);
        EXPECT_EQ(info.playTime, 300 * c.samplesPerFrame / c.frequency);
    }
}

TEST_F(OpenTest, FrameWalkCountsTheLastSmallFramesButNotACutOne) {
    const test::HeaderFields tiny{3, 3, 1, 2, 0, 3, false};  // MPEG-2.5, 8 kbit/s, 8 kHz, 72 bytes
    ASSERT_EQ(test::frameBytes(tiny), 72);
    auto bytes = test::silentStream(tiny, 34);
    const std::string path = dir.file("tiny.mp3");
    writeFileBytes(path, bytes);
    velk_setFrameReadFlag(1);
    InputInfo info{};
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    MpegInfo mpeg{};
    velk_getMpegInfoEx(&mpeg);
    EXPECT_EQ(mpeg.frames, 34);
    bytes.resize(bytes.size() + 30, 0);
    std::copy_n(bytes.begin(), 4, bytes.end() - 30);  // a header whose frame the file cuts off
    writeFileBytes(path, bytes);
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    velk_getMpegInfoEx(&mpeg);
    EXPECT_EQ(mpeg.frames, 34);
    velk_setFrameReadFlag(0);
}

TEST_F(OpenTest, ComplianceStreamsOpenWithTheirStreamInformation) {
    const FixtureCase cases[] = {
        {"M2L3_compl24", 1, 24000, 128, 3, 2, 5, 212}, {"l1-fl1", 2, 32000, 384, 1, 1, 0, 49},
        {"l1-fl4", 1, 32000, 32, 1, 1, 0, 49},         {"l1-fl5", 2, 48000, 448, 1, 1, 0, 49},
        {"l2-fl10", 2, 32000, 192, 2, 1, 1, 49},       {"l2-fl13", 1, 32000, 32, 2, 1, 1, 49},
        {"l2-fl16", 2, 48000, 256, 2, 1, 1, 63},       {"l2-test32", 2, 24000, 128, 2, 2, 3, 63},
        {"l3-compl", 1, 48000, 64, 3, 1, 5, 216},      {"l3-hecommon", 2, 44100, 128, 3, 1, 0, 30},
        {"l3-si", 1, 44100, 64, 3, 1, 3, 118},         {"l3-he_mode", 1, 44100, 128, 3, 1, 3, 128},
    };
    if (test::vectorPath("l3-compl.bit").empty())
        GTEST_SKIP() << "compliance streams not found beside the project";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputInfo info{};
        ASSERT_EQ(velk_open(test::vectorPath(std::string(c.name) + ".bit").c_str(), &info), 1);
        MpegInfo mpeg{};
        velk_getMpegInfoEx(&mpeg);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.bitRate, c.bitRate);
        EXPECT_EQ(mpeg.layer, c.layer);
        EXPECT_EQ(mpeg.version, c.version);
        EXPECT_EQ(info.playTime, c.playTime);
        EXPECT_EQ(mpeg.frames, c.frames);
    }
    InputInfo info{};
    EXPECT_EQ(velk_open(test::vectorPath("l3-he_free.bit").c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 11);
}

}  // namespace
}  // namespace velk
