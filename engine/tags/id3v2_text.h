// Title and artist from an ID3v2 tag (versions 2.2, 2.3 and 2.4), for files that carry no
// ID3v1 tag. Only the two text frames are read; everything else in the tag is stepped over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velk {

// Shift-JIS texts, '?' for characters Shift-JIS cannot hold; empty when the tag has no such
// frame.
struct Id3v2Titles {
    std::string title;
    std::string artist;

    bool empty() const { return title.empty() && artist.empty(); }
};

// Reads the tag that `tag` begins with ("ID3" and its 10-byte header), `size` bytes of which
// are present: usually the whole tag, less when the file ends early. Every size in the tag is
// checked against what is present; nothing outside the span is read.
Id3v2Titles readId3v2Titles(const uint8_t* tag, size_t size);

}  // namespace velk
