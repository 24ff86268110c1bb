#include "tags/id3v2_remove.h"

#include <vector>

#include "decoder/frame_scanner.h"
#include "errors.h"
#include "file.h"
#include "tags/file_rewrite.h"
#include "tags/id3v2.h"
#include "tags/riff_bytes.h"
#include "tags/riff_scan.h"

namespace velk {
namespace {

constexpr size_t kResumeWindow = 1024;

// Where the audio resumes after the tag: at an embedded RIFF header within the window, else at
// the first frame sync. -1 when there is neither.
int64_t findResume(const File& file, int64_t afterTag) {
    std::vector<uint8_t> window(kResumeWindow);
    const int64_t got = file.readAt(afterTag, window.data(), window.size());
    if (got <= 0) return -1;
    const auto n = static_cast<size_t>(got);
    for (size_t i = 0; i + 4 <= n && i < kResumeWindow - 3; ++i) {
        if (hasId(&window[i], "RIFF")) return afterTag + static_cast<int64_t>(i);
    }
    size_t sync = 0;
    FrameScanner scanner;
    if (!scanner.findFrameSync(window.data(), n, sync)) return -1;
    return afterTag + static_cast<int64_t>(sync);
}

struct AudioRange {
    int64_t tagStart = 0;
    int64_t end = 0;  // end of the audio data
    RiffLayout riff;
};

// The tag must start the audio: offset 0 of a plain file, or the "data" chunk of an MPEG RIFF.
bool locateTag(const File& file, int64_t fileSize, AudioRange& range) {
    uint8_t head[4] = {};
    if (file.readExact(0, head, sizeof head) && hasId(head, "RIFF")) {
        range.riff = riffScan(file, fileSize);
        if (!range.riff.usable() || range.riff.pcm) return false;
        range.tagStart = range.riff.dataStart;
        range.end = range.riff.dataStart + range.riff.dataLength;
    } else {
        range.end = fileSize;
    }
    return id3v2Probe(file, range.tagStart) > 0;
}

int patchField(FileRewrite& rewrite, int64_t offset, uint32_t value) {
    uint8_t bytes[4];
    putLe32(bytes, value);
    return rewrite.patch(offset, bytes, sizeof bytes);
}

// The data chunk shrinks to `length`; the chunks after it follow it directly.
int rewriteRiff(FileRewrite& rewrite, const File& file, int64_t fileSize, const AudioRange& range,
                int64_t resume) {
    const RiffLayout& riff = range.riff;
    const int64_t length = range.end - resume;
    if (int code = rewrite.copy(file, 0, range.tagStart)) return code;
    if (int code = rewrite.copy(file, resume, length)) return code;
    if (length & 1) {
        const uint8_t pad = 0;
        if (int code = rewrite.append(&pad, 1)) return code;
    }
    const int64_t after = std::min(riff.dataEnd(), fileSize);
    if (int code = rewrite.copy(file, after, fileSize - after)) return code;
    const uint32_t dataField = length >= kFourGiB ? 0xFFFFFFFFu : static_cast<uint32_t>(length);
    if (int code = patchField(rewrite, riff.dataHeader + 4, dataField)) return code;
    if (riff.wfltOffset >= 0) {
        uint8_t wide[8];
        putLe64(wide, length);
        if (int code = rewrite.patch(riff.wfltOffset + 8, wide, sizeof wide)) return code;
    }
    return patchField(rewrite, 4, riffSizeField(rewrite.size()));
}

}  // namespace

int removeId3v2(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    AudioRange range;
    if (!locateTag(file, fileSize, range)) return kNoId3v2;
    const int64_t resume = findResume(file, range.tagStart + id3v2Probe(file, range.tagStart));
    if (resume < 0 || resume > range.end) return kErrNoSync;

    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (range.riff.usable()) {
        if (int code = rewriteRiff(rewrite, file, fileSize, range, resume)) return code;
    } else if (int code = rewrite.copy(file, resume, fileSize - resume)) {
        return code;
    }
    return rewrite.commit();
}

}  // namespace velk
