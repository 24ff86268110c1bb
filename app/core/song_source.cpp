#include "core/song_source.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace velk::app {

namespace {

std::string DefaultTempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

constexpr const char* kSuffix = ".mp3";

}  // namespace

SongSource DirectSource(const PlaylistEntry& entry) {
    return {entry.path, entry.startSeconds()};
}

ArchiveSongSources::ArchiveSongSources(ArchiveReader& reader, std::string tempFolder)
    : reader_(reader),
      tempFolder_(tempFolder.empty() ? DefaultTempFolder() : std::move(tempFolder)) {}

ArchiveSongSources::~ArchiveSongSources() {
    Release();
}

SongSource ArchiveSongSources::Acquire(const PlaylistEntry& entry) {
    Release();
    if (!entry.isMember()) return DirectSource(entry);
    switch (reader_.Storage(entry.path, entry.memberName)) {
        case MemberStorage::kInArchiveStream:
            return DirectSource(entry);
        case MemberStorage::kNeedsCopy:
            return {ExtractToTemporary(entry), 0};
        case MemberStorage::kMissing:
            break;
    }
    return {};
}

std::string ArchiveSongSources::ExtractToTemporary(const PlaylistEntry& entry) {
    std::string name = tempFolder_ + "/velkXXXXXX" + kSuffix;
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    const int fd =
        mkstemps(pattern.data(), static_cast<int>(std::char_traits<char>::length(kSuffix)));
    if (fd < 0) return {};
    name = pattern.data();
    const bool extracted = reader_.Extract(entry.path, entry.memberName, fd);
    const bool closed = close(fd) == 0;
    if (!extracted || !closed) {
        unlink(name.c_str());
        return {};
    }
    temporary_ = name;
    return temporary_;
}

void ArchiveSongSources::Release() {
    if (temporary_.empty()) return;
    unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace velk::app
