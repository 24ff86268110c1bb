#include "tags/lyrics3_block.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "tags/lyrics3_probe.h"
#include "tags/lyrics_text_scan.h"

namespace velk {
namespace {

struct TextField {
    const char* id;
    size_t offset;
    size_t capacity;
};

#define VELK_LYRICS3_FIELD(id, member)                               \
    TextField {                                                      \
        id, offsetof(Lyrics3Tag, member), sizeof(Lyrics3Tag::member) \
    }

// In the order they are written.
const TextField kTextFields[] = {
    VELK_LYRICS3_FIELD("LYR", lyr), VELK_LYRICS3_FIELD("INF", inf), VELK_LYRICS3_FIELD("AUT", aut),
    VELK_LYRICS3_FIELD("EAL", eal), VELK_LYRICS3_FIELD("EAR", ear), VELK_LYRICS3_FIELD("ETT", ett),
    VELK_LYRICS3_FIELD("IMG", img),
};

#undef VELK_LYRICS3_FIELD

constexpr size_t kFieldHeaderLength = 8;  // 3-byte id, 5 size digits

bool parseDigits(std::string_view digits, size_t& value) {
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return true;
}

const TextField* findField(std::string_view id) {
    for (const TextField& field : kTextFields) {
        if (id == field.id) return &field;
    }
    return nullptr;
}

void storeField(const TextField& field, std::string_view data, Lyrics3Tag& tag) {
    char* target = reinterpret_cast<char*>(&tag) + field.offset;
    std::string_view probe = data;
    copyToField(target, field.capacity, data, detectEncoding(probe));
}

void appendDigits(std::vector<uint8_t>& out, size_t value, int width) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*zu", width, value);
    out.insert(out.end(), digits, digits + width);
}

void appendText(std::vector<uint8_t>& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

// A field's text: up to its first NUL, less trailing blanks.
std::string_view fieldText(const Lyrics3Tag& tag, const TextField& field) {
    const char* text = reinterpret_cast<const char*>(&tag) + field.offset;
    size_t length = strnlen(text, field.capacity);
    while (length > 0 && text[length - 1] == ' ') --length;
    return {text, length};
}

}  // namespace

bool parseLyrics3Block(std::string_view block, Lyrics3Tag& tag) {
    std::memset(&tag, 0, sizeof tag);
    const size_t trailer = static_cast<size_t>(kLyrics3TrailerLength);
    const size_t begin = static_cast<size_t>(kLyrics3BeginLength);
    size_t declared = 0;
    if (block.size() < begin + trailer || block.substr(0, begin) != "LYRICSBEGIN" ||
        block.substr(block.size() - 9) != "LYRICS200" ||
        !parseDigits(block.substr(block.size() - trailer, 6), declared) ||
        declared != block.size() - trailer) {
        return false;
    }
    const std::string_view fields = block.substr(0, block.size() - trailer);
    size_t at = begin;
    while (at < fields.size()) {
        size_t size = 0;
        if (fields.size() - at < kFieldHeaderLength ||
            !parseDigits(fields.substr(at + 3, 5), size) ||
            size > fields.size() - at - kFieldHeaderLength) {
            std::memset(&tag, 0, sizeof tag);
            return false;
        }
        const std::string_view id = fields.substr(at, 3);
        const std::string_view data = fields.substr(at + kFieldHeaderLength, size);
        if (id == "IND") {
            std::memcpy(tag.ind, data.data(), std::min(data.size(), sizeof tag.ind));
        } else if (const TextField* field = findField(id)) {
            storeField(*field, data, tag);
        }
        at += kFieldHeaderLength + size;
    }
    return true;
}

std::vector<uint8_t> buildLyrics3Block(const Lyrics3Tag& tag) {
    std::vector<uint8_t> out;
    appendText(out, "LYRICSBEGIN");
    appendText(out, "IND00002");
    // An unset flag is written as "0", the character the block is made of.
    for (char flag : tag.ind) out.push_back(flag == '\0' ? '0' : static_cast<uint8_t>(flag));
    for (const TextField& field : kTextFields) {
        const std::string_view text = fieldText(tag, field);
        appendText(out, field.id);
        appendDigits(out, text.size(), 5);
        appendText(out, text);
    }
    appendDigits(out, out.size(), 6);
    appendText(out, "LYRICS200");
    return out;
}

}  // namespace velk
