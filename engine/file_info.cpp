#include "file_info.h"

#include <sys/stat.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "errors.h"
#include "file.h"
#include "stream_scan.h"
#include "tags/riff_layout.h"

namespace velk {
namespace {

constexpr size_t kInfoWindow = 1024;

void localDateTime(const struct timespec& when, int32_t& date, int32_t& time) {
    struct tm t {};
    const time_t seconds = when.tv_sec;
    localtime_r(&seconds, &t);
    date = (t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday;
    time = t.tm_hour * 10000 + t.tm_min * 100 + t.tm_sec;
}

// Linux keeps no creation time for most files; the status-change time stands in for it.
void fillTimes(const File& file, FileTimes& times) {
    struct stat st {};
    if (fstat(file.fd(), &st) != 0) return;
    times.fileSize = st.st_size;
    localDateTime(st.st_ctim, times.creationDate, times.creationTime);
    localDateTime(st.st_atim, times.accessDate, times.accessTime);
    localDateTime(st.st_mtim, times.writeDate, times.writeTime);
}

}  // namespace

bool queryFileInfo(const DecodeOptions& options, const char* fileName, MpegInfo& info,
                   const FileInfoRequest& request) {
    info = MpegInfo{};
    if (request.tag) *request.tag = Id3Tag{};
    if (request.riff) *request.riff = RiffInfoTag{};
    if (request.typeFlags) *request.typeFlags = 0;
    if (request.times) *request.times = FileTimes{};

    File file;
    if (!fileName || !*fileName || !file.open(fileName, File::Mode::Read)) {
        setLastError(kErrFileOpen);
        return false;
    }
    const int64_t fileSize = file.size();
    int64_t dataStart = 0;
    int64_t dataSize = fileSize;
    info.fileSize = fileSize;
    if (request.times) fillTimes(file, *request.times);

    uint8_t first[128];
    if (!file.readExact(0, first, sizeof first)) {
        setLastError(kErrRead);
        return false;
    }
    AudioLayout layout;
    if (int code = layoutForQuery(file, fileSize, first, layout)) {
        setLastError(code);
        return false;
    }
    dataStart = layout.dataStart;
    dataSize = layout.dataSize;
    if (request.tag) {
        *request.tag = layout.tags.id3;
        copyId3v2Titles(layout, request.tag->title, request.tag->artist);
    }
    if (request.riff) *request.riff = layout.tags.riff;
    if (request.typeFlags) *request.typeFlags = layout.typeFlags;
    if (layout.pcm) {
        describePcm(layout, info);
        return true;
    }

    StreamInfo stream;
    VbrTable table;
    stream.vbrTable = &table;
    FrameScanner scanner(options);
    if (int code =
            locateFirstFrame(file, scanner, dataStart, dataStart + dataSize, kInfoWindow, stream)) {
        setLastError(code);
        return false;
    }
    fillHeaderWords(stream.header, info);
    info.channels = stream.channels;
    info.bitRate = stream.bitRate / 1000;
    info.frequency = stream.frequency;
    info.frames = stream.frames;
    if (info.frames == 0 && stream.minInputSize > 0) info.frames = dataSize / stream.minInputSize;
    if (stream.bitsPerSample > 0 && stream.channels > 0 && stream.frequency > 0) {
        info.playTime =
            static_cast<int32_t>(info.frames * stream.outputSize / stream.bitsPerSample /
                                 stream.channels * 8 / stream.frequency);
    }
    return true;
}

void fillHeaderWords(const FrameHeader& h, MpegInfo& out) {
    out.version = static_cast<int32_t>(h.version);
    out.layer = static_cast<int32_t>(h.layer);
    out.protectionBit = h.errorProtection ? 0 : 1;
    out.modeExtension = static_cast<int32_t>(h.modeExtension);
    out.mode = static_cast<int32_t>(h.mode);
    out.rightsFlag = static_cast<int32_t>(h.rightsFlag);
    out.homeFlag = static_cast<int32_t>(h.homeFlag);
    out.emphasis = static_cast<int32_t>(h.emphasis);
}

void toFourteenWords(const MpegInfo& in, MpegInfo14& out) {
    std::memcpy(&out, &in, 11 * sizeof(int32_t));
    out.fileSize = static_cast<int32_t>(in.fileSize);
    out.frames = static_cast<int32_t>(in.frames);
    out.playTime = in.playTime;
}

void toDoubleForm(const MpegInfo& in, MpegInfoDouble& out) {
    std::memcpy(&out, &in, 12 * sizeof(int32_t));
    out.fileSize = static_cast<double>(in.fileSize);
    out.frames = static_cast<double>(in.frames);
    out.playTime = in.playTime;
}

}  // namespace velk
