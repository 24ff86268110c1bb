// Where the lyrics editor reads a song's lines from and writes them to: the lyrics file beside
// the song, or the song's own Lyrics3 block. Lines are UTF-8 here, Shift-JIS in the files when
// every character fits.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

struct LyricsSong {
    std::string path;
    std::string memberName;  // non-empty for a song inside an archive
    int fileType = 0;        // the engine's FileTypeFlags of `path`
    bool useLyrics3 = true;  // the lyrics window's "Lyrics3" choice
};

// The song's Lyrics3 "LYR" lines when the choice is on and the file has a block; otherwise the
// lines of its lyrics file (none when there is none).
std::vector<std::string> LoadLyricsLines(const LyricsSong& song);

enum class LyricsSaveTarget { LyricsFile, Lyrics3Block, RemoveLyrics3Block };
// ".mp3" songs (any case) with the Lyrics3 choice on keep their lyrics inside the file; an
// empty list removes the block there.
LyricsSaveTarget ChooseSaveTarget(const LyricsSong& song, bool emptyList);

struct LyricsSaveResult {
    bool saved = false;
    std::string lyricsMark;  // the playlist row's mark after the save
    std::string text;        // the lyrics as written; empty when the block was removed
};
// Each line is written without a leading untimed tag. A failure leaves the files as they were.
LyricsSaveResult SaveLyricsLines(const LyricsSong& song, const std::vector<std::string>& lines);

// Replaces the file's bytes in one step: a temporary file beside it renamed over it. A file
// marked read-only is refused.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

}  // namespace velk::app
