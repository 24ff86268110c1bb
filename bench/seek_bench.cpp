// Seek latency on a 60-minute CBR file, with the exact seek and with the fast-seek estimate.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "velk.h"

namespace {

constexpr int kFramesPerHour = 3600 * 44100 / 1152;

// Silent 128 kbit/s 44.1 kHz frames: valid headers, nothing to decode.
const std::string& hourLongSong() {
    static const std::string path = [] {
        std::string name =
            (std::filesystem::temp_directory_path() / "velk-bench-hour.mp3").string();
        std::vector<char> frame(417, 0);
        frame[0] = static_cast<char>(0xFF);
        frame[1] = static_cast<char>(0xFB);
        frame[2] = static_cast<char>(0x90);
        frame[3] = 0x00;
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < kFramesPerHour; ++i)
            out.write(frame.data(), static_cast<std::streamsize>(frame.size()));
        return name;
    }();
    return path;
}

void seekToTheMiddle(benchmark::State& state) {
    setenv("VELKARO_AUDIO", "null", 0);
    velk_init();
    velk_setFastSeek(static_cast<int>(state.range(0)));
    InputInfo info{};
    if (!velk_open(hourLongSong().c_str(), &info) || !velk_play() || !velk_pause()) {
        state.SkipWithError("cannot play the benchmark file");
        velk_free();
        return;
    }
    int target = 1800;
    for (auto _ : state) {
        velk_seek(target);
        target = target == 1800 ? 1801 : 1800;
    }
    velk_free();
}

BENCHMARK(seekToTheMiddle)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("fast")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
