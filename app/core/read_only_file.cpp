#include "core/read_only_file.h"

#include <filesystem>

namespace velk::app {

bool IsReadOnlyFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::perms perms = fs::status(path, error).permissions();
    if (error) return true;
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace velk::app
