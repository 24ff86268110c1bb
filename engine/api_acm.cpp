// Entry points of the conversion of PCM wave files into MPEG Layer-3.
#include "engine.h"
#include "errors.h"
#include "velk.h"

namespace {

velk::Conversion& conversion() {
    return velk::Engine::instance().conversion();
}

constexpr int kLowestBitRate = 8;
constexpr int kHighestBitRate = 320;

}  // namespace

extern "C" {

int velk_acmGetStatus(int32_t* bytesRead, int32_t* bytesWritten) {
    return conversion().status(bytesRead, bytesWritten);
}

int velk_acmOpen(const char* fileName, int32_t info[4]) {
    return conversion().openSource(fileName, info) ? 1 : 0;
}

int velk_acmEncode(const char* fileName) {
    return conversion().encode(fileName) ? 1 : 0;
}

int velk_acmStop(void) {
    return conversion().stop() ? 1 : 0;
}

int velk_acmSetBitrate(int32_t kbps) {
    if (kbps != 0 && (kbps < kLowestBitRate || kbps > kHighestBitRate)) {
        velk::setLastError(velk::kErrRange);
        return 0;
    }
    conversion().setBitRate(kbps);
    return 1;
}

}  // extern "C"
