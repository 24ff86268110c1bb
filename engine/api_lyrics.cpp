// Entry points of the Lyrics3 block and the lyrics table.
#include <cstring>
#include <memory>
#include <string>

#include "engine.h"
#include "errors.h"
#include "tags/lyrics3_file.h"
#include "tags/lyrics_export.h"
#include "tags/lyrics_view.h"
#include "velk.h"

using velk::Engine;
using velk::LyricsState;
using velk::PlayClock;

namespace {

Engine& engine() {
    return Engine::instance();
}
LyricsState& lyrics() {
    return engine().lyrics();
}

int fail(int code) {
    velk::setLastError(code);
    return 0;
}

int result(int code) {
    return code == velk::kErrNone ? 1 : fail(code);
}

// The five short fields that a Lyrics3Tag and a Lyrics3Info share, in either direction.
template <class To, class From>
void copyShortFields(To& to, const From& from) {
    std::memcpy(to.ind, from.ind, sizeof to.ind);
    std::memcpy(to.aut, from.aut, sizeof to.aut);
    std::memcpy(to.eal, from.eal, sizeof to.eal);
    std::memcpy(to.ear, from.ear, sizeof to.ear);
    std::memcpy(to.ett, from.ett, sizeof to.ett);
}

bool hasName(const char* fileName) {
    return fileName && *fileName;
}

// The engine's own position, until the playback side connects a clock of its own. The samples
// count at the output rate, which a reduction lowers; the clock works at the stream's rate and
// scales back by the reduction factor.
PlayClock enginePlayClock() {
    Engine& e = engine();
    PlayClock clock;
    clock.streamOpen = e.file().open;
    if (!clock.streamOpen) return clock;
    const int reduction = e.file().reductionAtOpen;
    clock.playedSamples = e.playback().playedSamples();
    clock.sampleRate = e.file().info.frequency << reduction;
    clock.reductionFactor = 1 << reduction;
    clock.lastReportedMs = int64_t{e.playback().lastSeconds()} * 1000;
    return clock;
}

PlayClock lyricsClock() {
    return lyrics().hasPlayClock() ? lyrics().playClock() : enginePlayClock();
}

// The table must hold rows and a stream must be open: the clock and the time scale need it.
bool lyricsReady(PlayClock& clock) {
    clock = lyricsClock();
    if (lyrics().table.empty() || !clock.streamOpen) {
        velk::setLastError(velk::kErrNoLyrics);
        return false;
    }
    return true;
}

bool currentView(LyricsView& view) {
    std::memset(&view, 0, sizeof view);
    PlayClock clock;
    if (!lyricsReady(clock)) return false;
    const int row = lyrics().updateCurrentRow(clock);
    velk::fillLyricsView(lyrics().table, lyrics().settings, row, view);
    return true;
}

void copyText(char* field, size_t capacity, const char* text) {
    velk::copyToField(field, capacity, text ? std::string_view(text) : std::string_view(),
                      velk::TextEncoding::ShiftJis);
}

int convertTimes(bool toWinAmp) {
    PlayClock clock;
    if (!lyricsReady(clock)) return 0;
    velk::convertRowTimes(lyrics().table, clock.sampleRate, toWinAmp);
    return 1;
}

}  // namespace

extern "C" {

int velk_adjustLyricsToFrames(void) {
    return convertTimes(true);
}

int velk_adjustLyricsFromFrames(void) {
    return convertTimes(false);
}

int velk_saveLyricsFile(const char* fileName) {
    PlayClock clock;
    if (!lyricsReady(clock)) return 0;
    velk::File file;
    if (!hasName(fileName) || !file.open(fileName, velk::File::Mode::Create)) {
        return fail(velk::kErrFileOpen);
    }
    const std::string text = velk::lyricsFileText(lyrics().table);
    return file.writeAt(0, text.data(), text.size()) ? 1 : fail(velk::kErrWrite);
}

int velk_removeFileLyrics(const char* fileName) {
    if (!hasName(fileName)) return fail(velk::kErrFileOpen);
    return result(velk::writeLyrics3(fileName, nullptr, engine().riff()));
}

int velk_writeFileLyrics(const char* fileName, const Lyrics3Tag* tag) {
    if (!hasName(fileName)) return fail(velk::kErrFileOpen);
    if (!tag) return fail(velk::kErrRange);
    return result(velk::writeLyrics3(fileName, tag, engine().riff()));
}

int velk_getFileLyricsInfo(const char* fileName, Lyrics3Tag* tag) {
    if (!hasName(fileName)) return fail(velk::kErrFileOpen);
    auto read = std::make_unique<Lyrics3Tag>();
    const int code = velk::readLyrics3(fileName, *read);
    if (tag) *tag = *read;
    return result(code);
}

int velk_writeFileLyricsEx(const char* fileName, const Lyrics3Info* info, const char* lyr,
                           const char* inf, const char* img) {
    auto tag = std::make_unique<Lyrics3Tag>();
    std::memset(tag.get(), 0, sizeof *tag);
    if (info) {
        copyShortFields(*tag, *info);
    }
    copyText(tag->lyr, sizeof tag->lyr, lyr);
    copyText(tag->inf, sizeof tag->inf, inf);
    copyText(tag->img, sizeof tag->img, img);
    return velk_writeFileLyrics(fileName, tag.get());
}

int velk_getFileLyricsInfoEx(const char* fileName, Lyrics3Info* info, char* lyr, char* inf,
                             char* img) {
    auto tag = std::make_unique<Lyrics3Tag>();
    const int ok = velk_getFileLyricsInfo(fileName, tag.get());
    if (info) {
        copyShortFields(*info, *tag);
    }
    if (lyr) std::memcpy(lyr, tag->lyr, sizeof tag->lyr);
    if (inf) std::memcpy(inf, tag->inf, sizeof tag->inf);
    if (img) std::memcpy(img, tag->img, sizeof tag->img);
    return ok;
}

int velk_reloadLyrics(void) {
    Engine& e = engine();
    if (!e.file().open) return fail(velk::kErrNoFile);
    auto tag = std::make_unique<Lyrics3Tag>();
    if (int code = velk::readLyrics3(e.file().file, e.file().file.size(), *tag)) return fail(code);
    lyrics().loadTagText(std::string_view(tag->lyr, strnlen(tag->lyr, sizeof tag->lyr)));
    return 1;
}

int velk_saveLyricsToTag(const char* fileName) {
    if (lyrics().table.empty()) return fail(velk::kErrNoLyrics);
    if (!hasName(fileName)) return fail(velk::kErrFileOpen);
    // The block's other fields stay as the file has them.
    auto tag = std::make_unique<Lyrics3Tag>();
    velk::readLyrics3(fileName, *tag);
    tag->ind[0] = tag->ind[1] = '1';
    const std::string text = velk::lyricsTagText(lyrics().table);
    velk::copyToField(tag->lyr, sizeof tag->lyr, text, lyrics().table.encoding());
    return result(velk::writeLyrics3(fileName, tag.get(), engine().riff()));
}

void velk_setLyrics3Use(int32_t on) {
    lyrics().settings.lyrics3Use = on == 1;
}

int velk_loadLyricsFile(const char* fileName) {
    lyrics().table.clear();
    if (!hasName(fileName)) return 1;
    return result(lyrics().loadFile(fileName));
}

int velk_getCurrentLyricsText(LyricsText* text) {
    LyricsView view;
    const bool ok = currentView(view);
    if (text) {
        std::memcpy(text->previousPrevious, view.previousPrevious, sizeof text->previousPrevious);
        std::memcpy(text->previous, view.previous, sizeof text->previous);
        std::memcpy(text->current, view.current, sizeof text->current);
        std::memcpy(text->next, view.next, sizeof text->next);
        std::memcpy(text->nextNext, view.nextNext, sizeof text->nextNext);
        text->untilNext = view.untilNext;
    }
    return ok ? 1 : 0;
}

int velk_getCurrentLyricsView(LyricsView* view) {
    LyricsView filled;
    const bool ok = currentView(filled);
    if (view) *view = filled;
    return ok ? 1 : 0;
}

int velk_clearLyrics(void) {
    lyrics().table.clear();
    return 1;
}

int velk_hasKaraokeLyrics(void) {
    return lyrics().table.karaokeSegmentsPresent() ? 1 : 0;
}

void velk_setKaraokeUse(int32_t on) {
    lyrics().settings.karaokeUse = on == 1;
}

void velk_setLyricsTime(int32_t timeType) {
    lyrics().settings.timeType = timeType;
}

void velk_setNotTagLyricsLine(int32_t on) {
    lyrics().settings.untaggedRows = on != 0;
}

void velk_setLyricsOffset(int32_t milliseconds) {
    lyrics().settings.offsetMs = milliseconds;
}

void velk_setLyricsNextAdjustTime(int32_t milliseconds) {
    lyrics().setNextAdjust(milliseconds);
}

void velk_useAtMarkTag(int32_t on) {
    lyrics().settings.atMarkHeaders = on == 1;
}

void velk_setLyricsTimeRatio(double ratio) {
    lyrics().settings.timeRatio = ratio;
}

int velk_getLyricsStatus(void) {
    const velk::LyricsTable& table = lyrics().table;
    if (table.karaokeSegmentsPresent()) return 2;
    return table.timeTagsPresent() ? 1 : 0;
}

int velk_enumLyricsLines(VelkLyricsLineProc proc) {
    if (lyrics().table.empty()) return fail(velk::kErrNoLyrics);
    // A copy: the procedure may reload or clear the table while it runs.
    const std::vector<LyricsEntry> rows = lyrics().table.rows();
    if (proc) {
        for (const LyricsEntry& row : rows) proc(&row);
    }
    return 1;
}

int velk_getKaraokeInfo(LyricsHeader* header) {
    if (!header) return fail(velk::kErrRange);
    *header = lyrics().table.header();
    return 1;
}

int velk_getCurrentLyrics(void) {
    PlayClock clock;
    if (!lyricsReady(clock)) return -1;
    return lyrics().updateCurrentRow(clock);
}

int velk_getLyricsCount(void) {
    return static_cast<int>(lyrics().table.rows().size());
}

}  // extern "C"
