// The 512-value synthesis window of the MPEG audio polyphase filterbank, in the standard's
// order and at its own scale (largest magnitude 1.144989014).
#pragma once

namespace velk {

constexpr int kSynthesisWindowLength = 512;

// Built on first use; valid for the whole run.
const float* synthesisWindow();

}  // namespace velk
