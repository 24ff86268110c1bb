#include "engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine_settings.h"
#include "errors.h"
#include "file_info.h"
#include "message_hook.h"
#include "stream_scan.h"

namespace velk {
namespace {

// Copies at most 30 bytes of an ID3 text field with its trailing blanks removed.
void copyTrimmed(char* out, const char* in) {
    size_t n = strnlen(in, 30);
    while (n > 0 && (in[n - 1] == ' ' || in[n - 1] == '\0')) --n;
    std::memcpy(out, in, n);
    out[n] = '\0';
}

constexpr DecodeOptions kDefaultDecodeOptions{0, 0, 24000};

double timeRatioFactor(int reduction) {
    return reduction == 0 ? 4.0 : reduction == 1 ? 2.0 : 1.0;
}

}  // namespace

Engine& Engine::instance() {
    static Engine engine;
    return engine;
}

Engine::Engine() = default;
Engine::~Engine() = default;

bool Engine::setDecodeOptions(const DecodeOptions& options) {
    // Mono mixing (bit 0) and 8-bit samples (bit 3) may be asked for; the left-only and
    // right-only conversions stay internal to the decoder_.
    constexpr int kAcceptedConvertBits = 1 | 8;
    if (options.reduction < 0 || options.reduction > 2 ||
        (options.convert & ~kAcceptedConvertBits) != 0 || options.freqLimit <= 0) {
        setLastError(kErrRange);
        return false;
    }
    if (playback_.state() != kStopped) {
        setLastError(kErrBusy);
        return false;
    }
    file_.timeRatio = timeRatioFactor(file_.reductionAtOpen) / timeRatioFactor(options.reduction);
    decoder_.setOptions(options);
    return true;
}

void Engine::fillMpegInfo(MpegInfo& out) {
    out = MpegInfo{};
    fillHeaderWords(file_.info.header, out);
    out.channels = file_.info.channels;
    out.bitRate = file_.info.bitRate >= 1000 ? file_.info.bitRate / 1000 : file_.info.bitRate;
    out.frequency = file_.info.frequency;
    out.fileSize = file_.fileSize;
    if (file_.info.frames == 0 && file_.info.minInputSize > 0) {
        file_.info.frames = file_.dataSize / file_.info.minInputSize;
    }
    out.frames = file_.info.frames;
    out.playTime = file_.info.frequency > 0
                       ? static_cast<int32_t>(file_.totalSamples() / file_.info.frequency)
                       : 0;
}

void Engine::closeFile() {
    file_.file.close();
    file_.open = false;
}

bool Engine::close() {
    if (!file_.open) {
        setLastError(kErrNoFile);
        return false;
    }
    playback_.stopThread();
    closeFile();
    return true;
}

void Engine::init() {
    decoder_.setOptions(kDefaultDecodeOptions);
    callbacks_.clear();
    closeFile();
    file_.info.vbrTable = &file_.vbr;
    decoder_.synthesis().setEqualizer(nullptr);
}

void Engine::resetSettings() {
    tuning_ = Tuning{};
    gains_ = FadeGains{};
    lyrics_.settings = LyricsSettings{};
    lyrics_.table.clear();
    riff_ = RiffSettings{};
    spectrum_.setMode(SpectrumAnalyser::kHann);
    decoder_.setOptions(kDefaultDecodeOptions);
    decoder_.synthesis().setEqualizer(nullptr);
    device_.resetSettings();
    conversion_.setBitRate(0);
    callbacks_.clear();
    setMessageHook(nullptr);
}

void Engine::free() {
    callbacks_.clear();
    timer_.stop();
    if (device_.used()) playback_.stopThread();
    if (file_.open) {
        playback_.stopThread();
        closeFile();
    } else {
        setLastError(kErrNoFile);
    }
    if (device_.used()) {
        device_.reset();
        device_.close();
    }
    playback_.stopThread();
    playback_.releaseBuffers();
    file_.vbr.entries.clear();
    file_.vbr.entries.shrink_to_fit();
    conversion_.release();
    // A velk_init after this must find the engine as a new process does.
    resetSettings();
}

void Engine::describePcm(const AudioLayout& layout, InputInfo& result) {
    file_.pcm = true;
    file_.info = pcmStreamInfo(layout.tags.wave, file_.dataSize);
    file_.currentBitRate = file_.info.bitsPerSample;
    std::strcpy(result.songName, "WAVE_FORMAT_PCM");
    std::strcpy(result.artist, "WAVE_FORMAT_PCM");
    result.channels = file_.info.channels;
    result.bitRate = file_.info.bitsPerSample;
    result.frequency = file_.info.frequency;
}

int Engine::analyseMpeg(InputInfo& result) {
    const int64_t dataEnd = file_.dataStart + file_.dataSize;
    if (file_.dataStart == 0) {
        uint8_t first[128];
        if (!file_.file.readExact(0, first, sizeof first)) return kErrRead;
        if (hasMacBinaryHeader(first)) file_.dataStart = 128;
    }
    file_.vbr = VbrTable{};
    file_.info.vbrTable = &file_.vbr;
    if (int code = locateFirstFrame(file_.file, decoder_, file_.dataStart, dataEnd, kSyncWindow,
                                    file_.info)) {
        return code;
    }
    decoder_.adoptStream(file_.info);
    result.channels = file_.info.channels;
    result.bitRate = file_.info.bitRate / 1000;
    result.frequency = file_.info.frequency;
    file_.currentBitRate = file_.info.bitRate;
    if (tuning_.frameReadFlag) {
        int error = 0;
        const int64_t counted = walkFrames(file_.file, decoder_, file_.dataStart, false, error);
        if (counted >= 0) file_.info.frames = counted;
    } else if (file_.info.frames == 0 && file_.info.minInputSize > 0) {
        file_.info.frames = file_.dataSize / file_.info.minInputSize;
    }
    return kErrNone;
}

bool Engine::open(const char* fileName, InputInfo* info) {
    if (!fileName || !*fileName) {
        setLastError(kErrFileOpen);
        return false;
    }
    if (file_.open) {
        playback_.stopThread();
        closeFile();
    } else {
        setLastError(kErrNoFile);
    }
    file_.pcm = false;
    loadEngineSettings(*this);
    if (!file_.file.open(fileName, File::Mode::Read)) {
        setLastError(kErrFileOpen);
        return false;
    }
    file_.name = fileName;
    file_.fileSize = file_.file.size();
    lyrics_.loadAtOpen(file_.file, file_.fileSize);

    InputInfo result{};
    AudioLayout layout;
    int code = layoutForOpen(file_.file, file_.fileSize, layout);
    if (code == kErrNone) {
        file_.dataStart = layout.dataStart;
        file_.dataSize = layout.dataSize;
        file_.tags = layout.tags;
        if (layout.hasId3v1) {
            copyTrimmed(result.songName, layout.tags.id3.title);
            copyTrimmed(result.artist, layout.tags.id3.artist);
        }
        copyId3v2Titles(layout, result.songName, result.artist);
        if (layout.pcm) {
            describePcm(layout, result);
        } else {
            code = analyseMpeg(result);
        }
    }
    if (code != kErrNone) {
        closeFile();
        setLastError(code);
        return false;
    }
    file_.info.vbrTable = &file_.vbr;
    const int64_t playMs =
        file_.info.frequency > 0 ? file_.totalSamples() * 1000 / file_.info.frequency : 0;
    file_.playTime = static_cast<int32_t>(playMs / 1000);
    result.playTime = file_.playTime;
    const FrameHeader& h = file_.info.header;
    file_.framePlayTime =
        static_cast<int32_t>(static_cast<double>(file_.info.frames) *
                             reportedFrameMilliseconds(h.layer, h.samplingFrequencyIndex) / 1000.0);
    file_.reductionAtOpen = decoder_.options().reduction;
    file_.timeRatio = 1.0;
    file_.open = true;
    if (info) *info = result;
    return true;
}

}  // namespace velk
