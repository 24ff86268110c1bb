#include "core/startup_entry.h"

#include <filesystem>
#include <system_error>

namespace velk::app {

std::string StartupEntryPath(const DesktopPaths& paths) {
    return paths.configHome + "/autostart/" + kDesktopEntryName;
}

bool StartupEntryExists(const DesktopPaths& paths) {
    std::error_code error;
    return std::filesystem::is_regular_file(StartupEntryPath(paths), error);
}

bool AddStartupEntry(const DesktopPaths& paths) {
    KeyedLines entry = PlayerDesktopEntry(paths.programPath, "-tray");
    entry.Set(kDesktopEntryGroup, "X-GNOME-Autostart-enabled", "true");
    return entry.Save(StartupEntryPath(paths));
}

}  // namespace velk::app
