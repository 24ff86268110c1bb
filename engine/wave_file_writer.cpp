#include "wave_file_writer.h"

#include <cstring>
#include <vector>

namespace velk {
namespace {

constexpr int64_t kFourGiB = int64_t{1} << 32;
constexpr size_t kPlainHeaderBytes = 44;
// Where the data size goes when a "wflt" chunk of 20 bytes precedes "data".
constexpr int64_t kLargeDataSizeAt = 60;
constexpr uint32_t kLargeDataSizeMark = 0xFFFFFFC7;

void putLe(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

bool writeLe(File& file, int64_t at, uint64_t value, int bytes) {
    uint8_t raw[8];
    for (int i = 0; i < bytes; ++i) raw[i] = static_cast<uint8_t>(value >> (8 * i));
    return file.writeAt(at, raw, static_cast<size_t>(bytes));
}

}  // namespace

bool WaveFileWriter::create(const std::string& path, int channels, int frequency, int bitsPerSample,
                            int64_t expectedDataSize) {
    if (!file_.open(path, File::Mode::Create)) return false;
    const int blockAlign = bitsPerSample * channels / 8;
    std::vector<uint8_t> header;
    header.reserve(64);
    putTag(header, "RIFF");
    putLe(header, 0, 4);
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    putLe(header, 16, 4);
    putLe(header, 1, 2);
    putLe(header, static_cast<uint64_t>(channels), 2);
    putLe(header, static_cast<uint64_t>(frequency), 4);
    putLe(header, static_cast<uint64_t>(blockAlign) * static_cast<uint64_t>(frequency), 4);
    putLe(header, static_cast<uint64_t>(blockAlign), 2);
    putLe(header, static_cast<uint64_t>(bitsPerSample), 2);
    large_ = expectedDataSize + static_cast<int64_t>(kPlainHeaderBytes) >= kFourGiB;
    if (large_) {
        putTag(header, "wflt");
        putLe(header, 12, 4);
        putLe(header, static_cast<uint64_t>(expectedDataSize), 8);
        putLe(header, 0, 4);
    }
    putTag(header, "data");
    putLe(header, 0, 4);
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
    const int64_t size = end_;
    writeLe(file_, 4, large_ ? 0xFFFFFFFFu : static_cast<uint64_t>(size - 8), 4);
    if (large_) {
        writeLe(file_, 44, static_cast<uint64_t>(size - 56), 8);
        writeLe(file_, kLargeDataSizeAt, kLargeDataSizeMark, 4);
    } else {
        writeLe(file_, 40, static_cast<uint64_t>(size - 44), 4);
    }
    file_.close();
}

}  // namespace velk
