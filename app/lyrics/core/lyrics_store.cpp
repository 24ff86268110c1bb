#include "lyrics/core/lyrics_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/lyrics_side_file.h"
#include "core/playlist_entry.h"
#include "core/read_only_file.h"
#include "core/text_codec.h"
#include "lyrics/core/lyrics_editor.h"
#include "velk.h"

namespace velk::app {
namespace {

constexpr int kLyrics3Flag = VELK_TYPE_LYRICS3;

std::vector<std::string> LinesOfBytes(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::string& line : lines) line = TagTextToUtf8(line);
    return lines;
}

// Shift-JIS when every character fits, else the UTF-8 itself: no character is lost.
std::string FileBytes(const std::string& text) {
    TagTextEncoding encoded = EncodeTagTextExactly(text);
    return encoded.unencodable.empty() ? std::move(encoded.bytes) : text;
}

std::string SavedText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += WithoutUntimedTag(line) + "\n";
    return text;
}

bool EndsWithMp3(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".mp3";
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteLyrics3Text(const std::string& path, const std::string& bytes) {
    auto tag = std::make_unique<Lyrics3Tag>();
    if (bytes.size() >= sizeof tag->lyr) return false;
    std::memset(tag.get(), 0, sizeof *tag);
    velk_getFileLyricsInfo(path.c_str(), tag.get());  // a file without a block gives zeros
    std::memset(tag->lyr, 0, sizeof tag->lyr);
    std::memcpy(tag->lyr, bytes.data(), bytes.size());
    return velk_writeFileLyrics(path.c_str(), tag.get()) != 0;
}

}  // namespace

std::vector<std::string> LoadLyricsLines(const LyricsSong& song) {
    if (song.useLyrics3 && (song.fileType & kLyrics3Flag) != 0) {
        auto tag = std::make_unique<Lyrics3Tag>();
        std::memset(tag.get(), 0, sizeof *tag);
        if (velk_getFileLyricsInfo(song.path.c_str(), tag.get()) == 0) return {};
        return LinesOfBytes(std::string(tag->lyr, strnlen(tag->lyr, sizeof tag->lyr)));
    }
    const std::string file = FindLyricsFile(song.path, song.memberName);
    return file.empty() ? std::vector<std::string>() : LinesOfBytes(ReadWholeFile(file));
}

LyricsSaveTarget ChooseSaveTarget(const LyricsSong& song, bool emptyList) {
    if (!song.useLyrics3 || !song.memberName.empty() || !EndsWithMp3(song.path))
        return LyricsSaveTarget::LyricsFile;
    return emptyList ? LyricsSaveTarget::RemoveLyrics3Block : LyricsSaveTarget::Lyrics3Block;
}

LyricsSaveResult SaveLyricsLines(const LyricsSong& song, const std::vector<std::string>& lines) {
    const std::string bytes = FileBytes(SavedText(lines));
    LyricsSaveResult result;
    result.text = bytes;
    switch (ChooseSaveTarget(song, lines.empty())) {
        case LyricsSaveTarget::Lyrics3Block:
            result.saved = !IsReadOnlyFile(song.path) && WriteLyrics3Text(song.path, bytes);
            result.lyricsMark = kLyricsMark;
            break;
        case LyricsSaveTarget::RemoveLyrics3Block:
            result.text.clear();
            // A file without a block is already as wanted.
            result.saved = !IsReadOnlyFile(song.path) &&
                           ((velk_getFileType(song.path.c_str()) & kLyrics3Flag) == 0 ||
                            velk_removeFileLyrics(song.path.c_str()) != 0);
            result.lyricsMark =
                FindLyricsFile(song.path, song.memberName).empty() ? "" : kLyricsMark;
            break;
        case LyricsSaveTarget::LyricsFile: {
            const std::string file = LyricsFileToWrite(song.path, song.memberName);
            result.saved = !file.empty() && ReplaceFileContent(file, bytes);
            result.lyricsMark = kLyricsMark;
            break;
        }
    }
    return result;
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    mode_t mode = 0644;
    if (fs::exists(path, error)) {
        if (IsReadOnlyFile(path)) return false;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) mode = info.st_mode & 07777;
    }
    std::string temporary = path + ".velkXXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool written = ::fchmod(fd, mode) == 0;
    for (size_t at = 0; written && at < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + at, bytes.size() - at);
        if (n <= 0)
            written = false;
        else
            at += static_cast<size_t>(n);
    }
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace velk::app
