#include "tags/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "tags/lyrics_text_scan.h"

namespace velk {
namespace {

std::optional<std::string> convert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    // Shift-JIS to UTF-8 at most doubles a text's length (two bytes become three), UTF-8 to
    // Shift-JIS never grows it; the loop below copes with anything larger anyway.
    std::vector<char> out(in.size() * 2 + 16);
    char* source = const_cast<char*>(in.data());
    size_t sourceLeft = in.size();
    size_t used = 0;
    std::optional<std::string> result;
    for (;;) {
        char* target = out.data() + used;
        size_t targetLeft = out.size() - used;
        const size_t done = iconv(cd, &source, &sourceLeft, &target, &targetLeft);
        used = out.size() - targetLeft;
        if (done != static_cast<size_t>(-1)) {
            result = std::string(out.data(), used);
            break;
        }
        if (errno != E2BIG) break;
        out.resize(out.size() * 2);
    }
    iconv_close(cd);
    return result;
}

// Converts unit by unit where `convert` gives up: a unit (of `unitBytes`) that is not valid in
// the source, or a character the target lacks, becomes `replacement` and the rest goes on.
std::string convertReplacing(const char* to, const char* from, std::string_view in,
                             size_t unitBytes, std::string_view replacement) {
    std::string result;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return result;
    std::vector<char> out(in.size() * 4 + 16);
    char* source = const_cast<char*>(in.data());
    size_t sourceLeft = in.size();
    while (sourceLeft > 0) {
        char* target = out.data();
        size_t targetLeft = out.size();
        const size_t done = iconv(cd, &source, &sourceLeft, &target, &targetLeft);
        result.append(out.data(), out.size() - targetLeft);
        if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a unit cut off at the end): replace one unit and start afresh.
        result.append(replacement);
        const size_t skip = std::min(unitBytes, sourceLeft);
        source += skip;
        sourceLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return result;
}

}  // namespace

std::string toCp932Replacing(std::string_view text, const char* encoding, size_t unitBytes) {
    // Through UTF-32 so that a character Shift-JIS lacks is one 4-byte unit to replace.
    static constexpr char kQuestionMark32[] = {'?', 0, 0, 0};
    const std::string wide = convertReplacing("UTF-32LE", encoding, text, unitBytes,
                                              std::string_view(kQuestionMark32, 4));
    return convertReplacing("CP932", "UTF-32LE", wide, 4, "?");
}

std::optional<std::string> utf8ToCp932(const std::string& utf8) {
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> cp932ToUtf8(const std::string& cp932) {
    return convert("UTF-8", "CP932", cp932);
}

std::string cp932ForDisplay(const std::string& cp932) {
    return cp932ToUtf8(cp932).value_or(cp932);
}

std::string cutCp932(const std::string& cp932, size_t maxBytes) {
    return cp932.substr(0, cutLength(cp932, maxBytes, TextEncoding::ShiftJis));
}

}  // namespace velk
