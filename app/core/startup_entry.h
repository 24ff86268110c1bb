// The autostart entry that starts the player in the tray when the desktop session begins:
// $XDG_CONFIG_HOME/autostart/velkaro.desktop, passing "-tray".
#pragma once

#include <string>

#include "core/file_associations.h"

namespace velk::app {

std::string StartupEntryPath(const DesktopPaths& paths);
bool StartupEntryExists(const DesktopPaths& paths);
// Writes the entry (replacing one already there). False when it cannot be written.
bool AddStartupEntry(const DesktopPaths& paths);

}  // namespace velk::app
