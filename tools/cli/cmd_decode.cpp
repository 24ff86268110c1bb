// velkaro-cli decode FILE OUT.wav: decodes a song into a PCM wave file.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/progress.h"
#include "velk.h"

namespace velk::cli {
namespace {

std::atomic<bool> decodeEnded{false};

int onEngineEvent(int32_t code, int32_t) {
    if (code == VELK_CB_END_OF_SONG) decodeEnded = true;
    return 0;
}

int runDecode(const std::vector<std::string>& args) {
    Options options(args, {"reduction", "freq-limit"}, {"mono", "8bit"});
    DecodeOptions decode{static_cast<int32_t>(options.integer("reduction", 0)),
                         (options.has("mono") ? 1 : 0) | (options.has("8bit") ? 8 : 0),
                         static_cast<int32_t>(options.integer("freq-limit", 24000))};
    if (!options.error().empty() || options.positional().size() != 2) {
        std::fprintf(stderr,
                     "%s\nusage: velkaro-cli decode FILE OUT.wav [--reduction N] [--mono] [--8bit] "
                     "[--freq-limit HZ]\n",
                     options.error().c_str());
        return 2;
    }
    if (!velk_setDecodeOption(&decode)) return reportEngineError("decode options");
    const std::string& source = options.positional()[0];
    const std::string& target = options.positional()[1];
    InputInfo info{};
    if (!velk_open(source.c_str(), &info)) return reportEngineError(source);
    velk_setCallback(onEngineEvent);
    if (!velk_writeWave(target.c_str())) return reportEngineError("writing " + target);
    const int64_t total = velk_getTotalSampleI64();
    while (!decodeEnded && velk_getState(nullptr) != VELK_STATE_STOPPED) {
        const double fraction =
            total > 0 ? static_cast<double>(velk_getPlaySampleI64()) / total : 0.0;
        drawProgress(fraction, target);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    velk_stop();
    drawProgress(1.0, target);
    finishProgress();
    velk_close();
    return 0;
}

const Registration registration{
    {"decode",
     "FILE OUT.wav [--reduction N] [--mono] [--8bit] [--freq-limit HZ]    decode into a wave file",
     runDecode}};

}  // namespace
}  // namespace velk::cli
