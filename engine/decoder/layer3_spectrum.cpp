#include "decoder/layer3_spectrum.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "decoder/huffman.h"
#include "decoder/layer3_bit_cache.h"
#include "decoder/layer3_tables.h"
#include "decoder/synthesis_lanes.h"

namespace velk {
namespace {

// How far the reader may run past the part before the channel counts as damaged.
size_t overrunMark(size_t partEnd) {
    return ((partEnd + 39) >> 3) << 3;
}

// A non-zero value takes the next bit as its sign (1: negative). Signs are random, so this is
// done without a branch.
template <class Reader>
inline int32_t withSign(Reader& bits, int32_t value) {
    const auto nonZero = static_cast<uint32_t>(value != 0);
    const auto negative = static_cast<int32_t>(bits.peek(1) & nonZero);
    bits.skip(nonZero);
    return (value ^ -negative) + negative;
}

// magnitude^(4/3), negative when the sign bit that follows a non-zero magnitude is set. The
// magnitude (a code's value plus its linbits) is within the table.
inline float signedPower(BitCache& bits, const float* power, uint32_t magnitude) {
    const auto nonZero = static_cast<uint32_t>(magnitude != 0);
    const uint32_t sign = (bits.peek(1) & nonZero) << 31;
    bits.skip(nonZero);
    return std::bit_cast<float>(std::bit_cast<uint32_t>(power[magnitude]) | sign);
}

// Decodes pairs for lines [from, to); returns false when the reader went into overrun.
bool decodePairs(BitCache& bits, const HuffmanTable& table, int from, int to, size_t mark,
                 float* lines) {
    if (!table.nodes) {
        std::fill(lines + from, lines + to, 0.0f);
        return true;
    }
    const int linbits = table.linbits;
    const float* power = layer3Tables().power;
    // Past the margin, or past the reservoir's end: either way the data is damaged.
    const size_t limit = std::min(mark, bits.sizeBits());
    for (int i = from; i < to; i += 2) {
        if (bits.position() > limit) {
            std::fill(lines + i, lines + to, 0.0f);
            return false;
        }
        // At most 19 + 2 * (13 + 1) bits follow: one refill covers the pair.
        bits.refill();
        const uint32_t pair = decodeHuffman(bits, table);
        uint32_t x = pair >> 4;
        uint32_t y = pair & 15;
        if (linbits && x == 15) x += bits.read(linbits);
        lines[i] = signedPower(bits, power, x);
        if (linbits && y == 15) y += bits.read(linbits);
        lines[i + 1] = signedPower(bits, power, y);
    }
    return true;
}

// A few bits, left-aligned, read as a BitCache would: zeros past them.
struct PatternReader {
    uint64_t bits;
    int used = 0;
    uint32_t peek(int count) const { return static_cast<uint32_t>(bits >> (64 - count)); }
    void skip(size_t count) {
        bits <<= count;
        used += static_cast<int>(count);
    }
    uint32_t read(int count) {
        const uint32_t value = peek(count);
        skip(static_cast<size_t>(count));
        return value;
    }
};

using SignedBytes4 = int8_t __attribute__((vector_size(4)));

// A count1 quadruple with its sign bits, resolved by one lookup of the next bits.
struct Quadruple {
    int8_t values[4];
    uint8_t length;  // code and sign bits
    uint8_t reach;   // lines up to the last non-zero value: 0, 2 (v or w) or 4 (x or y)
};

// Table A's codes take up to 6 bits and table B's 4, each followed by up to four signs.
constexpr int kQuadrupleBitsA = 10;
constexpr int kQuadrupleBitsB = 8;

struct QuadrupleTables {
    Quadruple a[1 << kQuadrupleBitsA];
    Quadruple b[1 << kQuadrupleBitsB];
    QuadrupleTables() {
        build(a, kQuadrupleBitsA, false);
        build(b, kQuadrupleBitsB, true);
    }
    static void build(Quadruple* table, int width, bool tableB) {
        for (uint32_t pattern = 0; pattern < (1u << width); ++pattern) {
            PatternReader bits{uint64_t{pattern} << (64 - width)};
            const uint32_t code =
                tableB ? (~bits.read(4) & 15u) : decodeHuffman(bits, count1TableA());
            Quadruple& q = table[pattern];
            for (int k = 0; k < 4; ++k) {
                q.values[k] = static_cast<int8_t>(
                    withSign(bits, static_cast<int32_t>((code >> (3 - k)) & 1)));
            }
            q.length = static_cast<uint8_t>(bits.used);
            q.reach = (code & 3) ? 4 : (code & 12) ? 2 : 0;
        }
    }
};

const QuadrupleTables& quadrupleTables() {
    static const QuadrupleTables tables;
    return tables;
}

// Returns the line after the last non-zero quadruple value, or `from` when all are zero.
int decodeQuadruples(BitCache& bits, size_t partEnd, bool tableB, int from, int lineLimit,
                     float* lines, int& written) {
    const Quadruple* table = tableB ? quadrupleTables().b : quadrupleTables().a;
    const int peekBits = tableB ? kQuadrupleBitsB : kQuadrupleBitsA;
    const int maxQuads = std::max(0, (lineLimit - from) / 4);
    const size_t minBits = tableB ? 4 : 1;
    int end = from;
    int pos = from;
    for (int q = 0; q < maxQuads; ++q, pos += 4) {
        const size_t here = bits.position();
        if (here >= partEnd || partEnd - here < minBits) break;
        bits.refill();
        const Quadruple& quadruple = table[bits.peek(peekBits)];
        bits.skip(quadruple.length);
        const bool overspent = bits.position() > partEnd;
        // -1, 0 or 1: their own powers. Converted as one vector: four floats stored one by one
        // and read back as a vector would stall on the store forwarding.
        SignedBytes4 bytes;
        std::memcpy(&bytes, quadruple.values, sizeof bytes);
        NarrowLanes v = __builtin_convertvector(bytes, NarrowLanes);
        if (overspent) v = NarrowLanes{};  // the quadruple is not trusted
        storeLanes(lines + pos, v);
        const int reach = overspent ? 0 : quadruple.reach;
        end = reach ? pos + reach : end;
        if (overspent) {
            pos += 4;
            break;
        }
    }
    written = pos;
    return end;
}

}  // namespace

SpectrumResult decodeSpectrum(BitReader& r, size_t partEnd, const GranuleChannelInfo& info,
                              const BandTable& bands, int lineLimit, float* lines) {
    const size_t mark = overrunMark(partEnd);
    const int n = std::min(static_cast<int>(info.bigValues) * 2, lineLimit & ~1);
    const int r1 =
        std::min<int>(bands.longBounds[std::min<uint32_t>(info.region0Count + 1, 22)], n);
    const int r2 = std::min<int>(
        bands.longBounds[std::min<uint32_t>(info.region0Count + info.region1Count + 2, 22)], n);
    const int bounds[4] = {0, r1, std::max(r1, r2), n};

    SpectrumResult result{n, false};
    BitCache bits(r.data(), r.sizeBits() / 8, r.position());
    for (int region = 0; region < 3 && !result.overrun; ++region) {
        const HuffmanTable& table = bigValueTable(static_cast<int>(info.tableSelect[region]));
        if (!decodePairs(bits, table, bounds[region], bounds[region + 1], mark, lines)) {
            result.overrun = true;
        }
    }
    int written = n;
    if (!result.overrun) {
        const int end =
            decodeQuadruples(bits, partEnd, info.count1Table != 0, n, lineLimit, lines, written);
        result.nonZeroEnd = std::max(n, end);
        if (bits.position() > mark || bits.overrun()) result.overrun = true;
    }
    r.seek(bits.position());
    if (result.overrun) {
        // Damaged data: the granule is silent for this channel.
        std::fill(lines, lines + 576, 0.0f);
        result.nonZeroEnd = 0;
        return result;
    }
    std::fill(lines + std::min(written, 576), lines + 576, 0.0f);
    return result;
}

}  // namespace velk
