#include "decoder/layer12_decoder.h"

#include <algorithm>
#include <cstring>

#include "decoder/layer12_tables.h"
#include "decoder/subband_limit.h"

namespace velk {

int jointStereoBound(const FrameHeader& header) {
    if (header.mode == kJointStereo) return 4 * (static_cast<int>(header.modeExtension & 3) + 1);
    return 32;
}

void Layer12Decoder::setup(const StreamSetup& setup) {
    layer_ = static_cast<int>(setup.first.layer);
    outputChannels_ = setup.outputChannels;
    const int convert = setup.options.convert & 3;
    keptChannel_ = convert == 2 ? 0 : convert == 3 ? 1 : -1;
    subbandLimit_ =
        subbandLimitFor(setup.streamRate, setup.options.freqLimit, setup.options.reduction);
    std::memset(block_, 0, sizeof block_);
}

void Layer12Decoder::decodeFrame(const FrameHeader& header, const uint8_t* frame, size_t length,
                                 uint8_t* out) {
    BitReader bits(frame, length);
    bits.skip(header.errorProtection ? 48 : 32);
    SideInfo side;
    side.channels = header.mode == kSingleChannel ? 1 : 2;
    side.bound = side.channels == 1 ? 32 : jointStereoBound(header);

    const int slots = layer_ == 1 ? 12 : kMaxSlots;
    std::memset(block_, 0, sizeof block_);
    if (layer_ == 1) {
        readLayer1(bits, side);
        buildEntries(side, 1);
        BitCache samples(frame, length, bits.position());
        for (int slot = 0; slot < slots; ++slot) {
            readSlotValues(samples, block_ + slot);
        }
    } else {
        readLayer2(header, bits, side);
        buildEntries(side, 3);
        BitCache samples(frame, length, bits.position());
        for (int group = 0; group < 12; ++group) {
            readGroupedValues(samples, block_ + group * 3, group / 4);
        }
    }
    synthesis_.synthesizeSlots(block_, slots, out);
}

void Layer12Decoder::buildEntries(const SideInfo& side, int samplesPerGroup) {
    entryCount_ = 0;
    skipBits_ = 0;
    const int limit = std::min(subbandLimit_, side.subbands);
    for (int sb = 0; sb < side.subbands; ++sb) {
        const bool shared = sb >= side.bound;
        const int readers = shared ? 1 : side.channels;
        for (int ch = 0; ch < readers; ++ch) {
            const QuantClass* quant = side.quant[ch][sb];
            if (!quant) continue;
            if (sb >= limit) {
                skipBits_ += quant->grouped ? quant->bits : quant->bits * samplesPerGroup;
                continue;
            }
            Entry& entry = entries_[entryCount_++];
            entry.degroup = quant->grouped ? degroupTable(quant->steps) : nullptr;
            entry.bits = quant->bits;
            entry.center = quant->center;
            entry.placeCount = 0;
            addPlaces(entry, side.channels, ch, sb, side.scale[ch][sb], quant->factor);
            if (shared) addPlaces(entry, side.channels, 1, sb, side.scale[1][sb], quant->factor);
        }
    }
}

void Layer12Decoder::addPlaces(Entry& entry, int frameChannels, int channel, int subband,
                               const int* scale, float classFactor) const {
    int places[2];
    int count = 0;
    // A place is the start of a subband row of the block.
    const auto row = [subband](int outputChannel) {
        return (outputChannel * Synthesis::kSubbands + subband) * Synthesis::kBlockSlots;
    };
    if (outputChannels_ == 2) {
        if (frameChannels == 2) {
            places[count++] = row(channel);
        } else {
            places[count++] = row(0);
            places[count++] = row(1);
        }
    } else if (frameChannels == 1 || keptChannel_ < 0 || keptChannel_ == channel) {
        // Mixing to mono sums both channels at one place, not halved, as Layer III does.
        places[count++] = row(0);
    }
    for (int i = 0; i < count && entry.placeCount < 2; ++i, ++entry.placeCount) {
        entry.place[entry.placeCount] = places[i];
        for (int part = 0; part < 3; ++part) {
            entry.factor[entry.placeCount][part] = scaleFactorMultiplier(scale[part]) * classFactor;
        }
    }
}

void Layer12Decoder::readSlotValues(BitCache& cache, float* slot) const {
    BitCache bits = cache;  // a copy the compiler keeps in registers through the stores
    for (int i = 0; i < entryCount_; ++i) {
        const Entry& e = entries_[i];
        bits.refill();
        const auto value = static_cast<float>(static_cast<int>(bits.read(e.bits)) - e.center);
        for (int p = 0; p < e.placeCount; ++p) slot[e.place[p]] += value * e.factor[p][0];
    }
    bits.jump(static_cast<size_t>(skipBits_));
    cache = bits;
}

void Layer12Decoder::readGroupedValues(BitCache& cache, float* firstSlot, int part) const {
    BitCache bits = cache;  // a copy the compiler keeps in registers through the stores
    for (int i = 0; i < entryCount_; ++i) {
        const Entry& e = entries_[i];
        bits.refill();  // enough for three samples of up to 16 bits
        float values[3];
        if (e.degroup) {
            const int8_t* code = e.degroup + 3 * bits.read(e.bits);
            for (int s = 0; s < 3; ++s) values[s] = code[s];
        } else if (e.bits <= 10) {
            // Three narrow samples come in one read.
            const uint32_t packed = bits.read(3 * e.bits);
            const uint32_t mask = (1u << e.bits) - 1;
            for (int s = 0; s < 3; ++s) {
                const auto raw = static_cast<int>((packed >> ((2 - s) * e.bits)) & mask);
                values[s] = static_cast<float>(raw - e.center);
            }
        } else {
            for (int s = 0; s < 3; ++s) {
                values[s] = static_cast<float>(static_cast<int>(bits.read(e.bits)) - e.center);
            }
        }
        for (int p = 0; p < e.placeCount; ++p) {
            float* row = firstSlot + e.place[p];
            const float factor = e.factor[p][part];
            for (int s = 0; s < 3; ++s) row[s] += values[s] * factor;
        }
    }
    bits.jump(static_cast<size_t>(skipBits_));
    cache = bits;
}

std::unique_ptr<LayerDecoder> makeLayer12Decoder(Synthesis& synthesis) {
    return std::make_unique<Layer12Decoder>(synthesis);
}

}  // namespace velk
