// The player's own help pages, opened in the desktop's browser.
#pragma once

#include <QString>

namespace velk::app {

// The help page beside the program ("help/index.html" or "docs/help/index.html" there), else
// the one of the source tree the program was built from; empty when neither exists.
QString HelpFilePath();

// Opens the help page; false when there is none or nothing could show it.
bool OpenHelp();

}  // namespace velk::app
