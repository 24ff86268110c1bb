// Entry points of the engine core: lifecycle, stream information, positions and setters.
#include <algorithm>

#include "engine.h"
#include "errors.h"
#include "file_info.h"
#include "message_hook.h"
#include "stream_scan.h"
#include "velk.h"

using velk::Engine;

namespace {

Engine& engine() {
    return Engine::instance();
}

constexpr int kEngineVersion = 161;

}  // namespace

extern "C" {

int velk_init(void) {
    engine().init();
    return 1;
}

int velk_free(void) {
    engine().free();
    return 1;
}

int velk_open(const char* fileName, InputInfo* info) {
    return engine().open(fileName, info) ? 1 : 0;
}

int velk_close(void) {
    return engine().close() ? 1 : 0;
}

int velk_getVersion(void) {
    return kEngineVersion;
}

int velk_setBlockInfo(const BlockInfo* info) {
    if (!info || info->inputBlock < 1 || info->outputBlock < 1 || info->inputSleep < 0 ||
        info->outputSleep < 0) {
        velk::setLastError(velk::kErrRange);
        return 0;
    }
    if (engine().playback().state() != velk::kStopped) {
        velk::setLastError(velk::kErrBusy);
        return 0;
    }
    engine().tuning().blocks = *info;
    engine().tuning().savedOutputBlock = info->outputBlock;
    return 1;
}

void velk_getBlockInfo(BlockInfo* info) {
    if (info) *info = engine().tuning().blocks;
}

int velk_setDecodeOption(const DecodeOptions* options) {
    if (!options) {
        velk::setLastError(velk::kErrRange);
        return 0;
    }
    return engine().setDecodeOptions(*options) ? 1 : 0;
}

DecodeOptions* velk_getDecodeOption(DecodeOptions* options) {
    if (options) *options = engine().decodeOptions();
    return options;
}

void velk_setWaveOutDevice(int32_t deviceId) {
    engine().device().setDeviceId(deviceId);
}

int velk_getState(int32_t* seconds) {
    const int32_t position = engine().playback().positionSeconds(true);
    if (seconds) *seconds = position;
    return engine().playback().reportedState();
}

int64_t velk_getPlayFrameI64(void) {
    Engine& e = engine();
    if (e.file().info.outputSize < 1) return 0;
    return e.file().samplesToBytes(e.playback().playedSamples()) / e.file().info.outputSize;
}
int64_t velk_getPlayFrame(void) {
    return velk_getPlayFrameI64();
}
int64_t velk_getPlayFrame2(void) {
    return velk_getPlayFrameI64();
}
double velk_getPlayFrameDouble(void) {
    return static_cast<double>(velk_getPlayFrameI64());
}

int64_t velk_getPlaySampleI64(void) {
    return engine().playback().playedSamples();
}
int64_t velk_getPlaySample(void) {
    return velk_getPlaySampleI64();
}
double velk_getPlaySampleDouble(void) {
    return static_cast<double>(velk_getPlaySampleI64());
}

int64_t velk_getTotalSampleI64(void) {
    return engine().file().totalSamples();
}
int64_t velk_getTotalSample(void) {
    return velk_getTotalSampleI64();
}
double velk_getTotalSampleDouble(void) {
    return static_cast<double>(velk_getTotalSampleI64());
}

int64_t velk_getPlayMilliSecI64(void) {
    return engine().playback().playMilliseconds();
}
int64_t velk_getPlayMilliSec(void) {
    return velk_getPlayMilliSecI64();
}
double velk_getPlayMilliSecDouble(void) {
    return static_cast<double>(velk_getPlayMilliSecI64());
}

int velk_getFramePlayTime(void) {
    return engine().file().framePlayTime;
}

int velk_getBitrate(void) {
    const Engine& e = engine();
    return e.file().pcm ? e.file().currentBitRate.load() : e.file().currentBitRate / 1000;
}

int velk_getVolumeCaps(void) {
    return engine().device().volumeCaps();
}

int velk_getSilentFrameCount(const char* fileName) {
    velk::File file;
    if (!fileName || !*fileName || !file.open(fileName, velk::File::Mode::Read)) {
        velk::setLastError(velk::kErrFileOpen);
        return -1;
    }
    uint8_t first[128];
    if (!file.readExact(0, first, sizeof first)) {
        velk::setLastError(velk::kErrRead);
        return -1;
    }
    // The audio starts after a RIFF header, an ID3v2 tag or a MacBinary header.
    velk::AudioLayout layout;
    if (int code = velk::layoutForQuery(file, file.size(), first, layout)) {
        velk::setLastError(code);
        return -1;
    }
    int error = 0;
    velk::FrameScanner scanner(engine().decodeOptions());
    const int64_t count = velk::walkFrames(file, scanner, layout.dataStart, true, error);
    if (count < 0) {
        velk::setLastError(error);
        return -1;
    }
    return static_cast<int>(std::min<int64_t>(count, INT32_MAX));
}

int velk_getMpegInfoEx(MpegInfo* info) {
    if (!engine().file().open) {
        velk::setLastError(velk::kErrNoFile);
        return 0;
    }
    if (info) engine().fillMpegInfo(*info);
    return 1;
}

int velk_getMpegInfo(MpegInfo14* info) {
    MpegInfo full;
    if (!velk_getMpegInfoEx(&full)) return 0;
    if (info) velk::toFourteenWords(full, *info);
    return 1;
}

int velk_getMpegInfoDouble(MpegInfoDouble* info) {
    MpegInfo full;
    if (!velk_getMpegInfoEx(&full)) return 0;
    if (info) velk::toDoubleForm(full, *info);
    return 1;
}

int velk_getFileInfoEx(const char* fileName, Id3Tag* tag, MpegInfo* info) {
    MpegInfo full;
    const bool ok = velk::queryFileInfo(engine().decodeOptions(), fileName, full,
                                        {tag, nullptr, nullptr, nullptr});
    if (info) *info = full;
    return ok ? 1 : 0;
}

int velk_getFileInfo(const char* fileName, Id3Tag* tag, MpegInfo14* info) {
    MpegInfo full;
    const int result = velk_getFileInfoEx(fileName, tag, &full);
    if (info) velk::toFourteenWords(full, *info);
    return result;
}

int velk_getFileInfoDouble(const char* fileName, Id3Tag* tag, MpegInfoDouble* info) {
    MpegInfo full;
    const int result = velk_getFileInfoEx(fileName, tag, &full);
    if (info) velk::toDoubleForm(full, *info);
    return result;
}

int velk_getFileInfo2Ex(const char* fileName, Id3Tag* tag, MpegInfo* info, RiffInfoTag* riff) {
    MpegInfo full;
    const bool ok = velk::queryFileInfo(engine().decodeOptions(), fileName, full,
                                        {tag, riff, nullptr, nullptr});
    if (info) *info = full;
    return ok ? 1 : 0;
}

int velk_getFileInfo2(const char* fileName, Id3Tag* tag, MpegInfo14* info, RiffInfoTag* riff) {
    MpegInfo full;
    const int result = velk_getFileInfo2Ex(fileName, tag, &full, riff);
    if (info) velk::toFourteenWords(full, *info);
    return result;
}

int velk_getFileInfo2Double(const char* fileName, Id3Tag* tag, MpegInfoDouble* info,
                            RiffInfoTag* riff) {
    MpegInfo full;
    const int result = velk_getFileInfo2Ex(fileName, tag, &full, riff);
    if (info) velk::toDoubleForm(full, *info);
    return result;
}

int velk_getFileInfo3Ex(const char* fileName, Id3Tag* tag, MpegInfo* info, RiffInfoTag* riff,
                        int32_t* typeFlags, FileTimes* times) {
    MpegInfo full;
    const bool ok = velk::queryFileInfo(engine().decodeOptions(), fileName, full,
                                        {tag, riff, typeFlags, times});
    if (info) *info = full;
    return ok ? 1 : 0;
}

int velk_getFileInfo3(const char* fileName, Id3Tag* tag, MpegInfo14* info, RiffInfoTag* riff,
                      int32_t* typeFlags, FileTimes7* times) {
    MpegInfo full;
    FileTimes wide{};
    const int result = velk_getFileInfo3Ex(fileName, tag, &full, riff, typeFlags, &wide);
    if (info) velk::toFourteenWords(full, *info);
    if (times) {
        *times = FileTimes7{static_cast<int32_t>(wide.fileSize),
                            wide.creationDate,
                            wide.creationTime,
                            wide.accessDate,
                            wide.accessTime,
                            wide.writeDate,
                            wide.writeTime};
    }
    return result;
}

int velk_getFileInfo3Double(const char* fileName, Id3Tag* tag, MpegInfoDouble* info,
                            RiffInfoTag* riff, int32_t* typeFlags, FileTimesDouble* times) {
    MpegInfo full;
    FileTimes wide{};
    const int result = velk_getFileInfo3Ex(fileName, tag, &full, riff, typeFlags, &wide);
    if (info) velk::toDoubleForm(full, *info);
    if (times) {
        *times = FileTimesDouble{static_cast<double>(wide.fileSize),
                                 wide.creationDate,
                                 wide.creationTime,
                                 wide.accessDate,
                                 wide.accessTime,
                                 wide.writeDate,
                                 wide.writeTime};
    }
    return result;
}

int velk_setTimeLimit(int32_t on) {
    engine().tuning().clampToPlayTime = on != 0;
    return on != 0;
}

int velk_setSeekWhenStopped(int32_t on) {
    engine().tuning().seekWhenStopped = on != 0;
    return on != 0;
}

void velk_setFrameReadFlag(int32_t on) {
    engine().tuning().frameReadFlag = on != 0;
}

int velk_setFastSeek(int32_t on) {
    engine().tuning().fastSeek = on != 0;
    engine().tuning().fastSeekReported = on != 0;
    return on != 0;
}

int velk_getFastSeek(void) {
    return engine().tuning().fastSeekReported ? 1 : 0;
}

int velk_setVolume(int32_t left, int32_t right) {
    return engine().device().setVolume(left, right);
}

int velk_getVolume(int32_t* left, int32_t* right) {
    int l = 0, r = 0;
    const int result = engine().device().getVolume(l, r);
    if (left) *left = l;
    if (right) *right = r;
    return result;
}

int velk_setOutputLevel(int32_t left, int32_t right) {
    velk::FadeGains& gains = engine().gains();
    gains.setLevels(std::clamp(left, 0, 100), std::clamp(right, 0, 100));
    gains.resetToLevels();
    return gains.level(0);
}

void velk_getOutputLevel(int32_t* left, int32_t* right) {
    if (left) *left = engine().gains().level(0);
    if (right) *right = engine().gains().level(1);
}

int velk_getLastErrorNo(void) {
    return velk::lastError();
}

void velk_setMessageHook(VelkMessageHook hook) {
    velk::setMessageHook(hook);
}

}  // extern "C"
