#include "explorer/core/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string_view>

#include "core/display_name.h"
#include "core/playlist_file.h"
#include "core/sort_arrows.h"
#include "explorer/core/explorer_texts.h"

namespace velk::app {

namespace {

// A regular file by its own entry: a symbolic link, even to a file, is not one.
std::optional<ListedFile> RegularFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const std::string name = BaseName(path);
    return ListedFile{path, static_cast<uint64_t>(info.st_size),
                      static_cast<int64_t>(info.st_mtime), !name.empty() && name[0] == '.'};
}

bool NameOrder(const ListedFile& a, const ListedFile& b) {
    const int order = CompareIgnoringCase(BaseName(a.path), BaseName(b.path));
    return order != 0 ? order < 0 : a.path < b.path;
}

}  // namespace

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::vector<ListedFile>> ListFolder(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return std::nullopt;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<ListedFile> files;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (!IsListedAudioName(name)) continue;
        if (auto file = RegularFile(prefix + std::string(name))) files.push_back(std::move(*file));
    }
    std::sort(files.begin(), files.end(), NameOrder);
    return files;
}

ListingChange CompareListing(const std::vector<std::string>& rowPaths,
                             const std::vector<std::string>& waitingPaths,
                             const std::vector<ListedFile>& listing) {
    std::set<std::string> listed;
    for (const auto& file : listing) listed.insert(file.path);
    ListingChange change;
    for (size_t i = 0; i < rowPaths.size(); ++i) {
        if (!listed.count(rowPaths[i])) change.goneRows.push_back(static_cast<int>(i));
    }
    std::set<std::string> known(rowPaths.begin(), rowPaths.end());
    known.insert(waitingPaths.begin(), waitingPaths.end());
    for (const auto& file : listing) {
        if (!known.count(file.path)) change.added.push_back(file);
    }
    return change;
}

std::vector<std::string> FolderAudioFiles(const std::string& folder, bool subfolders) {
    std::vector<std::string> paths;
    if (!subfolders) {
        for (const auto& file : ListFolder(folder).value_or(std::vector<ListedFile>{}))
            paths.push_back(file.path);
        return paths;
    }
    std::vector<std::string> everything;
    CollectFolder(folder, everything);
    for (auto& path : everything) {
        if (IsListedAudioName(BaseName(path)) && RegularFile(path))
            paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace velk::app
