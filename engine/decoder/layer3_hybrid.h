// The Layer III hybrid filter: alias reduction, the IMDCTs with their windows and overlap, and
// the frequency inversion that prepares subband samples for the synthesis filterbank.
#pragma once

namespace velk {

// Alias-reduction butterflies across the subband boundaries of the long part; returns the
// raised non-zero end.
int reduceAliases(float* lines, int nonZeroEnd, bool hasLongBands, bool mixed);

struct HybridChannel {
    float* lines;          // this granule's spectrum; receives the overlap half for the next one
    const float* overlap;  // the previous granule's overlap halves
    int nonZeroEnd;
    int longPartEnd;  // lines with long windows: nonZeroEnd, 0 (short) or the mixed long part
    int blockType;    // window of the long part (0 for a mixed block) and of the short part
    int normalWindowSubbands;  // leading subbands of a mixed block, long-windowed by type 0
    bool shortPart;            // lines from longPartEnd to nonZeroEnd use three short windows
    int previousSubbands;      // subbands whose overlap may be non-zero
    int hybridSubbands;        // subbands the band limit lets through
};

// Writes 32 subbands x 18 slots (subband-major) at `out` and returns the subbands processed (whose
// overlap may be non-zero for the next granule).
int runHybridFilter(const HybridChannel& channel, float* out);

// The IMDCTs of 18 inputs (36 outputs) and 6 inputs (12 outputs), unwindowed.
void imdct36(const float* in, float* out);
void imdct12(const float* in, float* out);

}  // namespace velk
