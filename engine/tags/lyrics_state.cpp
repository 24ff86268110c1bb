#include "tags/lyrics_state.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "errors.h"
#include "tags/lyrics3_file.h"
#include "tags/lyrics_lines.h"
#include "tags/lyrics_view.h"

namespace velk {
namespace {

// Lyrics files are small; anything this large is not a lyrics file and is read only this far.
constexpr int64_t kMaxLyricsFileBytes = 16 * 1024 * 1024;

}  // namespace

int LyricsState::loadFile(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrLyricsFile;
    const int64_t size = std::min(file.size(), kMaxLyricsFileBytes);
    if (size < 0) return kErrLyricsFile;
    std::string bytes(static_cast<size_t>(size), '\0');
    const int64_t got = file.readAt(0, bytes.data(), bytes.size());
    if (got < 0) return kErrLyricsFile;
    bytes.resize(static_cast<size_t>(got));
    std::string_view text = bytes;
    const TextEncoding encoding = detectEncoding(text);
    table.load(splitFileText(text, settings.maxLineBytes(), encoding), settings, encoding);
    return kErrNone;
}

void LyricsState::loadTagText(std::string_view text) {
    const TextEncoding encoding = detectEncoding(text);
    table.load(splitTagText(text, encoding), settings, encoding);
}

void LyricsState::loadAtOpen(const File& file, int64_t fileSize) {
    if (!settings.lyrics3Use) return;
    auto tag = std::make_unique<Lyrics3Tag>();
    if (readLyrics3(file, fileSize, *tag) != kErrNone) return;
    loadTagText(std::string_view(tag->lyr, strnlen(tag->lyr, sizeof tag->lyr)));
}

void LyricsState::setNextAdjust(int32_t ms) {
    settings.nextAdjustMs = ms;
    table.applyNextAdjust(ms);
}

int LyricsState::updateCurrentRow(const PlayClock& clock) {
    const int64_t t = lyricsClockMs(clock, clockScale(settings, table.header()));
    table.setCurrentRow(findCurrentRow(table, settings, t, clock.lastReportedMs));
    return table.currentRow();
}

}  // namespace velk
