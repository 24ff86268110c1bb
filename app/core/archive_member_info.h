// What a member's sampled bytes say about it: its play time, how far it moves the running
// start offset of the members after it, and its title and artist.
#pragma once

#include <string>

#include "core/archive_reader.h"

namespace velk::app {

struct MemberLength {
    bool found = false;
    int seconds = 0;
    // Milliseconds the next member's start offset lies beyond this one's.
    int advanceMs = 0;
};

// From the first frame: its Xing frame count, else the bit rate and the member's size. Tags
// around the audio do not count toward the play time.
MemberLength EstimateMemberLength(const MemberSample& sample);

struct MemberTitles {
    bool tagged = false;
    std::string title;   // UTF-8
    std::string artist;  // UTF-8
};

// The ID3v1 tag at the member's end, else a leading ID3v2 tag.
MemberTitles ReadMemberTitles(const MemberSample& sample);

}  // namespace velk::app
