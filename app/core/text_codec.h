// Tag and lyrics texts are Shift-JIS bytes inside the engine; the player works in UTF-8.
#pragma once

#include <string>

namespace velk::app {

bool IsValidUtf8(const std::string& text);
// Valid UTF-8 stays as it is; anything else is read as code page 932.
std::string TagTextToUtf8(const std::string& bytes);
// Back to code page 932 for writing; characters it cannot hold become "?".
std::string Utf8ToTagText(const std::string& text);

// Code page 932 for writing when every character fits; otherwise the first character (UTF-8)
// that it cannot hold, so that the caller can refuse the text before anything is written.
struct TagTextEncoding {
    std::string bytes;
    std::string unencodable;  // empty when the whole text was encoded
};
TagTextEncoding EncodeTagTextExactly(const std::string& text);

}  // namespace velk::app
