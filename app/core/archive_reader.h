// Reading .mp3 members out of zip and lha archives: what listing needs of each member (its
// first and last bytes and its size) and the extraction of one member into a file. The
// interface lets the listing rules run against a scripted archive.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velk::app {

// Members larger than this are never extracted nor read to their end.
inline constexpr uint64_t kMemberByteCap = uint64_t{1} << 30;

// The bytes of one member that its length and tags are read from.
struct MemberSample {
    std::string name;           // UTF-8, as listed
    bool complete = false;      // read to its end within the cap; else nothing below is trusted
    uint64_t size = 0;          // bytes actually read (a size field may lie)
    std::vector<uint8_t> head;  // an ID3v2 tag if one leads, then the start of the audio
    std::vector<uint8_t> tail;  // the last bytes, up to 128
};

enum class MemberStorage {
    kMissing,
    // Stored without compression and beginning with a frame, after nothing but other such
    // members: the archive plays as one stream up to it, and its start offset finds it.
    kInArchiveStream,
    // Compressed, tagged in front, or behind other data that would play as noise: it needs a
    // copy of its own.
    kNeedsCopy,
};

class ArchiveReader {
  public:
    virtual ~ArchiveReader() = default;
    // Hands each ".mp3" member to `visit` in archive order (one sample in memory at a time);
    // `visit` returns false to end the walk. False when the file is no archive that can be
    // read; damage part way ends the walk after the members before it and still gives true.
    virtual bool VisitMp3Members(const std::string& archive,
                                 const std::function<bool(const MemberSample&)>& visit) = 0;
    // Whether the member can play straight from the archive file.
    virtual MemberStorage Storage(const std::string& archive, const std::string& member) = 0;
    // Writes the member's bytes to the open descriptor; false (and the file left for the
    // caller to remove) when it is missing, damaged, over the cap or the disk fills.
    virtual bool Extract(const std::string& archive, const std::string& member, int fd) = 0;
};

}  // namespace velk::app
