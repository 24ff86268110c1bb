// libFuzzer target over the lyrics text parser: lines, time tags, karaoke segments and "@"
// headers, then the current row and the view around it as playback moves through the song,
// and the text written back. The first byte chooses the settings; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tags/lyrics_export.h"
#include "tags/lyrics_lines.h"
#include "tags/lyrics_state.h"
#include "tags/lyrics_view.h"

namespace {

velk::LyricsSettings settingsFrom(uint8_t choice) {
    velk::LyricsSettings settings;
    settings.karaokeUse = (choice & 1) != 0;
    settings.atMarkHeaders = (choice & 2) != 0;
    settings.untaggedRows = (choice & 4) != 0;
    settings.timeType = (choice >> 3) % 3;
    settings.nextAdjustMs = (choice & 0x20) ? 500 : 0;
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    velk::LyricsState lyrics;
    lyrics.settings = settingsFrom(data[0]);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 0x40) {
        // As a lyrics text file arrives: lines cut to the reader's line length.
        const velk::TextEncoding encoding = velk::detectEncoding(text);
        lyrics.table.load(velk::splitFileText(text, lyrics.settings.maxLineBytes(), encoding),
                          lyrics.settings, encoding);
    } else {
        lyrics.loadTagText(text);
    }
    lyrics.setNextAdjust(lyrics.settings.nextAdjustMs);
    velk::PlayClock clock;
    clock.streamOpen = true;
    clock.sampleRate = 44100;
    for (const int64_t ms : {0LL, 999LL, 65'000LL, 3'600'000LL, 600'000'000LL}) {
        clock.playedSamples = ms * clock.sampleRate / 1000;
        clock.lastReportedMs = ms;
        const int row = lyrics.updateCurrentRow(clock);
        LyricsView view;
        velk::fillLyricsView(lyrics.table, lyrics.settings, row, view);
    }
    velk::lyricsTagText(lyrics.table);
    velk::lyricsFileText(lyrics.table);
    velk::convertRowTimes(lyrics.table, 44100, (data[0] & 0x80) != 0);
    return 0;
}
