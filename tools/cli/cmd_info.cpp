// velkaro-cli info FILE: the stream information the engine reports for a file.
#include <cstdio>

#include "cli/command.h"
#include "tags/text_codec.h"
#include "velk.h"

namespace velk::cli {
namespace {

int runInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: velkaro-cli info FILE\n");
        return 2;
    }
    const char* path = args[0].c_str();
    InputInfo in{};
    if (!velk_open(path, &in)) return reportEngineError(args[0]);
    MpegInfo mpeg{};
    velk_getMpegInfoEx(&mpeg);
    const int flags = velk_getFileType(path);
    std::printf("channels: %d\n", in.channels);
    std::printf("frequency: %d\n", in.frequency);
    std::printf("bitrate: %d\n", in.bitRate);
    std::printf("frames: %lld\n", static_cast<long long>(mpeg.frames));
    std::printf("play-time: %d\n", in.playTime);
    std::printf("version: %d\n", mpeg.version);
    std::printf("layer: %d\n", mpeg.layer);
    std::printf("mode: %d\n", mpeg.mode);
    std::printf("file-size: %lld\n", static_cast<long long>(mpeg.fileSize));
    std::printf("title: %s\n", cp932ForDisplay(in.songName).c_str());
    std::printf("artist: %s\n", cp932ForDisplay(in.artist).c_str());
    std::printf("type-flags: %d\n", flags);
    velk_close();
    return 0;
}

const Registration registration{{"info", "FILE    stream information of FILE", runInfo}};

}  // namespace
}  // namespace velk::cli
