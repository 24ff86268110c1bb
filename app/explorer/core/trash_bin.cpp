#include "explorer/core/trash_bin.h"

#include <unistd.h>

#include <filesystem>

namespace velk::app {

namespace fs = std::filesystem;

namespace {

bool HasEntry(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    return !ec && it != fs::directory_iterator();
}

// A relative or empty root would make "files" a folder of the current directory.
bool UsableRoot(const std::string& trashRoot) {
    return !trashRoot.empty() && trashRoot[0] == '/' &&
           fs::path(trashRoot).lexically_normal() != "/";
}

}  // namespace

std::string TrashFilesFolder(const std::string& trashRoot) {
    return trashRoot + "/files";
}

bool TrashHasItems(const std::string& trashRoot) {
    if (!UsableRoot(trashRoot)) return false;
    return HasEntry(trashRoot + "/files") || HasEntry(trashRoot + "/info");
}

bool EmptyTrash(const std::string& trashRoot) {
    if (!UsableRoot(trashRoot)) return false;
    bool emptied = true;
    for (const char* part : {"/files", "/info"}) {
        std::error_code ec;
        const fs::path folder = trashRoot + part;
        if (!fs::exists(fs::symlink_status(folder, ec))) continue;
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        if (ec) emptied = false;
        for (const auto& entry : entries) {
            std::error_code removal;
            fs::remove_all(entry, removal);
            if (removal) emptied = false;
        }
    }
    return emptied;
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
    const fs::path p = fs::path(path).lexically_normal();
    const fs::path f = fs::path(folder).lexically_normal();
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        // A trailing "/" of the folder leaves an empty last part.
        if (fi->empty()) break;
        if (pi == p.end() || *pi != *fi) return false;
    }
    return true;
}

bool FolderMayBeTrashed(const std::string& folder, const std::string& trashRoot,
                        const std::vector<std::string>& keptFolders) {
    fs::path path = fs::path(folder).lexically_normal();
    if (!path.has_filename()) path = path.parent_path();
    if (!path.is_absolute() || path == path.root_path()) return false;
    const std::string normal = path.string();
    if (UsableRoot(trashRoot) &&
        (IsSameOrInside(normal, trashRoot) || IsSameOrInside(trashRoot, normal)))
        return false;
    for (const auto& kept : keptFolders) {
        if (!kept.empty() && IsSameOrInside(kept, normal)) return false;
    }
    return ::access(path.parent_path().c_str(), W_OK) == 0;
}

}  // namespace velk::app
