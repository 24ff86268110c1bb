#include "decoder/layer3_scalefactors.h"

#include <cstring>

namespace velk {
namespace {

constexpr uint8_t kSlen[2][16] = {
    {0, 0, 0, 0, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4},
    {0, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 2, 3},
};

// Values per group for the six lower-rate layouts and [long, short, mixed] blocks.
constexpr uint8_t kLsfGroupSizes[6][3][4] = {
    {{6, 5, 5, 5}, {9, 9, 9, 9}, {6, 9, 9, 9}},
    {{6, 5, 7, 3}, {9, 9, 12, 6}, {6, 9, 12, 6}},
    {{11, 10, 0, 0}, {18, 18, 0, 0}, {15, 18, 0, 0}},
    {{7, 7, 7, 0}, {12, 12, 12, 0}, {6, 15, 12, 0}},
    {{6, 6, 6, 3}, {12, 9, 9, 6}, {6, 12, 9, 6}},
    {{8, 8, 5, 0}, {15, 12, 9, 0}, {6, 18, 9, 0}},
};

void readShortBands(BitReader& r, int from, int to, int bits, ScaleFactors& sf) {
    for (int b = from; b < to; ++b) {
        for (int w = 0; w < 3; ++w) sf.shortBands[b][w] = static_cast<uint8_t>(r.read(bits));
    }
}

// Chooses the layout and widths of a lower-rate granule from its 9-bit compress value.
int lsfLayout(uint32_t compress, bool intensityRight, int slen[4], uint32_t& preflag) {
    preflag = 0;
    if (intensityRight) {
        const uint32_t c = compress >> 1;
        if (c < 180) {
            slen[0] = static_cast<int>(c / 36);
            slen[1] = static_cast<int>((c % 36) / 6);
            slen[2] = static_cast<int>(c % 6);
            slen[3] = 0;
            return 3;
        }
        if (c < 244) {
            const uint32_t d = c - 180;
            slen[0] = static_cast<int>((d & 63) >> 4);
            slen[1] = static_cast<int>((d & 15) >> 2);
            slen[2] = static_cast<int>(d & 3);
            slen[3] = 0;
            return 4;
        }
        const uint32_t d = c - 244;
        slen[0] = static_cast<int>(d / 3);
        slen[1] = static_cast<int>(d % 3);
        slen[2] = slen[3] = 0;
        return 5;
    }
    if (compress < 400) {
        slen[0] = static_cast<int>((compress >> 4) / 5);
        slen[1] = static_cast<int>((compress >> 4) % 5);
        slen[2] = static_cast<int>((compress & 15) >> 2);
        slen[3] = static_cast<int>(compress & 3);
        return 0;
    }
    if (compress < 500) {
        const uint32_t d = compress - 400;
        slen[0] = static_cast<int>((d >> 2) / 5);
        slen[1] = static_cast<int>((d >> 2) % 5);
        slen[2] = static_cast<int>(d & 3);
        slen[3] = 0;
        return 1;
    }
    const uint32_t d = compress - 500;
    slen[0] = static_cast<int>(d / 3);
    slen[1] = static_cast<int>(d % 3);
    slen[2] = slen[3] = 0;
    preflag = 1;
    return 2;
}

}  // namespace

void readScaleFactorsMpeg1(BitReader& r, const GranuleChannelInfo& info, uint32_t scfsi,
                           int granule, ScaleFactors& sf) {
    const int slen1 = kSlen[0][info.scalefacCompress & 15];
    const int slen2 = kSlen[1][info.scalefacCompress & 15];
    if (info.windowSwitching && info.blockType == 2) {
        std::memset(sf.longBands, 0, sizeof sf.longBands);
        std::memset(sf.shortBands, 0, sizeof sf.shortBands);
        if (info.mixedBlock) {
            for (int b = 0; b < 8; ++b) sf.longBands[b] = static_cast<uint8_t>(r.read(slen1));
            readShortBands(r, 3, 6, slen1, sf);
        } else {
            readShortBands(r, 0, 6, slen1, sf);
        }
        readShortBands(r, 6, 12, slen2, sf);
        return;
    }
    constexpr int kGroupStart[5] = {0, 6, 11, 16, 21};
    for (int group = 0; group < 4; ++group) {
        const bool reuse = granule == 1 && (scfsi & (8u >> group)) != 0;
        if (reuse) continue;
        const int bits = group < 2 ? slen1 : slen2;
        for (int b = kGroupStart[group]; b < kGroupStart[group + 1]; ++b) {
            sf.longBands[b] = static_cast<uint8_t>(r.read(bits));
        }
    }
    sf.longBands[21] = 0;
}

void readScaleFactorsLsf(BitReader& r, GranuleChannelInfo& info, bool intensityRight,
                         ScaleFactors& sf) {
    int slen[4];
    const int layout = lsfLayout(info.scalefacCompress, intensityRight, slen, info.preflag);
    const bool isShort = info.windowSwitching && info.blockType == 2;
    const int kind = isShort ? (info.mixedBlock ? 2 : 1) : 0;
    const uint8_t* sizes = kLsfGroupSizes[layout][kind];

    std::memset(&sf, 0, sizeof sf);
    // Values come group by group; short values come three windows to a band.
    int longBand = 0;
    int shortBand = kind == 2 ? 3 : 0;
    int window = 0;
    int longValues = kind == 2 ? 6 : (kind == 0 ? 21 : 0);
    for (int group = 0; group < 4; ++group) {
        const int bits = slen[group];
        for (int i = 0; i < sizes[group]; ++i) {
            const auto value = static_cast<uint8_t>(r.read(bits));
            if (longValues > 0) {
                sf.longBands[longBand] = value;
                sf.longWidth[longBand] = static_cast<uint8_t>(bits);
                ++longBand;
                --longValues;
            } else if (shortBand < 12) {
                sf.shortBands[shortBand][window] = value;
                sf.shortWidth[shortBand] = static_cast<uint8_t>(bits);
                if (++window == 3) {
                    window = 0;
                    ++shortBand;
                }
            }
        }
    }
}

}  // namespace velk
