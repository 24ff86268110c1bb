#include "layer3_frames.h"

namespace velk::test {

std::vector<uint8_t> layer3Frame(const Layer3FrameFields& shape) {
    FrameBuilder b(shape.header, shape.modeExtension);
    const bool mpeg1 = shape.header.version == 1;
    const int channels = shape.header.mode == 3 ? 1 : 2;
    b.put(shape.mainDataBegin, mpeg1 ? 9 : 8);
    if (mpeg1) {
        b.put(0, channels == 1 ? 5 : 3);
        b.put(0, 4 * channels);  // scfsi
    } else {
        b.put(0, channels == 1 ? 1 : 2);
    }
    const GranuleFields& g = shape.granule;
    for (int gr = 0; gr < (mpeg1 ? 2 : 1); ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            b.put(g.part23Length, 12);
            b.put(g.bigValues, 9);
            b.put(g.globalGain, 8);
            b.put(g.scalefacCompress, mpeg1 ? 4 : 9);
            b.put(g.windowSwitching, 1);
            if (g.windowSwitching) {
                b.put(g.blockType, 2);
                b.put(g.mixedBlock, 1);
                b.put(g.tableSelect[0], 5);
                b.put(g.tableSelect[1], 5);
                b.put(0, 9);  // subblock gains
            } else {
                for (uint32_t t : g.tableSelect) b.put(t, 5);
                b.put(g.region0Count, 4);
                b.put(g.region1Count, 3);
            }
            if (mpeg1) b.put(0, 1);  // preflag
            b.put(0, 1);             // scalefac_scale
            b.put(g.count1Table, 1);
        }
    }
    for (uint8_t byte : shape.mainData) b.put(byte, 8);
    return b.finish();
}

}  // namespace velk::test
