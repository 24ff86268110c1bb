// The About box's list of the libraries the player runs on, with their versions.
#pragma once

#include <QString>

namespace velk::app {

// The engine's version number (hundredths) as "1.61".
QString EngineVersionText(int version);

// One line per library: Qt, libarchive, ALSA and, when it can be loaded, LAME.
QString LibraryVersions();

}  // namespace velk::app
