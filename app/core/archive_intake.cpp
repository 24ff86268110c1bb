#include "core/archive_intake.h"

#include <cctype>
#include <climits>

#include "core/archive_member_info.h"

namespace velk::app {

bool IsArchivePath(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* ending : {".zip", ".mp3.zip", ".zip.mp3", ".lzh", ".mp3.lzh", ".lzh.mp3"}) {
        if (lower.ends_with(ending)) return true;
    }
    return false;
}

bool ReadArchive(const std::string& path, ArchiveReader& reader,
                 const std::function<bool(PlaylistEntry)>& append) {
    int startMs = 0;
    return reader.VisitMp3Members(path, [&](const MemberSample& sample) {
        PlaylistEntry entry;
        entry.path = path;
        entry.fileName = entry.memberName = sample.name;
        entry.startOffset = startMs;
        const MemberLength length = EstimateMemberLength(sample);
        if (length.found) {
            entry.length = length.seconds;
            startMs = length.advanceMs > INT_MAX - startMs ? INT_MAX : startMs + length.advanceMs;
        }
        const MemberTitles titles = ReadMemberTitles(sample);
        entry.title = titles.title;
        entry.artist = titles.artist;
        return append(std::move(entry));
    });
}

}  // namespace velk::app
