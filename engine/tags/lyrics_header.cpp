#include "tags/lyrics_header.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

namespace velk {
namespace {

enum class ValueKind { Text, Integer, Ratio, TimeType };

struct HeaderKey {
    const char* name;
    ValueKind kind;
    char (LyricsHeader::*text)[1024];
    int32_t LyricsHeader::*integer;
    uint32_t LyricsHeader::*line;
};

// Compared over the name's length in this order, so "@SilencemSec" wins over "@Silence".
const HeaderKey kKeys[] = {
    {"@Artist", ValueKind::Text, &LyricsHeader::artist, nullptr, &LyricsHeader::artistLine},
    {"@Title", ValueKind::Text, &LyricsHeader::title, nullptr, &LyricsHeader::titleLine},
    {"@Album", ValueKind::Text, &LyricsHeader::album, nullptr, &LyricsHeader::albumLine},
    {"@Bgfile", ValueKind::Text, &LyricsHeader::bgFile, nullptr, &LyricsHeader::bgFileLine},
    {"@Bgfolder", ValueKind::Text, &LyricsHeader::bgFolder, nullptr, &LyricsHeader::bgFolderLine},
    {"@TimeRatio", ValueKind::Ratio, nullptr, nullptr, &LyricsHeader::timeRatioLine},
    {"@Offset", ValueKind::Integer, nullptr, &LyricsHeader::offset, &LyricsHeader::offsetLine},
    {"@SilencemSec", ValueKind::Integer, nullptr, &LyricsHeader::silenceMSec,
     &LyricsHeader::silenceMSecLine},
    {"@TaggingBy", ValueKind::Text, &LyricsHeader::taggingBy, nullptr,
     &LyricsHeader::taggingByLine},
    {"@EditedBy", ValueKind::Text, &LyricsHeader::editedBy, nullptr, &LyricsHeader::editedByLine},
    {"@Silence", ValueKind::Integer, nullptr, &LyricsHeader::silence, &LyricsHeader::silenceLine},
    {"@Flames", ValueKind::Integer, nullptr, &LyricsHeader::flames, &LyricsHeader::flamesLine},
    {"@TotalSec", ValueKind::Integer, nullptr, &LyricsHeader::totalSec,
     &LyricsHeader::totalSecLine},
    {"@TimeType", ValueKind::TimeType, &LyricsHeader::timeTypeText, nullptr,
     &LyricsHeader::timeTypeTextLine},
};

constexpr uint32_t kTimeTypeWinAmp = 0;
constexpr uint32_t kTimeTypeNormal = 1;
constexpr uint32_t kTimeTypeRatio = 2;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The leading decimal number, as atoi reads it: optional sign, digits, 0 when none.
int32_t leadingInteger(std::string_view value) {
    int64_t number = 0;
    size_t at = 0;
    const bool negative = at < value.size() && value[at] == '-';
    if (at < value.size() && (value[at] == '-' || value[at] == '+')) ++at;
    for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at) {
        number = number * 10 + (value[at] - '0');
        if (number > INT32_MAX) {
            number = INT32_MAX;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -number : number);
}

double leadingReal(std::string_view value) {
    if (!value.empty() && value[0] == '+') value.remove_prefix(1);
    double number = 0.0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    return result.ec == std::errc() ? number : 0.0;
}

void storeValue(const HeaderKey& key, std::string_view value, TextEncoding encoding,
                LyricsHeader& header) {
    switch (key.kind) {
        case ValueKind::Text:
            copyToField(header.*key.text, sizeof(header.*key.text), value, encoding);
            break;
        case ValueKind::Integer:
            header.*key.integer = leadingInteger(value);
            break;
        case ValueKind::Ratio:
            header.timeRatio = leadingReal(value);
            if (header.timeRatio != 0.0) header.timeType = kTimeTypeRatio;
            break;
        case ValueKind::TimeType:
            copyToField(header.*key.text, sizeof(header.*key.text), value, encoding);
            if (header.timeRatio != 0.0) break;
            if (startsWith(value, "WinAmp")) header.timeType = kTimeTypeWinAmp;
            if (startsWith(value, "Normal")) header.timeType = kTimeTypeNormal;
            break;
    }
}

}  // namespace

void resetLyricsHeader(LyricsHeader& header) {
    std::memset(&header, 0, sizeof header);
    for (const HeaderKey& key : kKeys) header.*key.line = kNoHeaderLine;
}

bool parseLyricsHeaderLine(std::string_view line, uint32_t lineNumber, TextEncoding encoding,
                           LyricsHeader& header) {
    const size_t equals = findChar(line, '=', 0, encoding);
    if (equals == std::string_view::npos) return false;
    std::string key;
    for (char c : line.substr(0, equals)) {
        if (c != ' ') key.push_back(c);
    }
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    value = value.substr(0, std::min(value.size(), findLineBreak(value, 0, encoding)));

    for (const HeaderKey& candidate : kKeys) {
        if (!startsWith(key, candidate.name)) continue;
        storeValue(candidate, value, encoding, header);
        header.*candidate.line = lineNumber;
        header.present = 1;
        return true;
    }
    return false;
}

}  // namespace velk
