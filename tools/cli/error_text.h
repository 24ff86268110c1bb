// What the engine's last-error codes mean, in words for the command line.
#pragma once

namespace velk::cli {

// A short English phrase for an engine error code; a phrase for codes the engine never sets.
const char* engineErrorText(int code);

}  // namespace velk::cli
