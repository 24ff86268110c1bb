#include "core/unify_artist.h"

#include <cstring>

#include "core/text_codec.h"

namespace velk::app {
namespace {

// Reads the row's tag and writes it back with the new artist when the tag holds another one;
// every other field goes back as the file had it. False when the file could not be read or
// written.
bool RewriteTag(const PlaylistEntry& entry, const std::string& tagArtist, bool openInPlayer,
                TagPort& tags) {
    Id3Tag tag{};
    if (!tags.Read(entry.path, tag)) return false;
    if (std::string(tag.artist, strnlen(tag.artist, sizeof tag.artist)) == tagArtist) return true;
    std::memset(tag.artist, 0, sizeof tag.artist);
    std::memcpy(tag.artist, tagArtist.data(), tagArtist.size());
    return tags.Write(entry.path, tag, openInPlayer);
}

}  // namespace

UnifyResult UnifyArtist(Playlist& playlist, const std::vector<int>& rows, const std::string& artist,
                        int currentRow, TagPort& tags) {
    UnifyResult result;
    const std::string tagArtist = CutToTagField(Utf8ToTagText(artist), kTagArtistBytes);
    const std::string shown = TagTextToUtf8(tagArtist);
    for (int row : rows) {
        if (row < 0 || row >= playlist.Count()) continue;
        PlaylistEntry& entry = playlist.Entry(row);
        // A song inside an archive has no tag of its own: writing one would go onto the end of
        // the archive file.
        if (entry.isMember() || !RewriteTag(entry, tagArtist, row == currentRow, tags)) {
            result.anyFailed = true;
            continue;
        }
        if (entry.artist == shown) continue;
        entry.artist = shown;
        result.changedRows.push_back(row);
        if (row == currentRow) result.currentRowChanged = true;
    }
    return result;
}

}  // namespace velk::app
