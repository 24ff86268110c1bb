#include "core/velk_tag_port.h"

#include <filesystem>

namespace velk::app {
namespace {

// A file nobody may write counts as read-only even for the superuser, whose writes the system
// would let through: the user marked the file so that it stays as it is.
bool IsReadOnly(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::perms perms = fs::status(path, error).permissions();
    if (error) return true;
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace

bool VelkTagPort::Read(const std::string& path, Id3Tag& tag) {
    return velk_getFileTag(path.c_str(), &tag) != 0;
}

bool VelkTagPort::Write(const std::string& path, const Id3Tag& tag, bool openInPlayer) {
    if (IsReadOnly(path)) return false;
    return velk_writeTag(path.c_str(), &tag, openInPlayer ? 1 : 0, 1) != 0;
}

}  // namespace velk::app
