#include "core/text_codec.h"

#include <iconv.h>

#include <vector>

namespace velk::app {

namespace {

std::string Convert(const char* to, const char* from, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return input;
    std::string output;
    std::vector<char> buffer(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        const size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), out);
        if (done == static_cast<size_t>(-1) && inLeft > 0) {
            output.push_back('?');  // a byte the code page cannot read: skip it
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return output;
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        if (c < 0x80) {
            extra = 0;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= text.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string TagTextToUtf8(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : Convert("UTF-8", "CP932", bytes);
}

std::string Utf8ToTagText(const std::string& text) {
    return Convert("CP932", "UTF-8", text);
}

}  // namespace velk::app
