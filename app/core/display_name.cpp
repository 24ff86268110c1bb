#include "core/display_name.h"

namespace velk::app {

bool IsPresent(const std::string& field) {
    return !field.empty() && field[0] != ' ';
}

std::string MakeDisplayName(const PlaylistEntry& entry, int nameType) {
    if (nameType == 0 || IsPresent(entry.title)) return entry.title;
    // A member's name may carry the folders inside its archive.
    return BaseName(entry.fileName);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string TitleDisplayText(const PlaylistEntry& entry) {
    std::string text;
    if (IsPresent(entry.artist)) text = entry.artist + " / ";
    if (IsPresent(entry.title)) return text + entry.title;
    const std::string name = BaseName(entry.path);
    return text + name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
}

}  // namespace velk::app
