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

std::string vectorFile(const std::string& name, const char* extension) {
    return test::vectorPath(name + extension);
}

bool allZero(const std::vector<uint8_t>& pcm) {
    return std::all_of(pcm.begin(), pcm.end(), [](uint8_t b) { return b == 0; });
}

class ComplianceVectors : public ::testing::TestWithParam<const char*> {};

TEST_P(ComplianceVectors, MatchTheReferenceWithinTruncation) {
    const std::string name = GetParam();
    const std::string stream = vectorFile(name, ".bit");
    if (stream.empty()) GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    const test::DecodedStream decoded =
        test::decodeStream(test::readFileBytes(stream), DecodeOptions{0, 0, 24000});
    ASSERT_TRUE(decoded.initialised) << name;
    if (allZero(decoded.pcm)) GTEST_SKIP() << name << ": this layer's decoder is not in place";
    const std::vector<int16_t> ours = test::samples16(decoded.pcm);
    const std::vector<int16_t> reference =
        test::samples16(test::readFileBytes(vectorFile(name, ".pcm")));
    const test::Difference d = test::compareSamples(ours, reference);
    EXPECT_GT(d.compared, 10000u) << name;
    EXPECT_LE(d.rms, 0.8) << name;
    EXPECT_LE(d.largest, 2) << name;
}

INSTANTIATE_TEST_SUITE_P(Streams, ComplianceVectors,
                         ::testing::Values("l1-fl1", "l1-fl2", "l1-fl3", "l1-fl4", "l1-fl5",
                                           "l1-fl6", "l1-fl7", "l1-fl8", "l2-fl10", "l2-fl11",
                                           "l2-fl12", "l2-fl13", "l2-fl14", "l2-fl15", "l2-fl16",
                                           "l2-test32", "l3-compl", "l3-he_32khz", "l3-he_44khz",
                                           "l3-he_48khz", "l3-hecommon", "l3-si", "l3-si_block",
                                           "l3-si_huff", "M2L3_compl24"),
                         [](const auto& info) {
                             std::string name = info.param;
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
