// velkaro-cli encode IN.wav OUT.mp3 [--bitrate K]: converts a PCM wave file into MPEG Layer-3
// with a progress bar; Ctrl-C stops the conversion after its current pass.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "cli/command.h"
#include "velk.h"

namespace velk::cli {
namespace {

constexpr int kBarWidth = 40;
constexpr auto kPollInterval = std::chrono::milliseconds(100);

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

void drawProgress(int64_t done, int64_t total) {
    const double fraction = total > 0 ? std::min(1.0, static_cast<double>(done) / total) : 1.0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '-');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), static_cast<int>(fraction * 100));
    std::fflush(stderr);
}

int runEncode(const std::vector<std::string>& args) {
    std::string input, output;
    int bitRate = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--bitrate" && i + 1 < args.size()) {
            try {
                bitRate = std::stoi(args[++i]);
            } catch (const std::exception&) {
                bitRate = -1;
            }
        } else if (input.empty()) {
            input = args[i];
        } else if (output.empty()) {
            output = args[i];
        } else {
            input.clear();
            break;
        }
    }
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: velkaro-cli encode IN.wav OUT.mp3 [--bitrate K]\n");
        return 2;
    }
    if (!velk_acmSetBitrate(bitRate)) return reportEngineError("--bitrate");
    int32_t info[4] = {};
    if (!velk_acmOpen(input.c_str(), info)) return reportEngineError(input);
    std::printf("%s: %d channels, %d bits, %d Hz, %d data bytes\n", input.c_str(), info[0], info[1],
                info[2], info[3]);
    if (!velk_acmEncode(output.c_str())) return reportEngineError("encoding into " + output);

    const int64_t total = static_cast<uint32_t>(info[3]);
    interrupted = 0;
    auto previous = std::signal(SIGINT, onInterrupt);
    bool stopAsked = false;
    for (;;) {
        int32_t read = 0, written = 0;
        if (!velk_acmGetStatus(&read, &written)) break;
        drawProgress(read, total);
        if (interrupted && !stopAsked) {
            velk_acmStop();
            stopAsked = true;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    std::signal(SIGINT, previous);
    if (stopAsked) {
        std::fprintf(stderr, "\nstopped: %s holds what was encoded so far\n", output.c_str());
        return 130;
    }
    drawProgress(total, total);
    std::fprintf(stderr, "\n");
    std::printf("wrote %s\n", output.c_str());
    return 0;
}

const Registration registration{
    {"encode", "IN.wav OUT.mp3 [--bitrate K]    convert PCM wave into MPEG Layer-3", runEncode}};

}  // namespace
}  // namespace velk::cli
