// velk-bench-add-files [COUNT]: times adding a folder tree of COUNT small real MPEG files,
// through the playlist core with "High Mode" on and through the main window with it on and off.
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/file_intake.h"
#include "core/velk_player_engine.h"
#include "ui/player_app.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kFileBytes = 5 * 418;  // five frames of a 128 kbit/s, 44.1 kHz stream
constexpr int kFilesPerFolder = 100;

fs::path MakeTree(const fs::path& root, const std::string& source, int count) {
    std::ifstream in(source, std::ios::binary);
    std::string bytes(kFileBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    for (int i = 0; i < count; ++i) {
        const fs::path folder = root / ("album" + std::to_string(i / kFilesPerFolder));
        fs::create_directories(folder);
        std::ofstream(folder / ("track" + std::to_string(i) + ".mp3"), std::ios::binary) << bytes;
    }
    return root;
}

template <typename F>
double Seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeWindow(velk::app::VelkPlayerEngine& engine, const fs::path& tree,
                  const fs::path& profile, bool highMode, int& rows) {
    fs::remove_all(profile);
    fs::create_directories(profile);
    std::ofstream(profile / "velkaro.INI")
        << "[Main Window]\nHigh Mode=" << (highMode ? 1 : 0) << "\n";
    velk::app::SessionOptions options;
    options.profileFolder = profile.string();
    velk::app::PlayerApp player(engine, options, {});
    velk::app::CMainWindow& window = player.Window();
    window.Start();
    const double seconds =
        Seconds([&] { window.AddDroppedPaths({QString::fromStdString(tree.string())}); });
    rows = window.List().Count();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("VELKARO_AUDIO", "null", 0);
    const int count = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 10000;
    QApplication app(argc, argv);
    const fs::path work =
        fs::temp_directory_path() / ("velk-bench-add-" + std::to_string(getpid()));
    const fs::path tree = MakeTree(work / "tree", VELK_BENCH_SOURCE_FILE, count);

    velk::app::VelkPlayerEngine engine;
    velk::app::Playlist list;
    velk::app::FileIntake intake(list, engine);
    intake.options.highMode = true;
    const double core = Seconds([&] { intake.AddDropped({tree.string()}); });
    std::printf("core, High Mode on:    %d files in %.2f s\n", list.Count(), core);

    int rows = 0;
    const double on = TimeWindow(engine, tree, work / "profile", true, rows);
    std::printf("window, High Mode on:  %d files in %.2f s\n", rows, on);
    const double off = TimeWindow(engine, tree, work / "profile", false, rows);
    std::printf("window, High Mode off: %d files in %.2f s (the window kept running)\n", rows,
                off);
    fs::remove_all(work);
    return 0;
}
