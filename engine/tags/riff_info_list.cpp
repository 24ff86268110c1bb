#include "tags/riff_info_list.h"

#include <cstring>

#include "tags/riff_bytes.h"
#include "tags/riff_info_ids.h"

namespace velk {
namespace {

// Subchunks in the order they are written; the last three exist only in the 17-field records.
constexpr int kWriteOrder[] = {VELK_RIFFX_INAM, VELK_RIFFX_IART, VELK_RIFFX_IPRD, VELK_RIFFX_ICMT,
                               VELK_RIFFX_IGNR, VELK_RIFFX_ICRD, VELK_RIFFX_ICOP, VELK_RIFFX_IENG,
                               VELK_RIFFX_ISRC, VELK_RIFFX_ISFT, VELK_RIFFX_IKEY, VELK_RIFFX_ITCH,
                               VELK_RIFFX_ICMS, VELK_RIFFX_IMED, VELK_RIFFX_ISBJ, VELK_RIFFX_IMP3};

bool isExtendedSlot(int slot) {
    return slot == VELK_RIFFX_IMED || slot == VELK_RIFFX_ISBJ || slot == VELK_RIFFX_IMP3;
}

std::string trimmed(const char* text, size_t capacity) {
    size_t n = strnlen(text, capacity);
    while (n > 0 && text[n - 1] == ' ') --n;
    return std::string(text, n);
}

// Id, size counting the NUL, the text, the NUL, and a pad byte for an odd size.
void appendTextSubchunk(std::vector<uint8_t>& out, const char* id, const std::string& text) {
    const auto size = static_cast<uint32_t>(text.size() + 1);
    appendId(out, id);
    appendLe32(out, size);
    appendBytes(out, text.data(), text.size());
    out.push_back(0);
    if (size & 1) out.push_back(0);
}

// A subchunk header whose data, the Lyrics3 block and the ID3v1 tag, follows the list.
void appendTailSubchunk(std::vector<uint8_t>& out, const char* id, const TrailingTags& trailing,
                        std::vector<uint8_t>& after) {
    // A leading zero keeps the subchunk even, so no pad byte comes after the ID3v1 tag.
    if (trailing.lyrics3.size() & 1) after.push_back(0);
    appendBytes(after, trailing.lyrics3.data(), trailing.lyrics3.size());
    const Id3v1Block id3 = trailing.id3v1OrBlank();
    appendBytes(after, id3.data(), id3.size());
    appendId(out, id);
    appendLe32(out, static_cast<uint32_t>(after.size()));
}

void appendId3Subchunk(std::vector<uint8_t>& out, const TrailingTags& trailing) {
    const Id3v1Block id3 = trailing.id3v1OrBlank();
    appendId(out, "IID3");
    appendLe32(out, static_cast<uint32_t>(id3.size()));
    appendBytes(out, id3.data(), id3.size());
}

template <size_t N, size_t Width>
InfoTexts fromFields(const char* const (&ids)[N], const char (&fields)[N][Width], bool extended) {
    InfoTexts texts;
    texts.extended = extended;
    for (size_t slot = 0; slot < N; ++slot) {
        for (int x = 0; x < VELK_RIFFX_COUNT; ++x) {
            if (std::strcmp(ids[slot], kExInfoIds[x]) == 0)
                texts.text[x] = trimmed(fields[slot], Width);
        }
    }
    return texts;
}

}  // namespace

InfoTexts infoTexts(const RiffInfoTag& tag) {
    return fromFields(kShortInfoIds, tag.field, false);
}
InfoTexts infoTexts(const RiffInfoTagEx& tag) {
    return fromFields(kExInfoIds, tag.field, true);
}
InfoTexts infoTexts(const RiffInfoTag512& tag) {
    return fromFields(kExInfoIds, tag.field, true);
}

InfoTexts infoTexts(const RiffInfoTagRefs& tag) {
    InfoTexts texts;
    for (int x = 0; x < VELK_RIFFX_COUNT; ++x) {
        const char* text = tag.field[x];
        if (text) texts.text[x] = trimmed(text, std::strlen(text));
    }
    return texts;
}

InfoListBytes buildInfoList(const InfoTexts& texts, bool writeEmptyFields,
                            const TrailingTags& trailing, int tagMode) {
    InfoListBytes bytes;
    std::vector<uint8_t>& list = bytes.list;
    appendId(list, "LIST");
    appendLe32(list, 0);
    appendId(list, "INFO");
    for (int slot : kWriteOrder) {
        if (isExtendedSlot(slot) && !texts.extended) continue;
        const std::string& text = texts.text[slot];
        if (text.empty() && !writeEmptyFields) continue;
        appendTextSubchunk(list, kExInfoIds[slot], text);
    }
    const std::string& lyricsField = texts.text[VELK_RIFFX_ILYC];
    if (trailing.lyrics3.empty() || tagMode == kLyricsDropped) {
        appendTextSubchunk(list, "ILYC", lyricsField);
        appendId3Subchunk(list, trailing);
    } else if (tagMode == kLyricsInIid3) {
        appendTextSubchunk(list, "ILYC", lyricsField);
        appendTailSubchunk(list, "IID3", trailing, bytes.after);
    } else {
        appendTailSubchunk(list, "ILYC", trailing, bytes.after);
    }
    putLe32(&list[4], static_cast<uint32_t>(list.size() - 8));
    return bytes;
}

InfoListBytes defaultInfoList(const TrailingTags& trailing, int tagMode) {
    InfoTexts texts;
    texts.extended = false;
    texts.text[VELK_RIFFX_ISFT] = "VELK";
    return buildInfoList(texts, true, trailing, tagMode);
}

}  // namespace velk
