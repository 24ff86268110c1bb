#include "decoder/layer3_side_info.h"

#include "decoder/bit_reader.h"

namespace velk {

namespace {

void readGranuleChannel(BitReader& r, bool mpeg1, bool midSide, GranuleChannelInfo& g) {
    g.part23Length = r.read(12);
    g.bigValues = r.read(9);
    g.globalGain = static_cast<int32_t>(r.read(8));
    if (midSide) g.globalGain -= 2;  // folds the 1/sqrt(2) of mid/side into the gain
    g.scalefacCompress = r.read(mpeg1 ? 4 : 9);
    g.windowSwitching = r.read(1);
    if (g.windowSwitching) {
        g.blockType = r.read(2);
        g.mixedBlock = r.read(1);
        g.tableSelect[0] = r.read(5);
        g.tableSelect[1] = r.read(5);
        g.tableSelect[2] = 0;
        for (uint32_t& s : g.subblockGain) s = r.read(3);
        const bool lsfShort = !mpeg1 && g.blockType == 2;
        g.region0Count = lsfShort ? 5 : 7;
        g.region1Count = lsfShort ? 15 : 13;
    } else {
        g.blockType = 0;
        g.mixedBlock = 0;
        for (uint32_t& t : g.tableSelect) t = r.read(5);
        for (uint32_t& s : g.subblockGain) s = 0;
        g.region0Count = r.read(4);
        g.region1Count = r.read(3);
    }
    g.preflag = mpeg1 ? r.read(1) : 0;
    g.scalefacScale = r.read(1);
    g.count1Table = r.read(1);
}

}  // namespace

void readSideInfo(const uint8_t* bytes, size_t size, const FrameHeader& header, int channels,
                  bool midSide, Layer3SideInfo& out) {
    BitReader r(bytes, size);
    const bool mpeg1 = header.version == 1;
    out.mainDataBegin = r.read(mpeg1 ? 9 : 8);
    if (mpeg1) {
        r.skip(channels == 1 ? 5 : 3);
        for (int ch = 0; ch < channels; ++ch) out.scfsi[ch] = r.read(4);
    } else {
        r.skip(channels == 1 ? 1 : 2);
        out.scfsi[0] = out.scfsi[1] = 0;
    }
    const int granules = mpeg1 ? 2 : 1;
    for (int gr = 0; gr < granules; ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            readGranuleChannel(r, mpeg1, midSide, out.granules[gr][ch]);
        }
    }
}

}  // namespace velk
