#include "core/command_line.h"

#include <cstdlib>

namespace velk::app {

namespace {

CommandLine Error(const std::string& message) {
    CommandLine line;
    line.mode = CommandLine::Mode::kError;
    line.error = message;
    return line;
}

bool ParseSeconds(const std::string& text, double& seconds) {
    if (text.empty()) return false;
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && seconds >= 0 && seconds < 1e7;
}

}  // namespace

std::string UsageText() {
    return "Usage: velkaro [PATH | -tray]\n"
           "       velkaro --screenshot PNG [--window NAME] [--at SECONDS] [PATH]\n"
           "       velkaro --help\n"
           "\n"
           "PATH is a song, a folder, a playlist (.m3u, .pls) or an archive; a running player\n"
           "takes it over. -tray starts with only the tray icon.\n"
           "--screenshot saves a picture of one window and ends; --at plays the first song up\n"
           "to that position and pauses there first. Settings and favourites stay untouched.\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    std::vector<std::string> words;
    bool windowGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            line.mode = CommandLine::Mode::kHelp;
            return line;
        } else if (arg == "--screenshot") {
            if (!hasValue) return Error("--screenshot needs a PNG file");
            line.mode = CommandLine::Mode::kPicture;
            line.pictureFile = args[++i];
        } else if (arg == "--window") {
            if (!hasValue) return Error("--window needs a window name");
            line.window = args[++i];
            windowGiven = true;
        } else if (arg == "--at") {
            if (!hasValue || !ParseSeconds(args[i + 1], line.atSeconds))
                return Error("--at needs a number of seconds");
            ++i;
        } else if (arg != "-tray" && arg.size() > 1 && arg[0] == '-') {
            return Error("unknown option " + arg);
        } else {
            words.push_back(arg);
        }
    }
    if (line.mode != CommandLine::Mode::kPicture && (windowGiven || line.atSeconds >= 0))
        return Error("--window and --at go with --screenshot");
    for (size_t i = 0; i < words.size(); ++i) line.path += (i ? " " : "") + words[i];
    std::erase(line.path, '"');
    return line;
}

}  // namespace velk::app
