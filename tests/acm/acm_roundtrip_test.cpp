// Encode, then open and decode the output with the engine's own decoder: the stream must carry
// the source's channels and rate, its length and its signal.
#include <algorithm>
#include <cmath>

#include "acm/acm_fixture.h"
#include "decoder/decoder.h"
#include "velk.h"

namespace velk::test {
namespace {

// The encoder's start delay: its 576-sample look-ahead plus the 529 samples of the
// filterbank's own delay.
constexpr int kEncoderDelay = 576 + 529;

// Decodes every frame of an MPEG audio file into interleaved 16-bit samples.
std::vector<int16_t> decodeFile(const std::string& path) {
    const Bytes bytes = readFileBytes(path);
    Decoder decoder;
    size_t at = 0;
    if (!decoder.findFrameSync(bytes.data(), bytes.size(), at)) return {};
    if (!decoder.decodeInit(bytes.data() + at, bytes.size() - at)) return {};
    std::vector<uint8_t> frame(static_cast<size_t>(decoder.outputSize()));
    Bytes pcm;
    while (at < bytes.size()) {
        FrameDecodeRequest request;
        request.inputBuf = bytes.data() + at;
        request.inputSize = static_cast<int32_t>(bytes.size() - at);
        request.outputBuf = frame.data();
        if (!decoder.decodeFrame(request) || request.inputSize <= 0) break;
        pcm.insert(pcm.end(), frame.begin(), frame.begin() + request.outputSize);
        at += static_cast<size_t>(request.inputSize);
    }
    return samplesOf(pcm);
}

// Normalised cross-correlation of one channel of `source` with `decoded` shifted by `lag`.
double correlation(const std::vector<int16_t>& source, const std::vector<int16_t>& decoded,
                   int channels, int channel, int lag, size_t frames) {
    double sd = 0, ss = 0, dd = 0;
    for (size_t i = 0; i < frames; ++i) {
        const size_t s = i * channels + channel;
        const size_t d = (i + lag) * channels + channel;
        if (d >= decoded.size() || s >= source.size()) break;
        sd += static_cast<double>(source[s]) * decoded[d];
        ss += static_cast<double>(source[s]) * source[s];
        dd += static_cast<double>(decoded[d]) * decoded[d];
    }
    return (ss > 0 && dd > 0) ? sd / std::sqrt(ss * dd) : 0.0;
}

// The best correlation over the lags an encoder delay can take.
double bestCorrelation(const std::vector<int16_t>& source, const std::vector<int16_t>& decoded,
                       int channels, int channel, int rate) {
    const auto frames = static_cast<size_t>(rate / 4);  // a quarter second from the start
    double best = 0;
    for (int lag = 0; lag <= 2 * kEncoderDelay; ++lag) {
        best = std::max(best, correlation(source, decoded, channels, channel, lag, frames));
    }
    return best;
}

struct RoundTrip {
    int channels;
    int rate;
    int samplesPerFrame;  // 1152 for MPEG-1, 576 for MPEG-2 and 2.5
};

class AcmRoundTripTest : public AcmTest, public testing::WithParamInterface<RoundTrip> {};

TEST_P(AcmRoundTripTest, OutputPlaysBackAsTheSource) {
    const RoundTrip p = GetParam();
    const double seconds = 2.3;
    const Bytes pcm = tone(p.channels, p.rate, seconds);
    const auto source = writeSource(
        "src.wav",
        waveFile({1, static_cast<uint16_t>(p.channels), static_cast<uint32_t>(p.rate), 16}, pcm));
    const auto output = dir.file("out.mp3");
    ASSERT_TRUE(convert(source, output));

    InputInfo in{};
    ASSERT_EQ(velk_open(output.c_str(), &in), 1) << velk_getLastErrorNo();
    EXPECT_EQ(in.channels, p.channels);
    EXPECT_EQ(in.frequency, p.rate);
    MpegInfo mpeg{};
    ASSERT_EQ(velk_getMpegInfoEx(&mpeg), 1);
    EXPECT_EQ(mpeg.layer, 3);
    velk_close();

    const std::vector<int16_t> decoded = decodeFile(output);
    const std::vector<int16_t> original = samplesOf(pcm);
    const auto sourceSamples = static_cast<int64_t>(original.size()) / p.channels;
    const auto decodedSamples = static_cast<int64_t>(decoded.size()) / p.channels;
    // The stream holds the source after the encoder's delay; the encoder pads the end by less
    // than 1152 samples to finish its last frame.
    EXPECT_GE(decodedSamples, sourceSamples + kEncoderDelay);
    EXPECT_LT(decodedSamples, sourceSamples + kEncoderDelay + 1152);
    // The engine's own length, from the size of the stream, is right to within one frame.
    EXPECT_NEAR(static_cast<double>(mpeg.frames * p.samplesPerFrame),
                static_cast<double>(decodedSamples), p.samplesPerFrame);
    for (int c = 0; c < p.channels; ++c) {
        EXPECT_GT(bestCorrelation(original, decoded, p.channels, c, p.rate), 0.9)
            << "channel " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, AcmRoundTripTest,
                         testing::Values(RoundTrip{2, 44100, 1152}, RoundTrip{1, 48000, 1152},
                                         RoundTrip{2, 22050, 576}, RoundTrip{1, 16000, 576},
                                         RoundTrip{1, 8000, 576}, RoundTrip{2, 11025, 576}),
                         [](const auto& info) {
                             return std::to_string(info.param.channels) + "ch" +
                                    std::to_string(info.param.rate);
                         });

}  // namespace
}  // namespace velk::test
