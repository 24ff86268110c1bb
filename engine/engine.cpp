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

int64_t Engine::bytesToSamples(int64_t bytes) const {
    return pcmBytesToSamples(bytes, file.info.bitsPerSample, file.info.channels);
}

int64_t Engine::samplesToBytes(int64_t samples) const {
    return pcmSamplesToBytes(samples, file.info.bitsPerSample, file.info.channels);
}

int64_t Engine::totalSamples() const {
    return bytesToSamples(file.info.frames * file.info.outputSize);
}

int64_t Engine::playedSamples() {
    if (outputMode.load() == kOutputWaveFile) {
        return basePosition.load() + bytesToSamples(waveBytesWritten.load());
    }
    return basePosition.load() + device.position();
}

int64_t Engine::playMilliseconds() {
    const int frequency = file.info.frequency;
    if (frequency == 0 || file.playTime == 0) return 0;
    const double k = wholeMsFrameScale(frequency);
    auto ms = static_cast<int64_t>(playedSamples() * 1000 / frequency);
    ms = static_cast<int64_t>(static_cast<double>(ms) * k);
    ms = static_cast<int64_t>(static_cast<double>(ms) * file.timeRatio);
    return static_cast<int32_t>(ms);
}

int32_t Engine::positionSeconds(bool clamp) {
    const int frequency = file.info.frequency;
    if (frequency <= 0) return 0;
    int64_t seconds;
    if (outputMode.load() == kOutputWaveFile) {
        seconds = (basePosition.load() + bytesToSamples(waveBytesWritten.load())) / frequency;
    } else {
        seconds = static_cast<int64_t>(static_cast<double>(playedSamples() * 1000 / frequency) *
                                       0.001 * file.timeRatio);
    }
    if (clamp && tuning.clampToPlayTime) seconds = std::min<int64_t>(seconds, file.playTime);
    lastSeconds = static_cast<int32_t>(seconds);
    return lastSeconds;
}

int Engine::reportedState() const {
    return (seeking.load() || repositioning.load()) ? reported.load() : state.load();
}

bool Engine::setDecodeOptions(const DecodeOptions& options) {
    // Mono mixing (bit 0) and 8-bit samples (bit 3) may be asked for; the left-only and
    // right-only conversions stay internal to the decoder.
    constexpr int kAcceptedConvertBits = 1 | 8;
    if (options.reduction < 0 || options.reduction > 2 ||
        (options.convert & ~kAcceptedConvertBits) != 0 || options.freqLimit <= 0) {
        setLastError(kErrRange);
        return false;
    }
    if (state.load() != kStopped) {
        setLastError(kErrBusy);
        return false;
    }
    file.timeRatio = timeRatioFactor(file.reductionAtOpen) / timeRatioFactor(options.reduction);
    decoder.setOptions(options);
    return true;
}

void Engine::fillMpegInfo(MpegInfo& out) {
    out = MpegInfo{};
    fillHeaderWords(file.info.header, out);
    out.channels = file.info.channels;
    out.bitRate = file.info.bitRate >= 1000 ? file.info.bitRate / 1000 : file.info.bitRate;
    out.frequency = file.info.frequency;
    out.fileSize = file.fileSize;
    if (file.info.frames == 0 && file.info.minInputSize > 0) {
        file.info.frames = file.dataSize / file.info.minInputSize;
    }
    out.frames = file.info.frames;
    out.playTime =
        file.info.frequency > 0 ? static_cast<int32_t>(totalSamples() / file.info.frequency) : 0;
}

void Engine::notify(int code, int value) {
    if (!callbackEnabled) return;
    if (code != kCbFrameError && (seeking || repositioning)) return;
    if (const VelkCallback procedure = callback.load()) procedure(code, value);
}

void Engine::closeFile() {
    file.file.close();
    file.open = false;
}

bool Engine::close() {
    if (!file.open) {
        setLastError(kErrNoFile);
        return false;
    }
    playback.stopThread();
    closeFile();
    return true;
}

void Engine::init() {
    decoder.setOptions(kDefaultDecodeOptions);
    callback = nullptr;
    callbackEnabled = false;
    closeFile();
    state = kStopped;
    file.info.vbrTable = &file.vbr;
    decoder.synthesis().setEqualizer(nullptr);
}

void Engine::resetSettings() {
    tuning = Tuning{};
    gains = FadeGains{};
    lyrics.settings = LyricsSettings{};
    lyrics.table.clear();
    riff = RiffSettings{};
    spectrum.setMode(SpectrumAnalyser::kHann);
    decoder.setOptions(kDefaultDecodeOptions);
    decoder.synthesis().setEqualizer(nullptr);
    device.resetSettings();
    conversion.setBitRate(0);
    callback = nullptr;
    callbackEnabled = false;
    setMessageHook(nullptr);
}

void Engine::free() {
    callback = nullptr;
    callbackEnabled = false;
    timer.stop();
    if (device.used()) playback.stopThread();
    if (file.open) {
        playback.stopThread();
        closeFile();
    } else {
        setLastError(kErrNoFile);
    }
    if (device.used()) {
        device.reset();
        device.close();
    }
    playback.stopThread();
    playback.releaseBuffers();
    file.vbr.entries.clear();
    file.vbr.entries.shrink_to_fit();
    conversion.release();
    // A velk_init after this must find the engine as a new process does.
    resetSettings();
}

void Engine::describePcm(const AudioLayout& layout, InputInfo& result) {
    file.pcm = true;
    file.info = pcmStreamInfo(layout.tags.wave, file.dataSize);
    file.currentBitRate = file.info.bitsPerSample;
    std::strcpy(result.songName, "WAVE_FORMAT_PCM");
    std::strcpy(result.artist, "WAVE_FORMAT_PCM");
    result.channels = file.info.channels;
    result.bitRate = file.info.bitsPerSample;
    result.frequency = file.info.frequency;
}

int Engine::analyseMpeg(InputInfo& result) {
    const int64_t dataEnd = file.dataStart + file.dataSize;
    if (file.dataStart == 0) {
        uint8_t first[128];
        if (!file.file.readExact(0, first, sizeof first)) return kErrRead;
        if (hasMacBinaryHeader(first)) file.dataStart = 128;
    }
    file.vbr = VbrTable{};
    file.info.vbrTable = &file.vbr;
    if (int code = locateFirstFrame(file.file, decoder, file.dataStart, dataEnd, kSyncWindow,
                                    file.info, true)) {
        return code;
    }
    result.channels = file.info.channels;
    result.bitRate = file.info.bitRate / 1000;
    result.frequency = file.info.frequency;
    file.currentBitRate = file.info.bitRate;
    if (tuning.frameReadFlag) {
        int error = 0;
        const int64_t counted = walkFrames(file.file, decoder, file.dataStart, false, error);
        if (counted >= 0) file.info.frames = counted;
    } else if (file.info.frames == 0 && file.info.minInputSize > 0) {
        file.info.frames = file.dataSize / file.info.minInputSize;
    }
    return kErrNone;
}

bool Engine::open(const char* fileName, InputInfo* info) {
    if (!fileName || !*fileName) {
        setLastError(kErrFileOpen);
        return false;
    }
    if (file.open) {
        playback.stopThread();
        closeFile();
    } else {
        setLastError(kErrNoFile);
    }
    file.pcm = false;
    loadEngineSettings(*this);
    if (!file.file.open(fileName, File::Mode::Read)) {
        setLastError(kErrFileOpen);
        return false;
    }
    file.name = fileName;
    file.fileSize = file.file.size();
    lyrics.loadAtOpen(file.file, file.fileSize);

    InputInfo result{};
    AudioLayout layout;
    int code = layoutForOpen(file.file, file.fileSize, layout);
    if (code == kErrNone) {
        file.dataStart = layout.dataStart;
        file.dataSize = layout.dataSize;
        file.tags = layout.tags;
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
    file.info.vbrTable = &file.vbr;
    const int64_t playMs =
        file.info.frequency > 0 ? totalSamples() * 1000 / file.info.frequency : 0;
    file.playTime = static_cast<int32_t>(playMs / 1000);
    result.playTime = file.playTime;
    const FrameHeader& h = file.info.header;
    file.framePlayTime =
        static_cast<int32_t>(static_cast<double>(file.info.frames) *
                             reportedFrameMilliseconds(h.layer, h.samplingFrequencyIndex) / 1000.0);
    file.reductionAtOpen = decoder.options().reduction;
    file.timeRatio = 1.0;
    file.open = true;
    if (info) *info = result;
    return true;
}

}  // namespace velk
