// The side information of Layer I and Layer II frames: bit allocation (shared past the
// joint-stereo bound), Layer II scale-factor selection, and the scale factors.
#include <algorithm>

#include "decoder/layer12_decoder.h"
#include "decoder/layer12_tables.h"

namespace velk {

void Layer12Decoder::readLayer1(BitReader& bits, SideInfo& side) const {
    side.subbands = 32;
    int allocation[2][32];
    for (int sb = 0; sb < 32; ++sb) {
        if (sb < side.bound) {
            for (int ch = 0; ch < side.channels; ++ch) allocation[ch][sb] = bits.read(4);
        } else {
            allocation[0][sb] = allocation[1][sb] = bits.read(4);
        }
    }
    for (int sb = 0; sb < 32; ++sb) {
        for (int ch = 0; ch < side.channels; ++ch) {
            const int value = allocation[ch][sb];
            side.quant[ch][sb] = value ? &layer1Class(value) : nullptr;
            if (value) std::fill_n(side.scale[ch][sb], 3, static_cast<int>(bits.read(6)));
        }
    }
}

void Layer12Decoder::readLayer2(const FrameHeader& header, BitReader& bits, SideInfo& side) const {
    const AllocationTable& table = layer2AllocationTable(header);
    side.subbands = table.subbands;
    side.bound = std::min(side.bound, side.subbands);
    int sb = 0;
    for (int g = 0; g < table.groupCount; ++g) {
        const AllocationGroup& group = table.groups[g];
        const auto readClass = [&]() -> const QuantClass* {
            const uint32_t value = bits.read(group.allocationBits);
            const int index = value ? group.classes[value - 1] : -1;
            return index >= 0 ? &quantClass(index) : nullptr;
        };
        for (int i = 0; i < group.subbands; ++i, ++sb) {
            if (sb < side.bound) {
                for (int ch = 0; ch < side.channels; ++ch) side.quant[ch][sb] = readClass();
            } else {
                side.quant[0][sb] = side.quant[1][sb] = readClass();
            }
        }
    }
    int selection[2][32];
    for (sb = 0; sb < side.subbands; ++sb) {
        for (int ch = 0; ch < side.channels; ++ch) {
            if (side.quant[ch][sb]) selection[ch][sb] = static_cast<int>(bits.read(2));
        }
    }
    for (sb = 0; sb < side.subbands; ++sb) {
        for (int ch = 0; ch < side.channels; ++ch) {
            if (!side.quant[ch][sb]) continue;
            int* scale = side.scale[ch][sb];
            // Selection 0: one factor per part; 1: parts 1 and 2 share; 2: all share;
            // 3: parts 2 and 3 share.
            switch (selection[ch][sb]) {
                case 0:
                    for (int part = 0; part < 3; ++part) scale[part] = bits.read(6);
                    break;
                case 1:
                    scale[0] = scale[1] = bits.read(6);
                    scale[2] = bits.read(6);
                    break;
                case 2:
                    scale[0] = scale[1] = scale[2] = bits.read(6);
                    break;
                default:
                    scale[0] = bits.read(6);
                    scale[1] = scale[2] = bits.read(6);
                    break;
            }
        }
    }
}

}  // namespace velk
