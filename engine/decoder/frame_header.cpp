#include "decoder/frame_header.h"

#include <cmath>

namespace velk {
namespace {

// kbit/s by [row][bitrateIndex]; rows: MPEG-1 L1, L2, L3, then lower-rate L1, L2/L3.
constexpr int kBitrates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};

constexpr int kSampleRates[3][3] = {
    {44100, 48000, 32000},
    {22050, 24000, 16000},
    {11025, 12000, 8000},
};

// Stored at single precision, as the seek arithmetic expects.
constexpr double kFrameMs[2][3] = {
    {static_cast<float>(8.707483), 8.0, 12.0},
    {static_cast<float>(26.122450), 24.0, 36.0},
};
// Rounded to four decimals: the figures the frame play time has always been computed with.
constexpr double kReportedFrameMs[2][3] = {{8.7075, 8.0, 12.0}, {26.1224, 24.0, 36.0}};

constexpr int kMpeg1FrameSamples = 1152;

}  // namespace

int parseFrameHeader(const uint8_t* b, FrameHeader& out) {
    if (b[0] != 0xFF) return kDecNoHeader;
    const uint32_t topNibble = b[1] >> 4;
    uint32_t version;
    if (topNibble == 0xF) {
        version = (b[1] & 0x08) ? 1 : 2;
    } else if (topNibble == 0xE) {
        version = 3;
    } else {
        return kDecNoHeader;
    }
    const uint32_t layerBits = (b[1] >> 1) & 3;
    const uint32_t bitrateIndex = b[2] >> 4;
    const uint32_t rateIndex = (b[2] >> 2) & 3;
    if (rateIndex == 3 || bitrateIndex == 0 || bitrateIndex == 15 || layerBits == 0) {
        return kDecBadField;
    }
    out.version = version;
    out.layer = 4 - layerBits;
    out.errorProtection = (b[1] & 1) ? 0 : 1;
    out.bitrateIndex = bitrateIndex;
    out.samplingFrequencyIndex = rateIndex;
    out.padding = (b[2] >> 1) & 1;
    out.extension = b[2] & 1;
    out.mode = b[3] >> 6;
    out.modeExtension = (b[3] >> 4) & 3;
    out.rightsFlag = (b[3] >> 3) & 1;
    out.homeFlag = (b[3] >> 2) & 1;
    out.emphasis = b[3] & 3;
    return kDecOk;
}

int bitrateKbps(uint32_t version, uint32_t layer, uint32_t bitrateIndex) {
    if (layer < 1 || layer > 3 || bitrateIndex > 15 || version < 1 || version > 3) return 0;
    int row;
    if (version == 1) {
        row = static_cast<int>(layer) - 1;
    } else {
        row = layer == 1 ? 3 : 4;
    }
    return kBitrates[row][bitrateIndex];
}

int sampleRateHz(uint32_t version, uint32_t samplingFrequencyIndex) {
    if (version < 1 || version > 3 || samplingFrequencyIndex > 2) return 0;
    return kSampleRates[version - 1][samplingFrequencyIndex];
}

int samplesPerFrame(const FrameHeader& h) {
    if (h.layer == 1) return kMpeg1FrameSamples / 3;
    if (h.layer == 3 && h.version != 1) return kMpeg1FrameSamples / 2;
    return kMpeg1FrameSamples;
}

int layer3SideInfoBytes(uint32_t version, int channels) {
    if (version == 1) return channels == 1 ? 17 : 32;
    return channels == 1 ? 9 : 17;
}

int frameLength(const FrameHeader& h, int bitsPerSecond, int rate) {
    if (rate <= 0) return 0;
    const int64_t br = bitsPerSecond;
    switch (h.layer) {
        case 1:
            return static_cast<int>((12 * br / rate + h.padding) * 4);
        case 2:
            return static_cast<int>(144 * br / rate + h.padding);
        default: {
            int64_t n = 144 * br / rate;
            if (h.version != 1) n /= 2;
            return static_cast<int>(n + h.padding);
        }
    }
}

int paddingSlotBytes(const FrameHeader& h) {
    return h.layer == 1 ? 4 : 1;
}

double frameMilliseconds(uint32_t layer, uint32_t samplingFrequencyIndex) {
    if (samplingFrequencyIndex > 2) return 0.0;
    return kFrameMs[layer == 1 ? 0 : 1][samplingFrequencyIndex];
}

double reportedFrameMilliseconds(uint32_t layer, uint32_t samplingFrequencyIndex) {
    if (samplingFrequencyIndex > 2) return 0.0;
    return kReportedFrameMs[layer == 1 ? 0 : 1][samplingFrequencyIndex];
}

double wholeMsFrameScale(int32_t sampleRate) {
    if (sampleRate <= 0) return 1.0;
    const double frameMs = kMpeg1FrameSamples * 1000.0 / sampleRate;
    return std::floor(frameMs) / frameMs;
}

}  // namespace velk
