// velkaro-cli lyrics FILE [--text LYRICSFILE] [--at SECONDS] [--karaoke]
// velkaro-cli lyrics FILE --write LYRICSFILE | --remove
// Prints the lyrics table of a song (from its Lyrics3 block, or from a lyrics text file) and,
// with --at, the view of the lines around that play time; --karaoke splits lines at inner tags.
// --write puts a lyrics text file into the song's Lyrics3 block; --remove removes the block.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/command.h"
#include "cli/lyrics_text.h"
#include "cli/options.h"
#include "engine.h"
#include "tags/text_codec.h"
#include "velk.h"

namespace velk::cli {
namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: velkaro-cli lyrics FILE [--text LYRICSFILE] [--at SECONDS] [--karaoke]\n"
                 "       velkaro-cli lyrics FILE --write LYRICSFILE | --remove\n");
    return 2;
}

// The line procedure of the engine takes no context; rows arrive in table order.
int printedRows = 0;

void printRow(const LyricsEntry* row) {
    std::printf("%5d %9d %5u %7u %5u %s\n", printedRows++, row->time, row->line, row->segment,
                row->timed, lyricsAsUtf8(row->text).c_str());
}

void printTable() {
    std::printf("rows: %d  status: %d\n", velk_getLyricsCount(), velk_getLyricsStatus());
    std::printf("%5s %9s %5s %7s %5s %s\n", "row", "time", "line", "segment", "timed", "text");
    printedRows = 0;
    velk_enumLyricsLines(printRow);
}

// The lyrics clock stands at `seconds` of the open song, as if it were playing there.
void holdClockAt(double seconds, int32_t frequency) {
    PlayClock clock;
    clock.streamOpen = true;
    clock.sampleRate = frequency;
    clock.playedSamples = static_cast<int64_t>(std::floor(seconds * frequency));
    clock.lastReportedMs = static_cast<int64_t>(seconds) * 1000;
    Engine::instance().lyrics().setPlayClock([clock] { return clock; });
}

int printView(double seconds, int32_t frequency) {
    holdClockAt(seconds, frequency);
    LyricsView view;
    if (!velk_getCurrentLyricsView(&view)) return reportEngineError("lyrics view");
    std::printf("current-row: %d\n", velk_getCurrentLyrics());
    std::printf("time: %d\nline: %u\nsegment: %u\nuntil-next: %u\n", view.time, view.line,
                view.segment, view.untilNext);
    const std::pair<const char*, const char*> texts[] = {
        {"previous-previous", view.previousPrevious},
        {"previous", view.previous},
        {"current", view.current},
        {"sung-before", view.sungBefore},
        {"sung-through", view.sungThrough},
        {"segment-text", view.segmentText},
        {"next", view.next},
        {"next-next", view.nextNext},
    };
    for (const auto& [name, text] : texts) {
        std::printf("%s: %s\n", name, lyricsAsUtf8(text).c_str());
    }
    Engine::instance().lyrics().setPlayClock(nullptr);
    return 0;
}

int writeBlock(const std::string& song, const std::string& textFile) {
    std::ifstream in(textFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", textFile.c_str());
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    auto tag = std::make_unique<Lyrics3Tag>();
    velk_getFileLyricsInfo(song.c_str(), tag.get());  // keeps the block's other fields
    std::memset(tag->lyr, 0, sizeof tag->lyr);
    const std::string cut = cutCp932(text, sizeof tag->lyr - 1);
    std::memcpy(tag->lyr, cut.data(), cut.size());
    tag->ind[0] = tag->ind[1] = '1';
    if (!velk_writeFileLyrics(song.c_str(), tag.get())) {
        return reportEngineError("writing the lyrics of " + song);
    }
    std::printf("wrote %zu bytes of lyrics\n", cut.size());
    return 0;
}

int runLyrics(const std::vector<std::string>& args) {
    Options options(args, {"text", "at", "write"}, {"remove", "karaoke"});
    const double at = options.number("at", -1.0);
    if (!options.error().empty() || options.positional().size() != 1) return usage();
    const std::string song = options.positional()[0];
    if (const auto textFile = options.value("write")) return writeBlock(song, *textFile);
    if (options.has("remove")) {
        return velk_removeFileLyrics(song.c_str())
                   ? 0
                   : reportEngineError("removing the lyrics of " + song);
    }

    const auto textFile = options.value("text");
    velk_setLyrics3Use(textFile ? 0 : 1);
    velk_setKaraokeUse(options.has("karaoke") ? 1 : 0);
    InputInfo info{};
    if (!velk_open(song.c_str(), &info)) return reportEngineError(song);
    if (textFile && !velk_loadLyricsFile(textFile->c_str())) {
        return reportEngineError(*textFile);
    }
    printTable();
    const int code = at >= 0.0 ? printView(at, info.frequency) : 0;
    velk_close();
    return code;
}

const Registration registration{
    {"lyrics",
     "FILE [--text LYRICSFILE] [--at SECONDS] [--karaoke] | --write LYRICSFILE | --remove",
     runLyrics}};

}  // namespace
}  // namespace velk::cli
