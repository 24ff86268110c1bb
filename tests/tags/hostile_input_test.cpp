// Every reader and writer run over damaged copies of tagged files: flipped bytes in headers and
// size fields, and files cut short at every kind of boundary. Nothing may crash or read
// outside its buffers (run under the sanitizer build to see the latter); readers must give
// their failure values instead.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "tags/riff_scan.h"
#include "velk.h"

namespace velk::test {
namespace {

Bytes riffSample() {
    return riff("WAVE", formatChunk(0x55) + chunk("wflt", Bytes(12, 0)) +
                            chunk("data", id3v2(40) + mpegAudio(6)) +
                            infoList(infoText("INAM", "n") + infoText("ILYC", "[00:01]x"))) +
           lyrics3("[00:01]words") + id3v1("t");
}

Bytes plainSample() {
    return id3v2(30) + mpegAudio(6) + lyrics3("[00:02]la") + id3v1("p");
}

void exerciseReaders(const std::string& path) {
    velk_getFileType(path.c_str());
    Id3TagEx ex;
    velk_getFileTagV2(path.c_str(), &ex);
    auto riffTag = std::make_unique<RiffInfoTagEx>();
    velk_getFileRiffInfo(path.c_str(), riffTag.get());
    Id3Tag tag;
    MpegInfo info;
    RiffInfoTag shortTag;
    int32_t flags;
    FileTimes times;
    velk_getFileInfo3Ex(path.c_str(), &tag, &info, &shortTag, &flags, &times);
    velk_getSilentFrameCount(path.c_str());
    InputInfo input;
    if (velk_open(path.c_str(), &input)) velk_close();
}

void exerciseWriters(const std::string& path, const Bytes& bytes) {
    RiffInfoTag tag{};
    tag.field[VELK_RIFF_INAM][0] = 'w';
    Id3Tag id3{};
    const auto run = [&](auto operation) {
        writeFileBytes(path, bytes);
        operation();
    };
    run([&] { velk_setFileRiffInfoShort(path.c_str(), &tag); });
    run([&] { velk_writeTag(path.c_str(), &id3, 0, 1); });
    run([&] { velk_convertToRiff(path.c_str()); });
    run([&] { velk_convertRiffToMpeg(path.c_str()); });
    run([&] { velk_removeId3v2(path.c_str()); });
    run([&] { velk_removeMacBinary(path.c_str()); });
}

class HostileInputTest : public ::testing::TestWithParam<Bytes (*)()> {
  protected:
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }
    TempDir dir;
};

TEST_P(HostileInputTest, FlippedBytesNeverCrash) {
    const Bytes sample = GetParam()();
    std::mt19937 random(1234);
    const std::string path = dir.file("damaged.bin");
    for (int round = 0; round < 150; ++round) {
        Bytes damaged = sample;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            // Mostly the headers and size fields at both ends, where the parsing happens.
            const size_t span = std::min<size_t>(damaged.size(), 200);
            const size_t at =
                (random() & 1) ? random() % span : damaged.size() - 1 - random() % span;
            damaged[at] = static_cast<uint8_t>(random());
        }
        writeFileBytes(path, damaged);
        exerciseReaders(path);
        if (round % 10 == 0) exerciseWriters(path, damaged);
    }
}

TEST_P(HostileInputTest, TruncatedFilesNeverCrash) {
    const Bytes sample = GetParam()();
    const std::string path = dir.file("cut.bin");
    for (size_t length = 0; length < sample.size(); length += 1 + length / 8) {
        const Bytes cut(sample.begin(), sample.begin() + static_cast<long>(length));
        writeFileBytes(path, cut);
        exerciseReaders(path);
        if (length % 7 == 0) exerciseWriters(path, cut);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, HostileInputTest, ::testing::Values(riffSample, plainSample));

// Inputs the fuzz targets (fuzz/) found faults with, each in a buffer of exactly its size so that
// the sanitizer build sees any read past it.

TEST(FuzzFoundTest, WaveFormatOfAShortBodyReadsNothingPastIt) {
    const Bytes one{0x01};
    const WaveFormat format = parseWaveFormat(one.data(), one.size());
    EXPECT_EQ(format.formatTag, 0);
    EXPECT_EQ(format.bitsPerSample, 0);
    const Bytes pcm = tail(formatChunk(1), 8);
    EXPECT_EQ(parseWaveFormat(pcm.data(), 16).formatTag, 1);
    EXPECT_EQ(parseWaveFormat(pcm.data(), 15).formatTag, 0);
}

}  // namespace
}  // namespace velk::test
