// velkaro-cli play FILE...: plays through the sound card with a progress line and keys.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/lyrics_line.h"
#include "cli/lyrics_text.h"
#include "cli/options.h"
#include "cli/progress.h"
#include "cli/terminal.h"
#include "cli/text_columns.h"
#include "velk.h"

namespace velk::cli {
namespace {

constexpr int kSeekStepSeconds = 5;
constexpr int kFastestSpeed = 10;
// The player's own choice for speed changes: blocks of 20 frames.
constexpr int kSpeedOutputBlock = 20;
constexpr int kRedrawMs = 100;

std::atomic<bool> songEnded{false};
std::atomic<bool> interrupted{false};

int onEngineEvent(int32_t code, int32_t) {
    if (code == VELK_CB_END_OF_SONG) songEnded = true;
    return 0;
}

void onInterrupt(int) {
    interrupted = true;
}

void seekBy(int seconds) {
    int now = 0;
    velk_getState(&now);
    velk_seek(std::max(0, now + seconds));
}

// Returns false when the user asked to quit.
bool steer(Key key, int& speed) {
    switch (key) {
        case Key::Space:
            if (velk_getState(nullptr) == VELK_STATE_PAUSED) {
                velk_restart();
            } else {
                velk_pause();
            }
            break;
        case Key::Left:
            seekBy(-kSeekStepSeconds);
            break;
        case Key::Right:
            seekBy(kSeekStepSeconds);
            break;
        case Key::Plus:
            if (speed < kFastestSpeed) velk_setPlaySpeed(++speed, kSpeedOutputBlock);
            break;
        case Key::Minus:
            if (speed > 1) velk_setPlaySpeed(--speed, kSpeedOutputBlock);
            break;
        case Key::Quit:
            return false;
        case Key::None:
            break;
    }
    return true;
}

// The label of the progress line: times, pause and speed, then the current lyrics line with its
// sung part marked when the lyrics are karaoke and the line goes to a terminal.
std::string statusLine(const InputInfo& info, int speed) {
    int seconds = 0;
    const int state = velk_getState(&seconds);
    std::string head = clockText(seconds) + " / " + clockText(info.playTime);
    if (state == VELK_STATE_PAUSED) head += "  (一時停止)";
    if (speed > 1) head += "  x" + std::to_string(speed);
    std::vector<Span> spans{{head, false}};
    LyricsView view{};
    if (velk_getLyricsCount() > 0 && velk_getCurrentLyricsView(&view)) {
        const std::string line = lyricsAsUtf8(view.current);
        const std::string sung = velk_hasKaraokeLyrics() ? lyricsAsUtf8(view.sungThrough) : "";
        std::vector<Span> lyrics = sungSpans(line, sung);
        if (!lyrics.empty()) {
            spans.push_back({"  ", false});
            spans.insert(spans.end(), lyrics.begin(), lyrics.end());
        }
    }
    const int columns = progressLabelColumns(terminalColumns(STDERR_FILENO));
    return fitSpans(spans, columns, isatty(STDERR_FILENO) != 0);
}

// A Lyrics3 block in the song comes first; else the lyrics file beside it, named as the song
// with its last three characters replaced by "txt", "lrc" or "kra".
void loadLyrics(const std::string& path) {
    if (velk_getLyricsCount() > 0 || path.size() < 3) return;
    for (const char* extension : {"txt", "lrc", "kra"}) {
        const std::string side = path.substr(0, path.size() - 3) + extension;
        if (velk_loadLyricsFile(side.c_str())) return;
    }
}

// Plays one song to its end; false when the user quit or pressed Ctrl-C. `failed` is set when
// the song could not be played.
bool playSong(const std::string& path, Options& options, RawTerminal& terminal, int& speed,
              bool& failed) {
    InputInfo info{};
    if (!velk_open(path.c_str(), &info)) {
        failed = reportEngineError(path) != 0;
        return true;
    }
    std::fprintf(stderr, "%s\n", path.c_str());
    loadLyrics(path);
    songEnded = false;
    if (!velk_play()) {
        const bool noDevice = velk_getLastErrorNo() == 25;
        failed = reportEngineError("playing " + path) != 0;
        if (noDevice) std::fprintf(stderr, "(VELKARO_AUDIO=null plays without sound)\n");
        velk_close();
        return true;
    }
    if (options.has("seek")) velk_seek(static_cast<int>(options.number("seek", 0)));
    bool keepGoing = true;
    while (!songEnded && velk_getState(nullptr) != VELK_STATE_STOPPED) {
        if (interrupted || !steer(terminal.readKey(kRedrawMs), speed)) {
            keepGoing = false;
            break;
        }
        int seconds = 0;
        velk_getState(&seconds);
        const double fraction =
            info.playTime > 0 ? static_cast<double>(seconds) / info.playTime : 0.0;
        drawProgress(fraction, statusLine(info, speed));
    }
    velk_stop();
    finishProgress();
    velk_close();
    return keepGoing;
}

int runPlay(const std::vector<std::string>& args) {
    Options options(args, {"seek", "speed", "pitch"}, {"fade-in", "fade-out"});
    int speed = static_cast<int>(options.integer("speed", 1));
    const int pitch = static_cast<int>(options.integer("pitch", 100));
    if (!options.error().empty() || options.positional().empty()) {
        std::fprintf(stderr,
                     "%s\nusage: velkaro-cli play FILE... [--seek S] [--speed N] [--pitch P] "
                     "[--fade-in] [--fade-out]\n",
                     options.error().c_str());
        return 2;
    }
    if (!velk_setPlaySpeed(speed, kSpeedOutputBlock) || !velk_setPitch(pitch)) {
        return reportEngineError("--speed or --pitch");
    }
    velk_setFadeIn(options.has("fade-in") ? 1 : 0);
    velk_setFadeOut(options.has("fade-out") ? 1 : 0);
    velk_setCallback(onEngineEvent);
    velk_setLyrics3Use(1);
    // Karaoke lines split into segments, so that the sung part can be shown as it is sung.
    velk_setKaraokeUse(1);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    RawTerminal terminal;
    bool failed = false;
    for (const auto& path : options.positional()) {
        if (!playSong(path, options, terminal, speed, failed)) break;
    }
    return failed ? 1 : 0;
}

const Registration registration{
    {"play",
     "FILE... [--seek S] [--speed N] [--pitch P] [--fade-in] [--fade-out]    play through the "
     "sound card (space pause, arrows seek, +/- speed, q quit)",
     runPlay}};

}  // namespace
}  // namespace velk::cli
