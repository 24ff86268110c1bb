#include "acm/wave_builder.h"

#include <cmath>
#include <numbers>

namespace velk::test {
namespace {

void appendLe16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void appendLe32(Bytes& out, uint32_t v) {
    appendLe16(out, v & 0xFFFF);
    appendLe16(out, v >> 16);
}

}  // namespace

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes chunk(const std::string& id, const Bytes& data, int64_t size) {
    Bytes out(id.begin(), id.end());
    appendLe32(out, static_cast<uint32_t>(size >= 0 ? size : static_cast<int64_t>(data.size())));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 == 1) out.push_back(0);
    return out;
}

Bytes formatChunk(const WaveFormat& f) {
    const uint32_t blockAlign = f.channels * ((f.bits + 7) / 8);
    Bytes body;
    appendLe16(body, f.formatTag);
    appendLe16(body, f.channels);
    appendLe32(body, f.rate);
    appendLe32(body, f.rate * blockAlign);
    appendLe16(body, blockAlign);
    appendLe16(body, f.bits);
    return chunk("fmt ", body);
}

Bytes riffWave(const Bytes& chunks) {
    Bytes out{'R', 'I', 'F', 'F'};
    appendLe32(out, static_cast<uint32_t>(chunks.size() + 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    return out + chunks;
}

Bytes waveFile(const WaveFormat& format, const Bytes& pcm) {
    return riffWave(formatChunk(format) + chunk("data", pcm));
}

Bytes tone(int channels, int rate, double seconds) {
    const auto frames = static_cast<size_t>(seconds * rate);
    Bytes out;
    out.reserve(frames * static_cast<size_t>(channels) * 2);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        for (int c = 0; c < channels; ++c) {
            const double low = std::sin(2 * std::numbers::pi * (220.0 + 110.0 * c) * t);
            const double high = std::sin(2 * std::numbers::pi * (1250.0 + 300.0 * c) * t);
            const auto v = static_cast<int16_t>(9000.0 * low + 5000.0 * high);
            appendLe16(out, static_cast<uint16_t>(v));
        }
    }
    return out;
}

std::vector<int16_t> samplesOf(const Bytes& pcm) {
    std::vector<int16_t> out(pcm.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(pcm[2 * i] | (pcm[2 * i + 1] << 8));
    }
    return out;
}

}  // namespace velk::test
