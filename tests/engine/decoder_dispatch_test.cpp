// The decoder's dispatch: muting, re-selection after a seek, and headers of another layer.
#include <gtest/gtest.h>

#include "decoder/decoder.h"
#include "support/mpeg_frames.h"

namespace velk {
namespace {

TEST(DecoderDispatch, MutedFramesAreMeasuredButWriteNothing) {
    const auto stream = test::silentStream(test::HeaderFields{}, 4);
    Decoder decoder;
    ASSERT_TRUE(decoder.decodeInit(stream.data(), stream.size()));
    std::vector<uint8_t> out(static_cast<size_t>(decoder.outputSize()), 0xAB);
    FrameDecodeRequest request;
    request.inputBuf = stream.data();
    request.inputSize = static_cast<int32_t>(stream.size());
    request.outputBuf = out.data();
    decoder.muteFrameDecoder();
    ASSERT_TRUE(decoder.decodeFrame(request));
    EXPECT_EQ(request.inputSize, 417);
    EXPECT_EQ(request.outputSize, 4608);
    EXPECT_EQ(out[100], 0xAB);
    decoder.selectFrameDecoder(request.header);
    request.inputSize = static_cast<int32_t>(stream.size());
    ASSERT_TRUE(decoder.decodeFrame(request));
    EXPECT_EQ(out[100], 0);
}

TEST(DecoderDispatch, AHeaderOfAnotherLayerKeepsTheRoutineThatWasSetUp) {
    const auto layer3 = test::silentStream(test::HeaderFields{}, 4);
    Decoder decoder;
    ASSERT_TRUE(decoder.decodeInit(layer3.data(), layer3.size()));
    std::vector<uint8_t> out(static_cast<size_t>(decoder.outputSize()));
    FrameHeader layer2{};
    const auto bytes = test::headerBytes({1, 2, 10, 1, 0, 0, false});
    ASSERT_TRUE(decoder.parseFrameHeader(bytes.data(), layer2));
    decoder.selectFrameDecoder(layer2);
    FrameDecodeRequest request;
    request.inputBuf = layer3.data();
    request.inputSize = static_cast<int32_t>(layer3.size());
    request.outputBuf = out.data();
    EXPECT_TRUE(decoder.decodeFrame(request));
    EXPECT_EQ(request.outputSize, 4608);
}

}  // namespace
}  // namespace velk
