// libFuzzer target over the engine's entry points on a whole file: the open with its container,
// tag and first-frame reading and the lyrics it loads, then the readers that take a file name.
// Settings come from a folder of its own, so a developer's settings file plays no part.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "scratch_file.h"
#include "velk.h"

namespace {

void ignoreRow(const LyricsEntry*) {}

void readOpenFile() {
    MpegInfo info;
    velk_getMpegInfoEx(&info);
    Id3Tag tag;
    velk_getTag(&tag);
    auto riff = std::make_unique<RiffInfoTag>();
    velk_getRiffInfo(riff.get());
    velk_enumLyricsLines(ignoreRow);
    LyricsHeader header;
    velk_getKaraokeInfo(&header);
    velk_reloadLyrics();
}

void readByName(const char* path) {
    Id3Tag tag;
    velk_getFileTag(path, &tag);
    Id3TagEx tagEx;
    velk_getFileTagV2(path, &tagEx);
    auto lyrics = std::make_unique<Lyrics3Tag>();
    velk_getFileLyricsInfo(path, lyrics.get());
    auto parts = std::make_unique<Lyrics3Info>();
    auto lyr = std::make_unique<char[]>(sizeof lyrics->lyr);
    auto inf = std::make_unique<char[]>(sizeof lyrics->inf);
    auto img = std::make_unique<char[]>(sizeof lyrics->img);
    velk_getFileLyricsInfoEx(path, parts.get(), lyr.get(), inf.get(), img.get());
    auto riffEx = std::make_unique<RiffInfoTagEx>();
    velk_getFileRiffInfo(path, riffEx.get());
    auto riff512 = std::make_unique<RiffInfoTag512>();
    velk_getFileRiffInfo2(path, riff512.get());
    MpegInfo info;
    auto riff = std::make_unique<RiffInfoTag>();
    int32_t flags = 0;
    FileTimes times;
    velk_getFileInfo3Ex(path, &tag, &info, riff.get(), &flags, &times);
    velk_getFileType(path);
    velk_getSilentFrameCount(path);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TMPDIR");
    static std::string settingsHome =
        std::string(folder && *folder ? folder : "/tmp") + "/velk-fuzz-home-XXXXXX";
    if (!mkdtemp(settingsHome.data())) std::abort();
    std::atexit([] { rmdir(settingsHome.c_str()); });
    setenv("XDG_CONFIG_HOME", settingsHome.c_str(), 1);
    setenv("VELKARO_AUDIO", "null", 1);
    velk_init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velk::fuzz::ScratchFile scratch;
    const std::string& path = scratch.hold(data, size);
    // The lyrics options vary with the input's length, so the seeds reach each of them.
    velk_setLyrics3Use(1);
    velk_setKaraokeUse(static_cast<int32_t>(size & 1));
    velk_useAtMarkTag(static_cast<int32_t>((size >> 1) & 1));
    InputInfo input;
    if (velk_open(path.c_str(), &input)) {
        readOpenFile();
        velk_close();
    }
    readByName(path.c_str());
    return 0;
}
