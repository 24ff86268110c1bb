// Layer I and II compliance streams against the reference decoder's output.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/stream_decode.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

class Layer12Vectors : public ::testing::TestWithParam<const char*> {};

TEST_P(Layer12Vectors, DecodeWithinAQuarterOfAnLsbOfTruncation) {
    const std::string stream = test::vectorPath(std::string(GetParam()) + ".bit");
    if (stream.empty() || !std::filesystem::exists(stream)) {
        GTEST_SKIP() << "compliance vectors not found (../shared/vectors)";
    }
    const std::string reference = test::vectorPath(std::string(GetParam()) + ".pcm");
    const test::DecodedStream decoded =
        test::decodeStream(test::readFileBytes(stream), DecodeOptions{0, 0, 24000});
    ASSERT_TRUE(decoded.initialised);
    const test::Difference d = test::compareSamples(
        test::samples16(decoded.pcm), test::samples16(test::readFileBytes(reference)));
    EXPECT_GT(d.compared, 10000u);
    EXPECT_LE(d.rms, 0.8) << GetParam();
    EXPECT_LE(d.largest, 2) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Streams, Layer12Vectors,
                         ::testing::Values("l1-fl1", "l1-fl2", "l1-fl3", "l1-fl4", "l1-fl5",
                                           "l1-fl6", "l1-fl7", "l1-fl8", "l2-fl10", "l2-fl11",
                                           "l2-fl12", "l2-fl13", "l2-fl14", "l2-fl15", "l2-fl16",
                                           "l2-test32"));

}  // namespace
}  // namespace velk
