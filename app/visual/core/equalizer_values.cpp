#include "visual/core/equalizer_values.h"

namespace velk::app {

uint32_t EqualizerSliderColour(int value) {
    return value != 0 ? 0xFF0000 : 0xFFFFFF;
}

bool EqualizerChanged(const EqualizerValues& now, const EqualizerValues& saved) {
    return now != saved;
}

void ChangeBlocksKeepingPlayback(PlayerEngine& engine, const EngineBlocks& blocks) {
    int seconds = 0;
    const int state = engine.State(&seconds);
    if (state == kEngineStopped) {
        engine.SetBlocks(blocks);
        return;
    }
    engine.Stop();
    engine.SetBlocks(blocks);
    engine.Play();
    engine.Seek(seconds);
    if (state == kEnginePaused) engine.Pause();
}

}  // namespace velk::app
