#include "cli/progress.h"

#include <algorithm>
#include <cstdio>

namespace velk::cli {
namespace {
constexpr int kBarWidth = 32;
}  // namespace

std::string clockText(long seconds) {
    seconds = std::max(seconds, 0L);
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%02ld:%02ld", seconds / 60, seconds % 60);
    }
    return text;
}

void drawProgress(double fraction, const std::string& label) {
    const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '-');
    std::fprintf(stderr, "\r[%s] %s\033[K", bar.c_str(), label.c_str());
    std::fflush(stderr);
}

int progressLabelColumns(int terminalColumns) {
    // "[", the bar, "] " before the label.
    return std::max(0, terminalColumns - (kBarWidth + 3) - 1);
}

void finishProgress() {
    std::fputc('\n', stderr);
}

}  // namespace velk::cli
