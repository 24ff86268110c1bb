#include "explorer/core/trash_bin.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "core/rename_file.h"
#include "explorer/core/folder_listing.h"

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

bool WritableFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(path.c_str(), W_OK | X_OK) == 0;
}

// The path as the info file's "Path=" key holds it: bytes other than letters, digits, "/" and
// "-._~" escaped as "%XX".
std::string EscapedPath(const std::string& path) {
    std::string escaped;
    for (unsigned char c : path) {
        if (std::isalnum(c) && c < 0x80) {
            escaped += static_cast<char>(c);
        } else if (c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            escaped += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            escaped += hex;
        }
    }
    return escaped;
}

std::string InfoText(const std::string& path, std::time_t deletedAt) {
    std::tm local{};
    localtime_r(&deletedAt, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + EscapedPath(path) + "\nDeletionDate=" + date + "\n";
}

// Creates the info file of a name no entry of the trash holds yet; the name, or "".
std::string ReserveName(const std::string& trashRoot, const std::string& base,
                        const std::string& info) {
    constexpr int kMostTries = 10000;
    for (int n = 0; n < kMostTries; ++n) {
        const std::string name = n == 0 ? base : base + "." + std::to_string(n);
        if (PathExists(trashRoot + "/files/" + name)) continue;
        const std::string infoPath = trashRoot + "/info/" + name + ".trashinfo";
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {};
        }
        const bool written =
            ::write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
        if (::close(fd) != 0 || !written) {
            ::unlink(infoPath.c_str());
            return {};
        }
        return name;
    }
    return {};
}

bool DeviceOf(const std::string& path, dev_t& device) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return false;
    device = info.st_dev;
    return true;
}

// The highest folder above `path` that is still on `device`: where that file system is mounted.
fs::path MountTop(fs::path path, dev_t device) {
    while (path.has_relative_path()) {
        dev_t parent{};
        if (!DeviceOf(path.parent_path().string(), parent) || parent != device) break;
        path = path.parent_path();
    }
    return path;
}

}  // namespace

std::string TrashRootFor(const std::string& path, const std::string& homeTrash) {
    const fs::path normal = fs::path(path).lexically_normal();
    dev_t fileDevice{}, homeDevice{};
    if (!normal.is_absolute() || !DeviceOf(normal.string(), fileDevice)) return {};
    if (DeviceOf(homeTrash, homeDevice) && homeDevice == fileDevice) return homeTrash;
    const fs::path top = MountTop(normal, fileDevice);
    const std::string root = (top / (".Trash-" + std::to_string(::getuid()))).string();
    for (const std::string& folder : {root, root + "/files", root + "/info"}) {
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    }
    // Another user's folder of that name, or a link planted there, is not our trash.
    struct stat info {};
    if (::lstat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {};
    return TrashUsable(root) ? root : std::string();
}

bool TrashUsable(const std::string& trashRoot) {
    return UsableRoot(trashRoot) && WritableFolder(trashRoot + "/files") &&
           WritableFolder(trashRoot + "/info");
}

std::string MoveToTrash(const std::string& path, const std::string& trashRoot,
                        std::time_t deletedAt) {
    const fs::path normal = fs::path(path).lexically_normal();
    if (!normal.is_absolute() || !normal.has_filename() || !PathExists(path) ||
        !TrashUsable(trashRoot))
        return {};
    const std::string name =
        ReserveName(trashRoot, normal.filename().string(), InfoText(normal.string(), deletedAt));
    if (name.empty()) return {};
    const std::string target = trashRoot + "/files/" + name;
    // A rename never copies: a file of another file system stays where it is.
    if (!RenameWithoutReplacing(path, target)) {
        ::unlink((trashRoot + "/info/" + name + ".trashinfo").c_str());
        return {};
    }
    return target;
}

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
