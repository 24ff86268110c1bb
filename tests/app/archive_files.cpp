#include "archive_files.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "support/le_bytes.h"
#include "support/mpeg_frames.h"
#include "support/temp_dir.h"

namespace velk::app::test {

using velk::test::HeaderFields;

namespace {

using velk::test::appendLe16;
using velk::test::appendLe32;

std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& data) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::vector<uint8_t> out(deflateBound(&z, data.size()));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

// The fields a local header and its central-directory record share, from "version needed" on.
void PutCommonFields(std::vector<uint8_t>& out, const ZipMember& m, uint32_t crc,
                     size_t packedSize) {
    const bool ascii = std::all_of(m.name.begin(), m.name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    appendLe16(out, 20);
    appendLe16(out, ascii ? 0 : 0x0800);  // names in UTF-8
    appendLe16(out, m.deflate ? 8 : 0);
    appendLe32(out, 0x5A210000);  // DOS time and date
    appendLe32(out, crc);
    appendLe32(out, static_cast<uint32_t>(packedSize));
    appendLe32(out, static_cast<uint32_t>(m.data.size()));
    appendLe16(out, static_cast<uint32_t>(m.name.size()));
    appendLe16(out, 0);  // no extra field
}

}  // namespace

void WriteZip(const std::string& path, const std::vector<ZipMember>& members) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> directory;
    for (const auto& m : members) {
        const auto crc =
            static_cast<uint32_t>(crc32(0, m.data.data(), static_cast<uInt>(m.data.size())));
        const std::vector<uint8_t> packed = m.deflate ? RawDeflate(m.data) : m.data;
        const auto offset = static_cast<uint32_t>(out.size());
        appendLe32(out, 0x04034b50);
        PutCommonFields(out, m, crc, packed.size());
        out.insert(out.end(), m.name.begin(), m.name.end());
        out.insert(out.end(), packed.begin(), packed.end());

        appendLe32(directory, 0x02014b50);
        appendLe16(directory, 20);  // made by MS-DOS
        PutCommonFields(directory, m, crc, packed.size());
        appendLe16(directory, 0);  // comment
        appendLe16(directory, 0);  // disk
        appendLe16(directory, 0);  // internal attributes
        appendLe32(directory, 0);  // external attributes
        appendLe32(directory, offset);
        directory.insert(directory.end(), m.name.begin(), m.name.end());
    }
    const auto directoryAt = static_cast<uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    appendLe32(out, 0x06054b50);
    appendLe32(out, 0);  // disks
    appendLe16(out, static_cast<uint32_t>(members.size()));
    appendLe16(out, static_cast<uint32_t>(members.size()));
    appendLe32(out, static_cast<uint32_t>(directory.size()));
    appendLe32(out, directoryAt);
    appendLe16(out, 0);  // comment
    velk::test::writeFileBytes(path, out);
}

std::vector<uint8_t> CbrMember(int seconds) {
    const size_t size = static_cast<size_t>(seconds) * 16000;
    const HeaderFields shape;
    std::vector<uint8_t> bytes =
        velk::test::silentStream(shape, static_cast<int>(size / velk::test::frameBytes(shape)) + 1);
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> XingMember(uint32_t frames) {
    const HeaderFields shape;
    std::vector<uint8_t> first = velk::test::silentFrame(shape);
    const size_t at = 4 + 32;  // header, then MPEG-1 stereo side information
    std::copy_n("Xing", 4, first.begin() + at);
    velk::test::putBe32(first, at + 4, 1);  // frame count present
    velk::test::putBe32(first, at + 8, frames);
    const auto rest = velk::test::silentStream(shape, 20);
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

std::vector<uint8_t> WithId3v1(std::vector<uint8_t> audio, const std::string& title,
                               const std::string& artist) {
    std::vector<uint8_t> tag(128, ' ');
    std::copy_n("TAG", 3, tag.begin());
    std::copy_n(title.begin(), std::min<size_t>(title.size(), 30), tag.begin() + 3);
    std::copy_n(artist.begin(), std::min<size_t>(artist.size(), 30), tag.begin() + 33);
    tag[127] = 255;
    audio.insert(audio.end(), tag.begin(), tag.end());
    return audio;
}

std::vector<uint8_t> WithId3v2(const std::vector<uint8_t>& audio, const std::string& title,
                               const std::string& artist) {
    std::vector<uint8_t> frames;
    auto frame = [&frames](const char* id, const std::string& text) {
        const size_t at = frames.size();
        frames.resize(at + 10);
        std::copy_n(id, 4, frames.begin() + static_cast<long>(at));
        velk::test::putBe32(frames, at + 4, static_cast<uint32_t>(text.size() + 1));
        frames.push_back(0);  // ISO-8859-1
        frames.insert(frames.end(), text.begin(), text.end());
    };
    frame("TIT2", title);
    frame("TPE1", artist);
    std::vector<uint8_t> out{'I', 'D', '3', 3, 0, 0};
    const auto size = static_cast<uint32_t>(frames.size());
    for (int shift : {21, 14, 7, 0}) out.push_back(static_cast<uint8_t>((size >> shift) & 0x7F));
    out.insert(out.end(), frames.begin(), frames.end());
    out.insert(out.end(), audio.begin(), audio.end());
    return out;
}

}  // namespace velk::app::test
