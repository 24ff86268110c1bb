// The player's command line: one path (or "-tray"), or a picture of one window.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

struct CommandLine {
    enum class Mode { kRun, kPicture, kHelp, kError };
    Mode mode = Mode::kRun;
    // Every double quote removed; "-tray" stands as it is.
    std::string path;
    std::string pictureFile;
    std::string window = "main";
    double atSeconds = -1;  // below 0: no playing before the picture
    std::string error;      // for kError
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace velk::app
