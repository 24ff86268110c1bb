#include "core/rename_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace velk::app {

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return false;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace move: a hard link fails on an existing name just
    // the same, and the old name goes once the new one stands.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    return unlink(from.c_str()) == 0;
}

}  // namespace velk::app
