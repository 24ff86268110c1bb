// velkaro-cli riff FILE [--wrap wave|rmp3 | --unwrap]
// Without options it prints the RIFF INFO fields (Shift-JIS shown as UTF-8); the options wrap
// a plain MPEG file into RIFF or unwrap a RIFF file, in place.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/command.h"
#include "tags/riff_info_ids.h"
#include "tags/text_codec.h"
#include "velk.h"

namespace velk::cli {
namespace {

int usage() {
    std::fprintf(stderr, "usage: velkaro-cli riff FILE [--wrap wave|rmp3 | --unwrap]\n");
    return 2;
}

int printInfo(const std::string& path) {
    auto tag = std::make_unique<RiffInfoTagEx>();
    if (!velk_getFileRiffInfo(path.c_str(), tag.get())) {
        return reportEngineError("reading the INFO list of " + path);
    }
    for (int i = 0; i < VELK_RIFFX_COUNT; ++i) {
        if (tag->field[i][0]) {
            std::printf("%s: %s\n", kExInfoIds[i], cp932ForDisplay(tag->field[i]).c_str());
        }
    }
    return 0;
}

int convert(const std::string& path, int (*operation)(const char*), const char* what) {
    if (operation(path.c_str())) return 0;
    return reportEngineError(std::string(what) + " " + path);
}

int runRiff(const std::vector<std::string>& args) {
    if (args.size() == 1) return printInfo(args[0]);
    if (args.size() == 2 && args[1] == "--unwrap") {
        return convert(args[0], velk_convertRiffToMpeg, "unwrapping");
    }
    if (args.size() == 3 && args[1] == "--wrap") {
        if (args[2] == "wave") return convert(args[0], velk_convertToRiff, "wrapping");
        if (args[2] == "rmp3") return convert(args[0], velk_convertToRmp3, "wrapping");
    }
    return usage();
}

const Registration registration{
    {"riff", "FILE [--wrap wave|rmp3 | --unwrap]    print the INFO fields, or convert", runRiff}};

}  // namespace
}  // namespace velk::cli
