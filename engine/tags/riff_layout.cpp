#include "tags/riff_layout.h"

#include <algorithm>
#include <vector>

#include "errors.h"
#include "stream_scan.h"
#include "tags/id3v1.h"
#include "tags/id3v2.h"
#include "tags/lyrics3_probe.h"
#include "tags/lyrics_text_scan.h"
#include "tags/riff_bytes.h"

namespace velk {
namespace {

// Takes the container's audio range; false for a RIFF file of no supported kind.
bool applyRiff(const File& file, int64_t fileSize, AudioLayout& layout) {
    const RiffLayout riff = riffScan(file, fileSize, &layout.tags.riff);
    if (riff.kind == RiffKind::Unusable) return false;
    if (riff.kind == RiffKind::NotRiff) return true;
    layout.typeFlags |= riff.rmp3 ? VELK_TYPE_RIFF_RMP3 : VELK_TYPE_RIFF_WAVE;
    layout.dataStart = riff.dataStart;
    layout.dataSize = riff.dataLength;
    layout.tags.wave = riff.format;
    layout.pcm = riff.pcm;
    if (riff.pcm) layout.typeFlags |= VELK_TYPE_PCM_WAVE;
    return true;
}

// ID3v2 tags ahead of the audio move its start and shorten it. Some taggers leave a second tag
// right behind the first (an empty one, then the real one with the cover picture): every tag
// in the row is stepped over.
void skipId3v2(const File& file, AudioLayout& layout) {
    for (;;) {
        const int64_t length = id3v2Probe(file, layout.dataStart);
        if (length == 0) return;
        layout.typeFlags |= VELK_TYPE_ID3V2;
        if (layout.firstId3v2 < 0) layout.firstId3v2 = layout.dataStart;
        layout.dataStart += length;
        layout.dataSize -= length;
    }
}

void readId3v1(const File& file, int64_t fileSize, AudioLayout& layout) {
    Id3v1Block block;
    if (!readId3v1Block(file, fileSize, block)) return;
    layout.hasId3v1 = true;
    layout.typeFlags |= VELK_TYPE_ID3V1;
    parseId3v1(block, layout.tags.id3);
}

int64_t lyrics3Length(const File& file, int64_t fileSize, AudioLayout& layout) {
    const Lyrics3Location lyrics = lyrics3Probe(file, fileSize);
    if (lyrics.found) layout.typeFlags |= VELK_TYPE_LYRICS3;
    return lyrics.length;
}

// A tag larger than this (pictures, mostly) is read only that far for its text frames.
constexpr int64_t kMaxTagRead = int64_t{16} << 20;

// Each tag in the row gives what the ones before it lacked.
void findId3v2Titles(const File& file, int64_t fileSize, AudioLayout& layout) {
    if (layout.hasId3v1 || layout.firstId3v2 < 0 || layout.tags.riff.field[VELK_RIFF_INAM][0]) {
        return;
    }
    std::vector<uint8_t> tag;
    for (int64_t at = layout.firstId3v2; at < layout.dataStart;) {
        const int64_t length = id3v2Probe(file, at);
        if (length == 0) return;
        tag.resize(static_cast<size_t>(std::min({length, fileSize - at, kMaxTagRead})));
        const int64_t got = file.readAt(at, tag.data(), tag.size());
        if (got <= 0) return;
        const Id3v2Titles found = readId3v2Titles(tag.data(), static_cast<size_t>(got));
        Id3v2Titles& titles = layout.id3v2Titles;
        if (titles.title.empty()) titles.title = found.title;
        if (titles.artist.empty()) titles.artist = found.artist;
        if (!titles.title.empty() && !titles.artist.empty()) return;
        at += length;
    }
}

}  // namespace

int layoutForOpen(const File& file, int64_t fileSize, AudioLayout& layout) {
    layout = AudioLayout{};
    layout.dataSize = fileSize;
    readId3v1(file, fileSize, layout);
    if (layout.hasId3v1) layout.dataSize -= static_cast<int64_t>(kId3v1Size);
    layout.dataSize -= lyrics3Length(file, fileSize, layout);
    if (!applyRiff(file, fileSize, layout)) return kErrRiffKind;
    if (!layout.pcm) skipId3v2(file, layout);
    findId3v2Titles(file, fileSize, layout);
    return kErrNone;
}

int layoutForQuery(const File& file, int64_t fileSize, const uint8_t* first, AudioLayout& layout) {
    layout = AudioLayout{};
    layout.dataSize = fileSize;
    if (hasId(first, "RIFF")) {
        if (!applyRiff(file, fileSize, layout)) return kErrRiffKind;
        skipId3v2(file, layout);
    } else if (startsId3v2(first)) {
        skipId3v2(file, layout);
    } else if (hasMacBinaryHeader(first)) {
        layout.typeFlags |= VELK_TYPE_MACBINARY;
        layout.dataStart = 128;
    }
    readId3v1(file, fileSize, layout);
    if (layout.hasId3v1 && layout.dataSize == fileSize) {
        layout.dataSize -= static_cast<int64_t>(kId3v1Size);
    }
    layout.dataSize -= lyrics3Length(file, fileSize, layout);
    findId3v2Titles(file, fileSize, layout);
    return kErrNone;
}

void copyId3v2Titles(const AudioLayout& layout, char* title, char* artist) {
    constexpr size_t kField = 128;
    const Id3v2Titles& titles = layout.id3v2Titles;
    if (!titles.title.empty()) copyToField(title, kField, titles.title, TextEncoding::ShiftJis);
    if (!titles.artist.empty()) copyToField(artist, kField, titles.artist, TextEncoding::ShiftJis);
}

StreamInfo pcmStreamInfo(const WaveFormat& format, int64_t dataSize) {
    StreamInfo info;
    info.channels = format.channels;
    info.bitsPerSample = format.bitsPerSample;
    info.frequency = static_cast<int32_t>(format.samplesPerSec);
    info.bitRate = format.bitsPerSample;
    info.outputSize = format.bitsPerSample == 8 ? 1024 : 4096;
    info.dataSize = dataSize;
    info.frames = dataSize / info.outputSize;
    return info;
}

void describePcm(const AudioLayout& layout, MpegInfo& info) {
    const WaveFormat& format = layout.tags.wave;
    info.protectionBit = 1;
    info.channels = format.channels;
    info.bitRate = format.bitsPerSample;
    info.frequency = static_cast<int32_t>(format.samplesPerSec);
    info.frames = layout.dataSize / 4096;
    if (format.bitsPerSample > 0 && format.channels > 0 && format.samplesPerSec > 0) {
        info.playTime = static_cast<int32_t>(layout.dataSize / format.bitsPerSample /
                                             format.channels * 8 / format.samplesPerSec);
    }
}

}  // namespace velk
