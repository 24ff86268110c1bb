// The one band limit of every layer: how many subbands a frequency limit keeps.
#pragma once

namespace velk {

// Subbands below `freqLimit` Hz at an unreduced stream rate, at most the 32 >> reduction that
// the synthesis reads; the layer's own subband count may lower it further.
int subbandLimitFor(int streamRate, int freqLimit, int reduction);

}  // namespace velk
