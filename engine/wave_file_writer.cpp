#include "wave_file_writer.h"

#include <vector>

#include "tags/riff_bytes.h"

namespace velk {
namespace {

constexpr size_t kPlainHeaderBytes = 44;
// Where the data size goes when a "wflt" chunk of 20 bytes precedes "data".
constexpr int64_t kLargeDataSizeAt = 60;
constexpr uint32_t kLargeDataSizeMark = 0xFFFFFFC7;

bool patch32(File& file, int64_t at, uint32_t value) {
    uint8_t raw[4];
    putLe32(raw, value);
    return file.writeAt(at, raw, sizeof raw);
}

bool patch64(File& file, int64_t at, int64_t value) {
    uint8_t raw[8];
    putLe64(raw, value);
    return file.writeAt(at, raw, sizeof raw);
}

}  // namespace

bool WaveFileWriter::create(const std::string& path, int channels, int frequency, int bitsPerSample,
                            int64_t expectedDataSize) {
    if (!file_.open(path, File::Mode::Create)) return false;
    const auto blockAlign = static_cast<uint16_t>(bitsPerSample * channels / 8);
    std::vector<uint8_t> header;
    header.reserve(64);
    appendId(header, "RIFF");
    appendLe32(header, 0);
    appendId(header, "WAVE");
    appendId(header, "fmt ");
    appendLe32(header, 16);
    appendLe16(header, 1);
    appendLe16(header, static_cast<uint16_t>(channels));
    appendLe32(header, static_cast<uint32_t>(frequency));
    appendLe32(header, static_cast<uint32_t>(blockAlign) * static_cast<uint32_t>(frequency));
    appendLe16(header, blockAlign);
    appendLe16(header, static_cast<uint16_t>(bitsPerSample));
    large_ = expectedDataSize + static_cast<int64_t>(kPlainHeaderBytes) >= kFourGiB;
    if (large_) {
        appendId(header, "wflt");
        appendLe32(header, 12);
        appendLe64(header, expectedDataSize);
        appendLe32(header, 0);
    }
    appendId(header, "data");
    appendLe32(header, 0);
    end_ = static_cast<int64_t>(header.size());
    return file_.writeAt(0, header.data(), header.size());
}

bool WaveFileWriter::append(const uint8_t* data, size_t length) {
    if (!file_.isOpen() || !file_.writeAt(end_, data, length)) return false;
    end_ += static_cast<int64_t>(length);
    return true;
}

void WaveFileWriter::finish() {
    if (!file_.isOpen()) return;
    file_.truncate(end_);
    patch32(file_, 4, large_ ? 0xFFFFFFFFu : static_cast<uint32_t>(end_ - 8));
    if (large_) {
        patch64(file_, 44, end_ - 56);
        patch32(file_, kLargeDataSizeAt, kLargeDataSizeMark);
    } else {
        patch32(file_, 40, static_cast<uint32_t>(end_ - 44));
    }
    file_.close();
}

}  // namespace velk
