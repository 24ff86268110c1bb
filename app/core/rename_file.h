// Renaming a file the way the user expects from a name field: never over another file.
#pragma once

#include <string>

namespace velk::app {

// Moves `from` to `to`; false when `to` already exists or the move fails.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace velk::app
