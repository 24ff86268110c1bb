#include "decoder/layer3_decoder.h"

#include <algorithm>
#include <cstring>

#include "decoder/bit_reader.h"
#include "decoder/layer3_hybrid.h"
#include "decoder/layer3_spectrum.h"
#include "decoder/layer3_stereo.h"

namespace velk {
namespace {

constexpr int kBlockFloats = Synthesis::kGranuleSlots * Synthesis::kSubbands;

bool isShortBlock(const GranuleChannelInfo& g) {
    return g.windowSwitching && g.blockType == 2;
}

}  // namespace

void Layer3Decoder::setup(const StreamSetup& setup) {
    setup_ = setup;
    granulesPerFrame_ = setup.first.version == 1 ? 2 : 1;
    parity_ = 0;
    bandsKey_ = ~0u;
    selectBands(setup.first);
    reservoir_.reset();
    std::memset(spectrum_, 0, sizeof spectrum_);
    std::memset(scaleFactors_, 0, sizeof scaleFactors_);
    previousSubbands_[0] = previousSubbands_[1] = 0;
}

void Layer3Decoder::selectBands(const FrameHeader& h) {
    const uint32_t key = h.version * 4 + h.samplingFrequencyIndex;
    if (key == bandsKey_) return;
    bandsKey_ = key;
    bands_ = &bandTable(h.version, h.samplingFrequencyIndex);
    limits_ = layer3Limits(h.version, setup_.streamRate, setup_.options.reduction,
                           setup_.options.freqLimit);
}

void Layer3Decoder::writeSilence(uint8_t* out) const {
    std::memset(out, setup_.eightBit ? 0x80 : 0, static_cast<size_t>(setup_.outputSize));
}

void Layer3Decoder::decodeFrame(const FrameHeader& h, const uint8_t* frame, size_t length,
                                uint8_t* out) {
    const int channels = h.mode == kSingleChannel ? 1 : 2;
    const size_t sideStart = 4 + (h.errorProtection ? 2 : 0);
    const auto sideBytes = static_cast<size_t>(layer3SideInfoBytes(h.version, channels));
    // The decoder hands over only frames of the set-up's layer and standard.
    if (length < sideStart + sideBytes) {
        writeSilence(out);
        return;
    }
    selectBands(h);
    const bool joint = h.mode == kJointStereo;
    readSideInfo(frame + sideStart, sideBytes, h, channels, joint && (h.modeExtension & 2), side_);

    const size_t mainStart = sideStart + sideBytes;
    const long start =
        reservoir_.append(frame + mainStart, length - mainStart, side_.mainDataBegin);
    if (start < 0) return;  // the reservoir lacks this frame's earlier main data

    size_t position = static_cast<size_t>(start) * 8;
    if (granulesPerFrame_ == 2) {
        position = decodeGranule(h, 0, channels, 0, position, out);
        decodeGranule(h, 1, channels, 1, position, out + setup_.outputSize / 2);
    } else {
        decodeGranule(h, 0, channels, parity_, position, out);
        parity_ ^= 1;
    }
}

void Layer3Decoder::decodeChannel(const FrameHeader& h, int gr, int ch, int slot, size_t start,
                                  bool intensity) {
    GranuleChannelInfo& info = side_.granules[gr][ch];
    const size_t partEnd = start + info.part23Length;
    BitReader reader(reservoir_.data(), reservoir_.size());
    reader.seek(start);
    ScaleFactors& sf = scaleFactors_[ch];
    if (h.version == 1) {
        readScaleFactorsMpeg1(reader, info, side_.scfsi[ch], gr, sf);
    } else {
        readScaleFactorsLsf(reader, info, intensity && ch == 1, sf);
    }
    float* lines = quantized_[ch];
    const SpectrumResult spectrum =
        decodeSpectrum(reader, partEnd, info, *bands_, limits_.lineLimit, lines);
    const int end = std::min(spectrum.nonZeroEnd, limits_.lineLimit);
    std::fill(lines + end, lines + 576, 0.0f);
    ChannelGranule& g = granule_[ch];
    g.nonZeroEnd = requantize(lines, end, info, sf, *bands_, limits_.mixedLongBands,
                              spectrum_[ch][slot], g.usage);
}

size_t Layer3Decoder::decodeGranule(const FrameHeader& h, int gr, int channels, int slot,
                                    size_t position, uint8_t* out) {
    const bool joint = h.mode == kJointStereo;
    const bool midSide = joint && (h.modeExtension & 2);
    const bool intensity = joint && (h.modeExtension & 1);
    for (int ch = 0; ch < channels; ++ch) {
        decodeChannel(h, gr, ch, slot, position, intensity);
        position += side_.granules[gr][ch].part23Length;
    }
    if (channels == 2) {
        const GranuleChannelInfo& right = side_.granules[gr][1];
        const StereoGranule stereo{spectrum_[0][slot],
                                   spectrum_[1][slot],
                                   &granule_[0].nonZeroEnd,
                                   &granule_[1].nonZeroEnd,
                                   &right,
                                   &scaleFactors_[1],
                                   &granule_[1].usage,
                                   bands_,
                                   limits_.mixedLongBands};
        const StereoModes modes{midSide, intensity, h.version != 1,
                                static_cast<int>(right.scalefacCompress & 1)};
        applyJointStereo(stereo, modes);
    }
    for (int ch = 0; ch < channels; ++ch) {
        const GranuleChannelInfo& info = side_.granules[gr][ch];
        const bool shortBlock = isShortBlock(info);
        granule_[ch].nonZeroEnd =
            reduceAliases(spectrum_[ch][slot], granule_[ch].nonZeroEnd,
                          !shortBlock || info.mixedBlock, shortBlock && info.mixedBlock);
    }
    outputGranule(gr, channels, slot, out);
    return position;
}

int Layer3Decoder::hybrid(int ch, int gr, int slot, float* block) {
    const GranuleChannelInfo& info = side_.granules[gr][ch];
    const bool shortBlock = isShortBlock(info);
    const int end = std::min(granule_[ch].nonZeroEnd, 576);
    int longPartEnd = std::min(end, limits_.lineLimit);
    if (shortBlock) {
        longPartEnd = info.mixedBlock ? std::min<int>(bands_->longBounds[limits_.mixedLongBands],
                                                      limits_.lineLimit)
                                      : 0;
    }
    const HybridChannel channel{spectrum_[ch][slot],
                                spectrum_[ch][slot ^ 1],
                                end,
                                longPartEnd,
                                shortBlock ? 2 : static_cast<int>(info.blockType),
                                info.windowSwitching && info.mixedBlock ? 2 : 0,
                                shortBlock,
                                previousSubbands_[ch],
                                limits_.hybridSubbands};
    previousSubbands_[ch] = runHybridFilter(channel, block);
    return previousSubbands_[ch];
}

void Layer3Decoder::outputMonoMix(int gr, int slot, uint8_t* out) {
    const GranuleChannelInfo& left = side_.granules[gr][0];
    const GranuleChannelInfo& right = side_.granules[gr][1];
    const bool sameLayout = left.blockType == right.blockType &&
                            left.windowSwitching == right.windowSwitching && !left.mixedBlock &&
                            !right.mixedBlock;
    if (sameLayout) {
        // One hybrid filter on the summed spectrum; the right channel keeps no overlap.
        const int end =
            std::min(std::max(granule_[0].nonZeroEnd, granule_[1].nonZeroEnd), limits_.lineLimit);
        float* sum = spectrum_[0][slot];
        float* other = spectrum_[1][slot];
        for (int i = 0; i < end; ++i) sum[i] += other[i];
        std::fill(other, other + 576, 0.0f);
        previousSubbands_[1] = 0;
        granule_[0].nonZeroEnd = std::max(granule_[0].nonZeroEnd, end);
        hybrid(0, gr, slot, block_[0]);
    } else {
        hybrid(0, gr, slot, block_[0]);
        hybrid(1, gr, slot, block_[1]);
        for (int i = 0; i < kBlockFloats; ++i) block_[0][i] += block_[1][i];
    }
    synthesis_.synthesizeGranule(block_[0], 0, out);
}

void Layer3Decoder::outputGranule(int gr, int channels, int slot, uint8_t* out) {
    if (channels == 1) {
        hybrid(0, gr, slot, block_[0]);
        // A mono frame in a stream that set up two output channels plays on both.
        if (setup_.outputChannels == 2) {
            synthesis_.synthesizeGranule(block_[0], block_[0], out);
        } else {
            synthesis_.synthesizeGranule(block_[0], 0, out);
        }
        return;
    }
    if (setup_.outputChannels == 2) {
        hybrid(0, gr, slot, block_[0]);
        hybrid(1, gr, slot, block_[1]);
        synthesis_.synthesizeGranule(block_[0], block_[1], out);
        return;
    }
    switch (setup_.options.convert & 3) {
        case 1:
            outputMonoMix(gr, slot, out);
            break;
        case 3:
            hybrid(1, gr, slot, block_[1]);
            synthesis_.synthesizeGranule(block_[1], 0, out);
            break;
        default:  // 2, or a stereo frame in a stream that started single-channel
            hybrid(0, gr, slot, block_[0]);
            synthesis_.synthesizeGranule(block_[0], 0, out);
            break;
    }
}

std::unique_ptr<LayerDecoder> makeLayer3Decoder(Synthesis& synthesis) {
    return std::make_unique<Layer3Decoder>(synthesis);
}

}  // namespace velk
