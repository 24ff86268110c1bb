#include "explorer/core/explorer_texts.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "core/grouped_digits.h"

namespace velk::app {

bool IsListedAudioName(std::string_view name) {
    static constexpr std::array<std::string_view, 8> kEndings = {".mp1", ".mp2", ".mp3", ".mpg",
                                                                 ".wav", ".rmp", ".lzh", ".zip"};
    if (name.size() < 4) return false;
    std::string tail(name.substr(name.size() - 4));
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string_view ending : kEndings) {
        if (tail == ending) return true;
    }
    return false;
}

std::string SizeText(uint64_t bytes) {
    const uint64_t kilobytes = bytes / 1024 + (bytes % 1024 ? 1 : 0);
    return GroupThousands(static_cast<int64_t>(kilobytes)) + " KB";
}

uint64_t SizeTextNumber(std::string_view text) {
    uint64_t number = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number;
}

std::string ModifiedText(const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min);
    return text;
}

std::string LocalModifiedText(int64_t seconds) {
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&when, &local)) return {};
    return ModifiedText(local);
}

}  // namespace velk::app
