// libFuzzer target over the ID3v2 title reader: the tag header, every frame header of versions
// 2.2, 2.3 and 2.4, the text encodings and the conversion to Shift-JIS. The input is the tag as
// it lies in memory; it is handed over in a buffer of exactly its size so that AddressSanitizer
// sees any read past the end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "tags/id3v2_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto copy = std::make_unique<uint8_t[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    const velk::Id3v2Titles titles = velk::readId3v2Titles(copy.get(), size);
    // The texts must be whole strings: reading them touches every byte they claim.
    volatile size_t touched = 0;
    for (const char c : titles.title) touched = touched + static_cast<unsigned char>(c);
    for (const char c : titles.artist) touched = touched + static_cast<unsigned char>(c);
    return 0;
}
