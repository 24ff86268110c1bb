#include "core/velk_player_engine.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "core/speed_pitch.h"
#include "core/text_codec.h"
#include "velk.h"

namespace velk::app {

namespace {

// The engine's callback carries no context; the engine is one per process, and so is the port
// whose notice it delivers.
std::atomic<VelkPlayerEngine*> gPort{nullptr};

}  // namespace

// Runs on the decode thread: nothing here may call back into the engine.
int VelkPlayerEngine::EngineCallback(int32_t code, int32_t) {
    if (code != VELK_CB_END_OF_SONG) return 0;
    VelkPlayerEngine* port = gPort.load();
    if (!port) return 0;
    std::lock_guard lock(port->endNoticeMutex_);
    if (port->endNotice_) port->endNotice_();
    return 0;
}

VelkPlayerEngine::VelkPlayerEngine() {
    velk_init();
    velk_setFastSeek(0);
    velk_setTimeLimit(0);
}

VelkPlayerEngine::~VelkPlayerEngine() {
    velk_clearCallback();
    // Ends the decode thread, so no callback can still be on its way to this port.
    velk_free();
    gPort = nullptr;
}

int VelkPlayerEngine::FileType(const std::string& path) {
    const int flags = velk_getFileType(path.c_str());
    return flags > 0 ? flags : 0;
}

bool VelkPlayerEngine::FileInfo(const std::string& path, ProbedFile& out) {
    Id3Tag tag{};
    MpegInfo14 info{};
    if (!velk_getFileInfo(path.c_str(), &tag, &info)) return false;
    tag.title[sizeof tag.title - 1] = '\0';
    tag.artist[sizeof tag.artist - 1] = '\0';
    out.title = TagTextToUtf8(tag.title);
    out.artist = TagTextToUtf8(tag.artist);
    out.length = info.playTime > 0 ? info.playTime : 0;
    out.frames = info.frames > 0 ? info.frames : 0;
    return true;
}

bool VelkPlayerEngine::Open(const std::string& path) {
    InputInfo info{};
    return velk_open(path.c_str(), &info) != 0;
}

bool VelkPlayerEngine::Play() {
    return velk_play() != 0;
}
void VelkPlayerEngine::Pause() {
    velk_pause();
}
void VelkPlayerEngine::Restart() {
    velk_restart();
}
void VelkPlayerEngine::Stop() {
    velk_stop();
}
void VelkPlayerEngine::Close() {
    velk_close();
}
void VelkPlayerEngine::Seek(int seconds) {
    velk_seek(seconds);
}

int VelkPlayerEngine::State(int* seconds) {
    int32_t position = 0;
    const int state = velk_getState(&position);
    if (seconds) *seconds = position;
    return state;
}

void VelkPlayerEngine::SetVolume(int left, int right) {
    velk_setVolume(left, right);
}

int VelkPlayerEngine::LeftVolume() {
    int32_t left = 0, right = 0;
    return velk_getVolume(&left, &right) ? left : 100;
}

void VelkPlayerEngine::SetPlaySpeed(int multiplier) {
    velk_setPlaySpeed(multiplier, kSpeedOutputBlocks);
}

void VelkPlayerEngine::SetPitch(int percent) {
    velk_setPitch(percent);
}

void VelkPlayerEngine::SetFades(bool fadeIn, bool fadeOut) {
    velk_setFadeIn(fadeIn ? 1 : 0);
    velk_setFadeOut(fadeOut ? 1 : 0);
}

int VelkPlayerEngine::SilentFrameCount(const std::string& path) {
    return velk_getSilentFrameCount(path.c_str());
}

void VelkPlayerEngine::RegisterEndNotice(std::function<void()> onEnd) {
    {
        std::lock_guard lock(endNoticeMutex_);
        endNotice_ = std::move(onEnd);
    }
    gPort = this;
    velk_setCallback(&EngineCallback);
}

bool VelkPlayerEngine::PrepareLyrics(const std::string& lyricsFile, bool useLyrics3) {
    velk_useAtMarkTag(0);
    velk_setKaraokeUse(1);
    velk_loadLyricsFile("");
    bool loaded = false;
    if (!lyricsFile.empty()) loaded = velk_loadLyricsFile(lyricsFile.c_str()) != 0;
    velk_setLyrics3Use(lyricsFile.empty() || useLyrics3 ? 1 : 0);
    return loaded;
}

void VelkPlayerEngine::SetLyricsTiming(int offsetMs, double timeRatio) {
    velk_setLyricsTimeRatio(1.0);
    velk_setLyricsOffset(offsetMs);
    if (timeRatio != 0.0) {
        velk_setLyricsTime(0);
        velk_setLyricsTimeRatio(timeRatio);
    }
}

// The engine takes lyrics only from a file, and the open song's own block it read when the
// song opened; the new text goes through a temporary file.
void VelkPlayerEngine::ReloadLyrics(const std::string& text) {
    velk_loadLyricsFile("");
    if (text.empty()) return;
    std::string path = (std::filesystem::temp_directory_path() / "velk-lyrics-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (written) velk_loadLyricsFile(path.c_str());
    ::unlink(path.c_str());
}

bool VelkPlayerEngine::CurrentLyricsView(LyricsViewText& out) {
    LyricsView view{};
    if (!velk_getCurrentLyricsView(&view)) return false;
    // The engine's fields are fixed arrays; a full one may lack its NUL.
    const auto text = [](const char(&field)[128]) {
        return TagTextToUtf8(std::string(field, strnlen(field, sizeof field)));
    };
    out.time = view.time;
    out.line = static_cast<int>(view.line);
    out.segment = static_cast<int>(view.segment);
    out.untilNext = static_cast<int>(view.untilNext);
    out.nextNext = text(view.nextNext);
    out.next = text(view.next);
    out.segmentText = text(view.segmentText);
    out.sungBefore = text(view.sungBefore);
    out.sungThrough = text(view.sungThrough);
    out.current = text(view.current);
    out.previous = text(view.previous);
    out.previousPrevious = text(view.previousPrevious);
    return true;
}

int VelkPlayerEngine::PlaySpeed() {
    return velk_getPlaySpeed();
}

int VelkPlayerEngine::Pitch() {
    return velk_getPitch();
}

int VelkPlayerEngine::WaveData(VisualChannel& left, VisualChannel& right) {
    return velk_getWaveData(left.data(), right.data());
}

int VelkPlayerEngine::SpectrumData(VisualChannel& left, VisualChannel& right) {
    return velk_getSpectrumData(left.data(), right.data());
}

void VelkPlayerEngine::SetEqualizer(const std::array<int, 10>& values) {
    std::array<int32_t, 10> table{};
    std::copy(values.begin(), values.end(), table.begin());
    velk_setEqualizer(table.data());
}

bool VelkPlayerEngine::SetBlocks(const EngineBlocks& blocks) {
    const BlockInfo info{blocks.inputBlock, blocks.outputBlock, blocks.inputSleep,
                         blocks.outputSleep};
    return velk_setBlockInfo(&info) != 0;
}

}  // namespace velk::app
