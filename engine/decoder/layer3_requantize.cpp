#include "decoder/layer3_requantize.h"

#include <algorithm>
#include <cstdint>

#include "decoder/synthesis_lanes.h"

namespace velk {
namespace {

float globalGain(const Layer3Tables& t, const GranuleChannelInfo& info) {
    const int index = std::clamp(info.globalGain + 6, 0, 261);
    return t.gain[index];
}

// Returns the end of the long part in lines.
int requantizeLong(const Layer3Tables& t, const float* lines, int end, int bandCount,
                   const GranuleChannelInfo& info, const ScaleFactors& sf, const BandTable& bands,
                   float* out, BandUsage& usage) {
    const float gain = globalGain(t, info);
    const int scale = info.scalefacScale ? 1 : 0;
    int line = 0;
    for (int b = 0; b < bandCount && line < end; ++b) {
        const int bandEnd = std::min<int>(bands.longBounds[b + 1], end);
        const int pre = info.preflag ? kPretab[b] : 0;
        const float factor = gain * t.scaleFactor[scale][pre][sf.longBands[b] & 31];
        using Mask = IntLanes<NarrowLanes>::Type;
        Mask nonZero{};
        for (; line + 4 <= bandEnd; line += 4) {
            NarrowLanes x;
            loadLanes(x, lines + line);
            nonZero |= x != 0.0f;
            storeLanes(out + line, x * factor);
        }
        bool tailNonZero = false;
        for (; line < bandEnd; ++line) {
            const float x = lines[line];
            tailNonZero |= x != 0.0f;
            out[line] = x * factor;
        }
        if (tailNonZero || nonZero[0] || nonZero[1] || nonZero[2] || nonZero[3]) {
            usage.lastLongBand = b;
        }
    }
    return line;
}

// Short bands from `firstBand`, reading band by band with the three windows one after
// another and writing line = 3 * band start + 3 * k + window. Returns the end in lines.
int requantizeShort(const Layer3Tables& t, const float* lines, int end, int firstBand,
                    const GranuleChannelInfo& info, const ScaleFactors& sf, const BandTable& bands,
                    float* out, BandUsage& usage) {
    const float gain = globalGain(t, info);
    const int scale = info.scalefacScale ? 1 : 0;
    int reached = 3 * bands.shortBounds[firstBand];
    for (int b = firstBand; b < 13; ++b) {
        const int start = bands.shortBounds[b];
        const int width = bands.shortBounds[b + 1] - start;
        if (3 * start >= end) break;
        for (int w = 0; w < 3; ++w) {
            const float factor = gain * t.scaleFactor[scale][0][sf.shortBands[b][w] & 31] *
                                 t.subblockGain[info.subblockGain[w] & 7];
            const float* in = lines + 3 * start + w * width;
            float* o = out + 3 * start + w;
            bool nonZero = false;
            for (int k = 0; k < width; ++k) {
                const float x = in[k];
                nonZero |= x != 0.0f;
                o[3 * k] = x * factor;
            }
            if (nonZero) usage.lastShortBand[w] = b;
        }
        reached = 3 * bands.shortBounds[b + 1];
    }
    return reached;
}

}  // namespace

int requantize(const float* lines, int nonZeroEnd, const GranuleChannelInfo& info,
               const ScaleFactors& sf, const BandTable& bands, int mixedLongBands, float* out,
               BandUsage& usage) {
    const Layer3Tables& t = layer3Tables();
    usage = BandUsage{-1, {-1, -1, -1}};
    const int end = std::clamp(nonZeroEnd, 0, 576);
    int reached;
    if (info.windowSwitching && info.blockType == 2) {
        int firstShort = 0;
        reached = 0;
        if (info.mixedBlock) {
            const int longEnd = std::min<int>(bands.longBounds[mixedLongBands], end);
            reached =
                requantizeLong(t, lines, longEnd, mixedLongBands, info, sf, bands, out, usage);
            firstShort = 3;
        }
        if (end > 3 * bands.shortBounds[firstShort]) {
            reached = requantizeShort(t, lines, end, firstShort, info, sf, bands, out, usage);
        }
    } else {
        reached = requantizeLong(t, lines, end, 22, info, sf, bands, out, usage);
    }
    std::fill(out + reached, out + 576, 0.0f);
    return reached;
}

}  // namespace velk
