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

// Bytes of the UTF-8 character at `at`; 0 for a byte that begins none or a cut-off character.
size_t Utf8CharLength(const std::string& text, size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    if (c < 0x80) {
        length = 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8CharLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string TagTextToUtf8(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : Convert("UTF-8", "CP932", bytes);
}

std::string Utf8ToTagText(const std::string& text) {
    return Convert("CP932", "UTF-8", text);
}

TagTextEncoding EncodeTagTextExactly(const std::string& text) {
    TagTextEncoding result;
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = Utf8CharLength(text, i);
        const std::string character = text.substr(i, length);
        const std::string bytes = Convert("CP932", "UTF-8", character);
        // A character the code page lacks comes back as "?" marks; a real "?" is itself.
        const bool lost =
            bytes.empty() || (bytes.find('?') != std::string::npos && character != "?");
        if (length == 0 || lost) {
            result.unencodable = length == 0 ? text.substr(i, 1) : character;
            result.bytes.clear();
            return result;
        }
        result.bytes += bytes;
        i += length;
    }
    return result;
}

}  // namespace velk::app
