// velk-bench-explorer-fill [COUNT ...] [--source FILE]: times filling the explorer pane's list
// for a folder of COUNT MPEG files (hard links to one real file, so that tens of thousands cost
// no disk), through the core filling and through the main window with "High Mode" off and on.
// With it off the longest stretch the event loop waited is shown as well.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/velk_player_engine.h"
#include "explorer/core/folder_fill.h"
#include "explorer/core/folder_listing.h"
#include "ui/control_ids.h"
#include "ui/player_app.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeFolder(const fs::path& folder, const fs::path& source, int count) {
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "track%06d.mp3", i);
        fs::create_hard_link(source, folder / name);
    }
    return folder;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeCore(velk::app::VelkPlayerEngine& engine, const fs::path& folder, int& rows) {
    const auto start = std::chrono::steady_clock::now();
    velk::app::FolderFill fill(engine, nullptr);
    fill.Start(
        velk::app::ListFolder(folder.string()).value_or(std::vector<velk::app::ListedFile>{}), 1);
    rows = static_cast<int>(fill.Step(nullptr).size());
    return Since(start);
}

struct WindowRun {
    double seconds = 0;
    double longestWaitMs = 0;
    int rows = 0;
};

WindowRun TimeWindow(velk::app::VelkPlayerEngine& engine, const fs::path& folder,
                     const fs::path& profile, bool highMode) {
    fs::remove_all(profile);
    fs::create_directories(profile);
    std::ofstream(profile / "velkaro.INI")
        << "[Main Window]\nHigh Mode=" << (highMode ? 1 : 0) << "\nExplorer View Type=3\n";
    velk::app::SessionOptions options;
    options.profileFolder = profile.string();
    velk::app::PlayerApp player(engine, options, {});
    velk::app::CMainWindow& window = player.Window();
    window.show();
    window.Start();
    window.findChild<QPushButton*>(velk::app::ids::ControlObjectName(velk::app::ids::kExplorerTab))
        ->click();
    QApplication::processEvents();
    velk::app::ExplorerPane& pane = window.Explorer();

    WindowRun run;
    QElapsedTimer sinceTurn;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        run.longestWaitMs = std::max(run.longestWaitMs, sinceTurn.nsecsElapsed() / 1e6);
        sinceTurn.restart();
    });
    const auto start = std::chrono::steady_clock::now();
    sinceTurn.start();
    turns.start(0);
    pane.ShowFolder(QString::fromStdString(folder.string()));
    while (pane.IsFilling()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    run.seconds = Since(start);
    turns.stop();
    run.rows = pane.List().Count();
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("VELKARO_AUDIO", "null", 0);
    std::vector<int> counts;
    fs::path source = VELK_BENCH_SOURCE_FILE;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--source") == 0 && i + 1 < argc) {
            source = argv[++i];
        } else {
            counts.push_back(std::max(std::atoi(argv[i]), 1));
        }
    }
    if (counts.empty()) counts = {5000, 50000};
    QApplication app(argc, argv);
    const fs::path work =
        fs::temp_directory_path() / ("velk-bench-explorer-" + std::to_string(getpid()));
    // The pane makes the trash's folders; they go with the bench's own.
    setenv("XDG_DATA_HOME", (work / "xdg").c_str(), 1);
    velk::app::VelkPlayerEngine engine;
    std::printf("source %s, %ju bytes\n", source.c_str(), fs::file_size(source));
    for (int count : counts) {
        const fs::path folder = MakeFolder(work / std::to_string(count), source, count);
        int rows = 0;
        const double core = TimeCore(engine, folder, rows);
        std::printf("%6d files, core:                %6d rows in %.2f s\n", count, rows, core);
        const WindowRun off = TimeWindow(engine, folder, work / "profile", false);
        std::printf("%6d files, window, High Mode off: %6d rows in %.2f s, longest wait %.0f ms\n",
                    count, off.rows, off.seconds, off.longestWaitMs);
        const WindowRun on = TimeWindow(engine, folder, work / "profile", true);
        std::printf("%6d files, window, High Mode on:  %6d rows in %.2f s\n", count, on.rows,
                    on.seconds);
        fs::remove_all(folder);
    }
    fs::remove_all(work);
    return 0;
}
