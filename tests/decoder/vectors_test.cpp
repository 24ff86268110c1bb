// Every compliance stream of ../shared/vectors against the reference decoder's output, for all
// three layers. Truncation toward zero puts a correct decoder about 0.7 LSB RMS and 1 LSB at
// most from the rounded references.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "decoder/decoder.h"
#include "support/stream_decode.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

struct VectorCase {
    const char* name;
    // Samples compared from the start, 0 for the common length. The lower-rate stream's last
    // frames code lines above long band boundary 21, which the band limit leaves out.
    size_t samples;
    // l3-si_huff codes signal in subband 31, which the full-rate band limit never decodes.
    int largest;
};

void PrintTo(const VectorCase& c, std::ostream* os) {
    *os << c.name;
}

std::string vectorFile(const std::string& name, const char* extension) {
    return test::vectorPath(name + extension);
}

bool allZero(const std::vector<uint8_t>& pcm) {
    return std::all_of(pcm.begin(), pcm.end(), [](uint8_t b) { return b == 0; });
}

class ComplianceVectors : public ::testing::TestWithParam<VectorCase> {};

TEST_P(ComplianceVectors, MatchTheReferenceWithinTruncation) {
    const VectorCase& c = GetParam();
    const std::string stream = vectorFile(c.name, ".bit");
    if (stream.empty()) GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    const test::DecodedStream decoded =
        test::decodeStream(test::readFileBytes(stream), DecodeOptions{0, 0, 24000});
    ASSERT_TRUE(decoded.initialised) << c.name;
    if (allZero(decoded.pcm)) GTEST_SKIP() << c.name << ": this layer's decoder is not in place";
    std::vector<int16_t> ours = test::samples16(decoded.pcm);
    std::vector<int16_t> reference =
        test::samples16(test::readFileBytes(vectorFile(c.name, ".pcm")));
    if (c.samples) {
        ours.resize(std::min(ours.size(), c.samples));
        reference.resize(std::min(reference.size(), c.samples));
    }
    const test::Difference d = test::compareSamples(ours, reference);
    EXPECT_GT(d.compared, 10000u) << c.name;
    EXPECT_LE(d.rms, 0.8) << c.name;
    EXPECT_LE(d.largest, c.largest) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ComplianceVectors,
    ::testing::Values(
        VectorCase{"l1-fl1", 0, 2}, VectorCase{"l1-fl2", 0, 2}, VectorCase{"l1-fl3", 0, 2},
        VectorCase{"l1-fl4", 0, 2}, VectorCase{"l1-fl5", 0, 2}, VectorCase{"l1-fl6", 0, 2},
        VectorCase{"l1-fl7", 0, 2}, VectorCase{"l1-fl8", 0, 2}, VectorCase{"l2-fl10", 0, 2},
        VectorCase{"l2-fl11", 0, 2}, VectorCase{"l2-fl12", 0, 2}, VectorCase{"l2-fl13", 0, 2},
        VectorCase{"l2-fl14", 0, 2}, VectorCase{"l2-fl15", 0, 2}, VectorCase{"l2-fl16", 0, 2},
        VectorCase{"l2-test32", 0, 2}, VectorCase{"l3-compl", 0, 2},
        VectorCase{"l3-he_32khz", 0, 2}, VectorCase{"l3-he_44khz", 0, 2},
        VectorCase{"l3-he_48khz", 0, 2}, VectorCase{"l3-hecommon", 0, 2}, VectorCase{"l3-si", 0, 2},
        VectorCase{"l3-si_block", 0, 2}, VectorCase{"l3-si_huff", 0, 4},
        VectorCase{"M2L3_compl24", 209 * 576, 2}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(ComplianceVectors, FreeFormatIsRefusedCleanly) {
    const std::string stream = vectorFile("l3-he_free", ".bit");
    if (stream.empty()) GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    const std::vector<uint8_t> bytes = test::readFileBytes(stream);
    Decoder decoder;
    EXPECT_FALSE(decoder.decodeInit(bytes.data(), bytes.size()));
    EXPECT_EQ(decoder.error(), kDecBadField);
    const test::DecodedStream decoded = test::decodeStream(bytes, DecodeOptions{0, 0, 24000});
    EXPECT_FALSE(decoded.initialised);
    EXPECT_TRUE(decoded.pcm.empty());
}

// l3-he_mode changes its channel mode every ten frames: single channel, dual channel, stereo,
// then joint stereo with every mid/side and intensity combination, then single channel again.
// The reference writes single-channel frames as one channel.
constexpr size_t kHeModeMonoFrames = 10;
constexpr size_t kHeModeFirstStereo = 20;
constexpr size_t kHeModeLastJoint = 109;

std::vector<size_t> frameOffsets(Decoder& decoder, const std::vector<uint8_t>& bytes) {
    std::vector<size_t> offsets;
    size_t at = 0;
    FrameHeader h;
    while (at + 4 <= bytes.size() && decoder.parseFrameHeader(bytes.data() + at, h)) {
        offsets.push_back(at);
        at += static_cast<size_t>(frameLength(h, bitrateKbps(h) * 1000, sampleRateHz(h)));
    }
    return offsets;
}

TEST(ComplianceVectors, ModeChangesDecodeWithoutAFault) {
    const std::string stream = vectorFile("l3-he_mode", ".bit");
    if (stream.empty()) GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    const std::vector<uint8_t> bytes = test::readFileBytes(stream);
    const test::DecodedStream whole = test::decodeStream(bytes, DecodeOptions{0, 0, 24000});
    ASSERT_TRUE(whole.initialised);
    Decoder walker;
    const std::vector<size_t> offsets = frameOffsets(walker, bytes);
    ASSERT_GT(offsets.size(), kHeModeLastJoint);
    EXPECT_EQ(static_cast<size_t>(whole.frames), offsets.size());
    EXPECT_EQ(whole.channels, 1);  // fixed by the single-channel first frame
    EXPECT_EQ(whole.pcm.size(), offsets.size() * 1152 * 2);
}

TEST(ComplianceVectors, JointStereoFramesOfTheModeStreamMatchTheReference) {
    const std::string stream = vectorFile("l3-he_mode", ".bit");
    if (stream.empty()) GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    const std::vector<uint8_t> bytes = test::readFileBytes(stream);
    Decoder walker;
    const std::vector<size_t> offsets = frameOffsets(walker, bytes);
    ASSERT_GT(offsets.size(), kHeModeLastJoint);
    // Starting at the first stereo frame gives two output channels; its first frames lack
    // reservoir data and overlap, so the comparison starts three frames later.
    const std::vector<uint8_t> tail(bytes.begin() + static_cast<long>(offsets[kHeModeFirstStereo]),
                                    bytes.end());
    const test::DecodedStream decoded = test::decodeStream(tail, DecodeOptions{0, 0, 24000});
    ASSERT_TRUE(decoded.initialised);
    ASSERT_EQ(decoded.channels, 2);
    const std::vector<int16_t> ours = test::samples16(decoded.pcm);
    const std::vector<int16_t> reference =
        test::samples16(test::readFileBytes(vectorFile("l3-he_mode", ".pcm")));
    constexpr size_t kStereoFrame = 2304;
    const size_t referenceStart = kHeModeMonoFrames * 1152 + 13 * kStereoFrame;
    const size_t count = (kHeModeLastJoint - kHeModeFirstStereo - 3) * kStereoFrame;
    ASSERT_GE(ours.size(), 3 * kStereoFrame + count);
    ASSERT_GE(reference.size(), referenceStart + count);
    const std::vector<int16_t> a(ours.begin() + 3 * kStereoFrame,
                                 ours.begin() + 3 * kStereoFrame + static_cast<long>(count));
    const std::vector<int16_t> b(reference.begin() + static_cast<long>(referenceStart),
                                 reference.begin() + static_cast<long>(referenceStart + count));
    const test::Difference d = test::compareSamples(a, b);
    EXPECT_LE(d.rms, 0.8);
    EXPECT_LE(d.largest, 2);
}

}  // namespace
}  // namespace velk
