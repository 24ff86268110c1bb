// A one-line progress bar on the terminal, redrawn in place.
#pragma once

#include <string>

namespace velk::cli {

// "mm:ss" or "h:mm:ss".
std::string clockText(long seconds);
// Draws "[#####-----] label" over the current line; `fraction` is clamped to 0..1.
void drawProgress(double fraction, const std::string& label);
// Columns left for the label on a terminal this wide; the last column stays free so that the
// line never wraps.
int progressLabelColumns(int terminalColumns);
// Ends the bar's line.
void finishProgress();

}  // namespace velk::cli
