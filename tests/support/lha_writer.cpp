#include "support/lha_writer.h"

#include <stdexcept>

#include "support/le_bytes.h"

namespace velk::test {

namespace {

uint16_t crc16(const std::vector<uint8_t>& bytes) {
    uint16_t crc = 0;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

void putText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

constexpr uint32_t kDosTime = 0x5A210000;  // 2025-01-01 00:00
constexpr uint32_t kUnixTime = 1735689600;

std::vector<uint8_t> level0Header(const LhaMember& m) {
    if (m.name.size() > 200) throw std::invalid_argument("lha level 0 name too long");
    std::vector<uint8_t> body;
    putText(body, "-lh0-");
    appendLe32(body, static_cast<uint32_t>(m.data.size()));
    appendLe32(body, static_cast<uint32_t>(m.data.size()));
    appendLe32(body, kDosTime);
    body.push_back(0x20);  // archive attribute
    body.push_back(0);     // level
    body.push_back(static_cast<uint8_t>(m.name.size()));
    putText(body, m.name);
    appendLe16(body, crc16(m.data));
    uint8_t sum = 0;
    for (uint8_t b : body) sum = static_cast<uint8_t>(sum + b);
    body.insert(body.begin(), {static_cast<uint8_t>(body.size()), sum});
    return body;
}

std::vector<uint8_t> level2Header(const LhaMember& m) {
    std::vector<uint8_t> h;
    appendLe16(h, 0);  // total header size, filled in below
    putText(h, "-lh0-");
    appendLe32(h, static_cast<uint32_t>(m.data.size()));
    appendLe32(h, static_cast<uint32_t>(m.data.size()));
    appendLe32(h, kUnixTime);
    h.push_back(0x20);
    h.push_back(2);  // level
    appendLe16(h, crc16(m.data));
    h.push_back('M');  // written on MS-DOS: names are code page 932
    appendLe16(h, 5);
    h.push_back(0x00);  // common header: the header's own CRC, filled in below
    const size_t crcAt = h.size();
    appendLe16(h, 0);
    appendLe16(h, static_cast<uint32_t>(3 + m.name.size()));
    h.push_back(0x01);  // file name
    putText(h, m.name);
    appendLe16(h, 0);  // no further extended header
    h[0] = static_cast<uint8_t>(h.size());
    h[1] = static_cast<uint8_t>(h.size() >> 8);
    const uint16_t crc = crc16(h);
    h[crcAt] = static_cast<uint8_t>(crc);
    h[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
    return h;
}

}  // namespace

std::vector<uint8_t> storedLha(const std::vector<LhaMember>& members, int level) {
    std::vector<uint8_t> out;
    for (const auto& m : members) {
        const auto header = level == 0 ? level0Header(m) : level2Header(m);
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), m.data.begin(), m.data.end());
    }
    out.push_back(0);  // end of archive
    return out;
}

}  // namespace velk::test
