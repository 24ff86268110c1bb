#include "engine_settings.h"

#include "engine.h"
#include "errors.h"
#include "velk.h"

namespace velk {
namespace {

void applyBlocks(Engine& engine, const EngineSettingsFile& values) {
    BlockInfo blocks = engine.tuning().blocks;
    blocks.inputBlock = values.dword("inputBlock").value_or(blocks.inputBlock);
    blocks.outputBlock = values.dword("outputBlock").value_or(blocks.outputBlock);
    blocks.inputSleep = values.dword("inputSleep").value_or(blocks.inputSleep);
    blocks.outputSleep = values.dword("outputSleep").value_or(blocks.outputSleep);
    // Unlike velk_setBlockInfo, the state is asked first: a load while playing changes nothing.
    if (engine.playback().state() != kStopped) {
        setLastError(kErrBusy);
        return;
    }
    if (blocks.inputBlock < 1 || blocks.outputBlock < 1 || blocks.inputSleep < 0 ||
        blocks.outputSleep < 0) {
        setLastError(kErrRange);
        return;
    }
    engine.tuning().blocks = blocks;
    engine.tuning().savedOutputBlock = blocks.outputBlock;
}

void applyDecodeOptions(Engine& engine, const EngineSettingsFile& values) {
    DecodeOptions options = engine.decodeOptions();
    options.reduction = values.dword("reduction").value_or(options.reduction);
    options.convert = values.dword("convert").value_or(options.convert);
    options.freqLimit = values.dword("freqLimit").value_or(options.freqLimit);
    // Runs even without any of the three, as the setter would: it refuses while playing.
    engine.setDecodeOptions(options);
}

// Values whose rules are exactly those of their run-time setters.
void applyThroughSetter(const EngineSettingsFile& values, const char* name,
                        void (*setter)(int32_t)) {
    if (const auto value = values.dword(name)) setter(*value);
}

}  // namespace

void applyEngineSettings(Engine& engine, const EngineSettingsFile& values) {
    if (values.dword("setReg").value_or(0) == 0) return;
    applyBlocks(engine, values);
    applyDecodeOptions(engine, values);
    applyThroughSetter(values, "setFrameReadFlag", velk_setFrameReadFlag);
    applyThroughSetter(values, "setLyrics3Use", velk_setLyrics3Use);
    applyThroughSetter(values, "setKaraokeUse", velk_setKaraokeUse);
    applyThroughSetter(values, "setLyricsTime", velk_setLyricsTime);
    applyThroughSetter(values, "setNotTagLyricsLine", velk_setNotTagLyricsLine);
    applyThroughSetter(values, "setLyricsNextAdjustTime", velk_setLyricsNextAdjustTime);
    applyThroughSetter(values, "useAtMarkTag", velk_useAtMarkTag);
    // Nothing plays during an open, so the setter only stores it; below 20 it records error 18.
    if (const auto pitch = values.dword("setPitch")) velk_setPitch(*pitch);
}

void loadEngineSettings(Engine& engine) {
    applyEngineSettings(engine, EngineSettingsFile::read(engineSettingsPath()));
}

}  // namespace velk
