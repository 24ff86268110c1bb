#include "core/archive_member_info.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/text_codec.h"
#include "decoder/frame_header.h"
#include "tags/id3v1.h"
#include "tags/id3v2.h"
#include "tags/id3v2_text.h"

namespace velk::app {

namespace {

constexpr size_t kHeaderBytes = 4;
constexpr size_t kCrcBytes = 2;

size_t LeadingTagLength(const std::vector<uint8_t>& head) {
    if (head.size() < kId3v2HeaderSize) return 0;
    return static_cast<size_t>(std::max<int64_t>(id3v2Length(head.data()), 0));
}

bool HasId3v1(const MemberSample& sample) {
    return sample.tail.size() == kId3v1Size && isId3v1(sample.tail.data());
}

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

int ClampToInt(uint64_t value) {
    return static_cast<int>(std::min<uint64_t>(value, INT_MAX));
}

// The Xing frame count of the frame at `frame`, or -1 when the frame carries no Xing header.
int64_t XingFrames(const std::vector<uint8_t>& head, size_t frame, const FrameHeader& h) {
    const int channels = h.mode == kSingleChannel ? 1 : 2;
    const size_t at = frame + kHeaderBytes + (h.errorProtection ? kCrcBytes : 0) +
                      static_cast<size_t>(layer3SideInfoBytes(h.version, channels));
    if (at + 12 > head.size() || std::memcmp(&head[at], "Xing", 4) != 0) return -1;
    return (head[at + 7] & 1) ? BigEndian32(&head[at + 8]) : 0;
}

}  // namespace

MemberLength EstimateMemberLength(const MemberSample& sample) {
    MemberLength result;
    if (!sample.complete) return result;
    const auto& head = sample.head;
    size_t frame = LeadingTagLength(head);
    while (frame + kHeaderBytes <= head.size() && !isFrameSync(&head[frame])) ++frame;
    FrameHeader h{};
    if (frame + kHeaderBytes > head.size() || parseFrameHeader(&head[frame], h) != kDecOk)
        return result;
    const int kbps = bitrateKbps(h);
    const int rate = sampleRateHz(h);
    if (kbps <= 0 || rate <= 0) return result;

    const int64_t xingFrames = XingFrames(head, frame, h);
    if (xingFrames >= 0) {
        const int64_t perFrame = h.version == 1 ? 1152 : 576;
        result.seconds = ClampToInt(static_cast<uint64_t>(xingFrames * perFrame / rate));
        result.advanceMs = ClampToInt(uint64_t{1000} * static_cast<uint64_t>(result.seconds));
    } else {
        const uint64_t tags = LeadingTagLength(head) + (HasId3v1(sample) ? kId3v1Size : 0);
        const uint64_t audio = sample.size > tags ? sample.size - tags : 0;
        result.seconds = ClampToInt(audio / static_cast<uint64_t>(kbps) * 8 / 1000);
        // The next member begins after this one's every byte, tags included.
        result.advanceMs = ClampToInt(sample.size / static_cast<uint64_t>(kbps) * 8);
    }
    result.found = true;
    return result;
}

MemberTitles ReadMemberTitles(const MemberSample& sample) {
    MemberTitles titles;
    if (!sample.complete) return titles;
    if (HasId3v1(sample)) {
        Id3v1Block block;
        std::copy(sample.tail.begin(), sample.tail.end(), block.begin());
        Id3Tag tag{};
        parseId3v1(block, tag);
        titles = {true, TagTextToUtf8(tag.title), TagTextToUtf8(tag.artist)};
    } else if (LeadingTagLength(sample.head) > 0) {
        const Id3v2Titles v2 = readId3v2Titles(sample.head.data(), sample.head.size());
        if (!v2.empty()) titles = {true, TagTextToUtf8(v2.title), TagTextToUtf8(v2.artist)};
    }
    return titles;
}

}  // namespace velk::app
