#include "explorer/core/explorer_rename.h"

#include "core/display_name.h"
#include "core/rename_file.h"

namespace velk::app {

std::string RenamedPath(const std::string& path, const std::string& name) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\0", 2)) != std::string::npos)
        return {};
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

bool RenameRowFile(ExplorerRow& row, const std::string& name, int nameType) {
    const std::string target = RenamedPath(row.entry.path, name);
    if (target.empty()) return false;
    if (target == row.entry.path) return true;
    if (!RenameWithoutReplacing(row.entry.path, target)) return false;
    row.entry.path = target;
    row.entry.fileName = BaseName(target);
    row.entry.displayName = MakeDisplayName(row.entry, nameType);
    row.hidden = name[0] == '.';
    return true;
}

}  // namespace velk::app
