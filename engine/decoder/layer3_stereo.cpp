#include "decoder/layer3_stereo.h"

#include <algorithm>

namespace velk {
namespace {

// Ratio pair of a band's intensity position.
IntensityRatio ratioFor(const Layer3Tables& t, const StereoModes& m, int position, int width) {
    const int ms = m.midSide ? 1 : 0;
    if (m.lowerRate) {
        return t.intensityLsf[m.intensityScale][ms][std::clamp(width, 0, 5)][position & 31];
    }
    return t.intensity[ms][std::min(position, 7)];
}

void splitLines(float* left, float* right, int from, int to, int step, IntensityRatio r) {
    for (int i = from; i < to; i += step) {
        const float v = left[i];
        left[i] = v * r.left;
        right[i] = v * r.right;
    }
}

void intensityLong(const StereoGranule& g, const StereoModes& m, int firstBand, int lastBand,
                   int leftEnd) {
    const Layer3Tables& t = layer3Tables();
    const BandTable& bands = *g.bands;
    const ScaleFactors& sf = *g.rightScaleFactors;
    for (int b = firstBand; b <= lastBand; ++b) {
        const int from = bands.longBounds[b];
        if (from >= leftEnd) break;
        const int to = std::min<int>(bands.longBounds[b + 1], leftEnd);
        splitLines(g.left, g.right, from, to, 1, ratioFor(t, m, sf.longBands[b], sf.longWidth[b]));
    }
}

void intensityShort(const StereoGranule& g, const StereoModes& m, int firstBand, int leftEnd) {
    const Layer3Tables& t = layer3Tables();
    const BandTable& bands = *g.bands;
    const ScaleFactors& sf = *g.rightScaleFactors;
    for (int b = firstBand; b <= 11; ++b) {
        const int start = bands.shortBounds[b];
        const int width = bands.shortBounds[b + 1] - start;
        if (3 * start >= leftEnd) break;
        for (int w = 0; w < 3; ++w) {
            const int from = 3 * start + w;
            const int to = std::min(3 * (start + width), leftEnd);
            splitLines(g.left, g.right, from, to, 3,
                       ratioFor(t, m, sf.shortBands[b][w], sf.shortWidth[b]));
        }
    }
}

// Where the intensity region of a granule starts: after the right channel's last non-zero
// band, in long bands, short bands, or (a mixed block whose short part is empty in the right
// channel) from the long part on.
struct IntensityRegion {
    enum Kind { kLong, kMixedFromLong, kShort } kind;
    int firstBand;
    int startLine;
};

IntensityRegion intensityRegion(const StereoGranule& g) {
    const GranuleChannelInfo& info = *g.rightInfo;
    const BandUsage& usage = *g.rightUsage;
    const BandTable& bands = *g.bands;
    const int nextLong = usage.lastLongBand + 1;
    const int longLine = bands.longBounds[std::min(nextLong, 22)];
    if (!(info.windowSwitching && info.blockType == 2)) {
        return {IntensityRegion::kLong, nextLong, longLine};
    }
    const int lastShort =
        std::max({usage.lastShortBand[0], usage.lastShortBand[1], usage.lastShortBand[2]});
    if (info.mixedBlock && lastShort < 0) {
        return {IntensityRegion::kMixedFromLong, nextLong, longLine};
    }
    const int first = std::max(lastShort + 1, info.mixedBlock ? 3 : 0);
    return {IntensityRegion::kShort, first, 3 * bands.shortBounds[std::min(first, 13)]};
}

void applyIntensity(const StereoGranule& g, const StereoModes& m, const IntensityRegion& region) {
    const int leftEnd = *g.leftEnd;
    switch (region.kind) {
        case IntensityRegion::kLong:
            intensityLong(g, m, region.firstBand, 20, leftEnd);
            break;
        case IntensityRegion::kMixedFromLong:
            intensityLong(g, m, region.firstBand, g.mixedLongBands - 1, leftEnd);
            intensityShort(g, m, 3, leftEnd);
            break;
        case IntensityRegion::kShort:
            intensityShort(g, m, region.firstBand, leftEnd);
            break;
    }
}

}  // namespace

void applyJointStereo(const StereoGranule& g, const StereoModes& m) {
    if (!m.midSide && !m.intensity) return;
    const int larger = std::max(*g.leftEnd, *g.rightEnd);
    IntensityRegion region{IntensityRegion::kLong, 22, 576};
    if (m.intensity) region = intensityRegion(g);
    if (m.midSide) {
        const int end = m.intensity ? std::min(larger, region.startLine) : larger;
        for (int i = 0; i < end; ++i) {
            const float mid = g.left[i];
            const float side = g.right[i];
            g.left[i] = mid + side;
            g.right[i] = mid - side;
        }
    }
    if (m.intensity) applyIntensity(g, m, region);
    *g.leftEnd = *g.rightEnd = larger;
}

}  // namespace velk
