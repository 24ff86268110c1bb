// Starting, running, stopping and refusing conversions; what the output holds.
#include <chrono>
#include <filesystem>
#include <thread>

#include "acm/acm_fixture.h"
#include "output/lame_loader.h"
#include "velk.h"

namespace velk::test {
namespace {

using AcmEncodeTest = AcmTest;

const WaveFormat kStereo{};

bool opens(const std::string& path) {
    int32_t info[4] = {};
    return velk_acmOpen(path.c_str(), info) == 1;
}

// MPEG-1 Layer III frames start with 0xFFFB (no CRC) or 0xFFFA.
bool startsWithLayer3Frame(const Bytes& bytes) {
    return bytes.size() > 4 && bytes[0] == 0xFF && (bytes[1] & 0xFE) == 0xFA;
}

TEST_F(AcmEncodeTest, EncodeWithoutSourceIsError7) {
    EXPECT_EQ(velk_acmEncode(dir.file("out.mp3").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 7);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.mp3")));
}

TEST_F(AcmEncodeTest, EmptyOrUncreatableOutputIsError1AndClosesTheSource) {
    const auto source = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 0.1)));
    for (const std::string& output : {std::string(), dir.file("no/such/folder/out.mp3")}) {
        SCOPED_TRACE(output);
        ASSERT_TRUE(opens(source));
        EXPECT_EQ(velk_acmEncode(output.c_str()), 0);
        EXPECT_EQ(velk_getLastErrorNo(), 1);
        EXPECT_EQ(velk_acmEncode(dir.file("x.mp3").c_str()), 0);  // the source is gone
        EXPECT_EQ(velk_getLastErrorNo(), 7);
    }
}

TEST_F(AcmEncodeTest, MissingLibraryIsError30) {
    setLameLibraryName("libmp3lame-velkaro-missing.so.0");
    const auto source = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 0.1)));
    ASSERT_TRUE(opens(source));
    EXPECT_EQ(velk_acmEncode(dir.file("out.mp3").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 30);
    EXPECT_EQ(velk_acmGetStatus(nullptr, nullptr), 0);
    EXPECT_TRUE(opens(source));  // nothing stayed open
}

TEST_F(AcmEncodeTest, LibraryWithoutTheEncoderIsError30) {
    setLameLibraryName("libm.so.6");
    const auto source = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 0.1)));
    ASSERT_TRUE(opens(source));
    EXPECT_EQ(velk_acmEncode(dir.file("out.mp3").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 30);
}

struct Unencodable {
    const char* name;
    WaveFormat format;
};

TEST_F(AcmEncodeTest, FormatsWithoutLayer3DestinationAreError32) {
    const Unencodable cases[] = {
        {"96 kHz", {1, 2, 96000, 16}},      {"8-bit", {1, 2, 44100, 8}},
        {"24-bit", {1, 2, 44100, 24}},      {"three channels", {1, 3, 44100, 16}},
        {"no channels", {1, 0, 44100, 16}}, {"rate 0", {1, 2, 0, 16}},
        {"IEEE float", {3, 2, 44100, 32}},  {"rate 44101", {1, 1, 44101, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = writeSource("a.wav", waveFile(c.format, Bytes(4800, 0)));
        ASSERT_TRUE(opens(source));
        EXPECT_EQ(velk_acmEncode(dir.file("out.mp3").c_str()), 0);
        EXPECT_EQ(velk_getLastErrorNo(), 32);
        EXPECT_EQ(velk_acmGetStatus(nullptr, nullptr), 0);
        EXPECT_TRUE(opens(source));
        velk_free();
        velk_init();
    }
}

TEST_F(AcmEncodeTest, AfterTheThreadEndsStatusIsZeroWithZeroCounters) {
    const auto source = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 1.0)));
    ASSERT_TRUE(convert(source, dir.file("out.mp3")));
    int32_t read = -1, written = -1;
    EXPECT_EQ(velk_acmGetStatus(&read, &written), 0);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(written, 0);
    const Bytes out = readFileBytes(dir.file("out.mp3"));
    EXPECT_TRUE(startsWithLayer3Frame(out));
    EXPECT_EQ(velk_acmStop(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 15);
}

TEST_F(AcmEncodeTest, StopWithoutConversionIsError15) {
    EXPECT_EQ(velk_acmStop(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 15);
}

// A long source keeps the thread busy far longer than the calls below take.
class RunningConversion : public AcmTest {
  protected:
    void SetUp() override {
        AcmTest::SetUp();
        source = writeSource("long.wav", waveFile(kStereo, tone(2, 44100, 60.0)));
        ASSERT_TRUE(opens(source));
        ASSERT_EQ(velk_acmEncode(dir.file("long.mp3").c_str()), 1);
    }
    std::string source;
};

TEST_F(RunningConversion, RefusesASecondOpenAndEncode) {
    EXPECT_EQ(velk_acmGetStatus(nullptr, nullptr), 1);
    EXPECT_FALSE(opens(source));
    EXPECT_EQ(velk_getLastErrorNo(), 7);
    EXPECT_EQ(velk_acmEncode(dir.file("other.mp3").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 7);
    EXPECT_FALSE(std::filesystem::exists(dir.file("other.mp3")));
    velk_acmStop();
    waitForEnd();
    EXPECT_TRUE(opens(source));  // idle again
}

TEST_F(RunningConversion, StopEndsAfterTheCurrentPassWithAPartialOutput) {
    EXPECT_EQ(velk_acmStop(), 1);
    waitForEnd();
    const auto written = std::filesystem::file_size(dir.file("long.mp3"));
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, 60u * 16000);  // far less than a minute at 128 kbit/s
    EXPECT_EQ(velk_acmStop(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 15);
}

TEST_F(RunningConversion, FreeStopsTheThreadAndClosesTheFiles) {
    velk_free();
    EXPECT_EQ(velk_acmGetStatus(nullptr, nullptr), 0);
    velk_init();
    EXPECT_TRUE(opens(source));
}

TEST_F(RunningConversion, CountersGrowWhileRunning) {
    int32_t read = 0, written = 0;
    while (velk_acmGetStatus(&read, &written) && written == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GT(read, 0);
    EXPECT_LE(read, static_cast<int32_t>(60 * 44100 * 4));
    velk_acmStop();
}

TEST_F(AcmEncodeTest, ZeroBytesOfDataEndsCleanly) {
    const auto source = writeSource("empty.wav", waveFile(kStereo, {}));
    ASSERT_TRUE(convert(source, dir.file("out.mp3")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.mp3")));
    EXPECT_EQ(velk_acmGetStatus(nullptr, nullptr), 0);
}

TEST_F(AcmEncodeTest, ChunksAfterDataAreNotEncoded) {
    const Bytes pcm = tone(2, 44100, 0.5);
    const auto plain = writeSource("plain.wav", waveFile(kStereo, pcm));
    const auto tagged =
        writeSource("tagged.wav", waveFile(kStereo, pcm) + chunk("LIST", Bytes(5000, 0x5A)));
    ASSERT_TRUE(convert(plain, dir.file("plain.mp3")));
    ASSERT_TRUE(convert(tagged, dir.file("tagged.mp3")));
    EXPECT_EQ(readFileBytes(dir.file("plain.mp3")), readFileBytes(dir.file("tagged.mp3")));
}

TEST_F(AcmEncodeTest, TruncatedDataEncodesWhatIsThere) {
    const Bytes pcm = tone(2, 44100, 0.5);
    const Bytes whole = waveFile(kStereo, pcm);
    // The data chunk claims a second more than the file holds; the cut lands mid-sample.
    Bytes cut = riffWave(formatChunk(kStereo) + chunk("data", Bytes(), pcm.size() + 176400)) + pcm;
    cut.push_back(0x11);
    const auto exact = writeSource("exact.wav", whole);
    const auto truncated = writeSource("cut.wav", cut);
    ASSERT_TRUE(convert(exact, dir.file("exact.mp3")));
    ASSERT_TRUE(convert(truncated, dir.file("cut.mp3")));
    EXPECT_EQ(readFileBytes(dir.file("exact.mp3")), readFileBytes(dir.file("cut.mp3")));
}

TEST_F(AcmEncodeTest, BitRateOutsideTheRangeIsError18) {
    EXPECT_EQ(velk_acmSetBitrate(7), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    EXPECT_EQ(velk_acmSetBitrate(321), 0);
    EXPECT_EQ(velk_acmSetBitrate(-1), 0);
    EXPECT_EQ(velk_acmSetBitrate(8), 1);
    EXPECT_EQ(velk_acmSetBitrate(320), 1);
    EXPECT_EQ(velk_acmSetBitrate(0), 1);
}

TEST_F(AcmEncodeTest, ChosenBitRateReachesTheFrames) {
    const auto source = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 0.5)));
    for (int kbps : {64, 192}) {
        SCOPED_TRACE(kbps);
        ASSERT_EQ(velk_acmSetBitrate(kbps), 1);
        const auto output = dir.file("out" + std::to_string(kbps) + ".mp3");
        ASSERT_TRUE(convert(source, output));
        Id3Tag tag{};
        MpegInfo info{};
        ASSERT_EQ(velk_getFileInfoEx(output.c_str(), &tag, &info), 1);
        EXPECT_EQ(info.bitRate, kbps);
    }
}

TEST_F(AcmEncodeTest, BitRateBeyondWhatTheRateCarriesKeepsTheSourceRate) {
    // MPEG-2.5 at 8 kHz goes up to 160 kbit/s: the encoder takes its nearest rate instead.
    ASSERT_EQ(velk_acmSetBitrate(320), 1);
    const auto source = writeSource("a.wav", waveFile({1, 1, 8000, 16}, tone(1, 8000, 0.5)));
    const auto output = dir.file("out.mp3");
    ASSERT_TRUE(convert(source, output));
    Id3Tag tag{};
    MpegInfo info{};
    ASSERT_EQ(velk_getFileInfoEx(output.c_str(), &tag, &info), 1);
    EXPECT_EQ(info.frequency, 8000);
    EXPECT_EQ(info.channels, 1);
    EXPECT_LE(info.bitRate, 160);
}

}  // namespace
}  // namespace velk::test
