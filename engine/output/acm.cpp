#include "output/acm.h"

#include <algorithm>
#include <system_error>

#include "errors.h"

namespace velk {
namespace {

int32_t reportable(int64_t count) {
    return static_cast<int32_t>(std::min<int64_t>(count, INT32_MAX));
}

}  // namespace

Conversion::~Conversion() {
    release();
}

bool Conversion::fail(int code) {
    source_.close();
    setLastError(code);
    return false;
}

bool Conversion::openSource(const char* fileName, int32_t info[4]) {
    if (source_.isOpen() || running_.load()) {
        setLastError(kErrAcmBusy);
        return false;
    }
    if (!fileName || !*fileName || !source_.open(fileName, File::Mode::Read)) {
        return fail(kErrWaveCreate);
    }
    layout_ = WaveSourceLayout{};
    if (!readWaveSourceLayout(source_, layout_)) return fail(kErrBadWave);
    if (info) {
        info[0] = layout_.format.channels;
        info[1] = layout_.format.bitsPerSample;
        info[2] = static_cast<int32_t>(layout_.format.samplesPerSec);
        info[3] = static_cast<int32_t>(layout_.dataSize);
    }
    return true;
}

bool Conversion::encode(const char* fileName) {
    // A running conversion owns its files: refuse without touching them.
    if (running_.load()) {
        setLastError(kErrAcmBusy);
        return false;
    }
    if (!source_.isOpen()) return fail(kErrAcmBusy);
    if (!fileName || !*fileName) return fail(kErrFileOpen);

    auto job = std::make_unique<ConversionJob>();
    if (!job->stream.loadLibrary()) return fail(kErrNoEncoder);
    if (!job->stream.createEncoder()) return fail(kErrNoEncoderFormat);
    // The layout is read again: the file may have changed since it was opened.
    if (!readWaveSourceLayout(source_, layout_)) return fail(kErrBadWave);
    if (!job->output.open(fileName, File::Mode::Create)) return fail(kErrFileOpen);
    if (!job->stream.open(layout_.format, bitRate_)) return fail(kErrEncoderStream);

    job->source = std::move(source_);
    job->dataOffset = layout_.dataOffset;
    job->dataSize = layout_.dataSize;
    if (worker_.joinable()) worker_.join();  // a finished conversion's thread
    progress_.bytesRead = 0;
    progress_.bytesWritten = 0;
    progress_.stopRequested = false;
    running_ = true;
    try {
        worker_ = std::thread(&Conversion::runThread, this, std::move(job));
    } catch (const std::system_error&) {
        running_ = false;
        setLastError(kErrAcmThread);
        return false;
    }
    return true;
}

void Conversion::runThread(std::unique_ptr<ConversionJob> job) {
    job->run(progress_);
    job.reset();  // closes the stream and both files before the conversion counts as ended
    progress_.bytesRead = 0;
    progress_.bytesWritten = 0;
    running_ = false;
}

bool Conversion::stop() {
    if (!running_.load()) {
        setLastError(kErrNoConversion);
        return false;
    }
    progress_.stopRequested = true;
    return true;
}

int Conversion::status(int32_t* bytesRead, int32_t* bytesWritten) const {
    if (bytesRead) *bytesRead = reportable(progress_.bytesRead.load());
    if (bytesWritten) *bytesWritten = reportable(progress_.bytesWritten.load());
    return running_.load() ? 1 : 0;
}

void Conversion::release() {
    progress_.stopRequested = true;
    if (worker_.joinable()) worker_.join();
    source_.close();
}

}  // namespace velk
