// Renaming a listed file or a tree folder in place: the new name goes beside the old one and
// never replaces anything.
#pragma once

#include <string>

#include "explorer/core/explorer_row.h"

namespace velk::app {

// The path `name` gives beside `path`; empty when `name` cannot be one file's name (empty,
// "." or "..", or holding "/" or a NUL).
std::string RenamedPath(const std::string& path, const std::string& name);

// Renames the row's file to `name`; the row keeps its song (tag texts, length, flags) and takes
// the new path, file name and display name of name type `nameType`. False, with nothing
// changed, when the name is refused, already taken or the move fails.
bool RenameRowFile(ExplorerRow& row, const std::string& name, int nameType);

}  // namespace velk::app
