// Loading the engine's tuning overrides from its settings file at every open: block sizes and
// sleeps, decoder options, frame counting, lyrics handling and pitch.
#pragma once

#include "engine_settings_file.h"

namespace velk {

class Engine;

// Reads the current user's file and applies it; called by the open after the previous file
// is closed and before the new one is opened. Invalid values record error 13 or 18 and are
// skipped; the open goes on.
void loadEngineSettings(Engine& engine);
// The same from values already read.
void applyEngineSettings(Engine& engine, const EngineSettingsFile& values);

}  // namespace velk
