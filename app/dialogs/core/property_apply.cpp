#include "dialogs/core/property_apply.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "core/display_name.h"
#include "core/rename_file.h"
#include "core/tag_field.h"
#include "core/text_codec.h"

namespace velk::app {

namespace {

// The tag's five texts in Shift-JIS, each cut to its field.
struct EncodedTag {
    std::string title, artist, album, year, comment;
};

// Copies `bytes` (already cut to the field) into a NUL-terminated tag field.
template <size_t N>
void Fill(char (&field)[N], const std::string& bytes) {
    std::memcpy(field, bytes.data(), std::min(bytes.size(), N - 1));
}

// Nothing when a character does not fit the code page; `refused` names it.
std::optional<EncodedTag> EncodeTag(const SongTag& tag, std::string& refused) {
    const std::pair<const std::string*, size_t> fields[] = {{&tag.title, kTagTitleBytes},
                                                            {&tag.artist, kTagArtistBytes},
                                                            {&tag.album, kTagAlbumBytes},
                                                            {&tag.year, kTagYearBytes},
                                                            {&tag.comment, kTagCommentBytes}};
    std::string encoded[std::size(fields)];
    for (size_t i = 0; i < std::size(fields); ++i) {
        const TagTextEncoding text = EncodeTagTextExactly(*fields[i].first);
        if (!text.unencodable.empty()) {
            refused = text.unencodable;
            return std::nullopt;
        }
        encoded[i] = CutToTagField(text.bytes, fields[i].second);
    }
    return EncodedTag{encoded[0], encoded[1], encoded[2], encoded[3], encoded[4]};
}

// The path the name field asks for.
std::string RequestedPath(const PlaylistEntry& entry, const PropertyEdits& edits) {
    if (edits.fullPath) return edits.nameField;
    const std::string folder = FolderOf(entry.path);
    return folder.empty() ? edits.nameField : folder + "/" + edits.nameField;
}

}  // namespace

ApplyOutcome ApplyProperties(PlaylistEntry& entry, const PropertyEdits& edits, TagPort& tags) {
    ApplyOutcome outcome;
    // An archive member is neither renamed nor tagged: both would land on the archive.
    if (entry.isMember()) return outcome;
    std::optional<EncodedTag> encoded;
    if (!edits.pcmWave) {
        encoded = EncodeTag(edits.tag, outcome.unencodable);
        if (!encoded) {
            outcome.result = ApplyOutcome::kUnencodable;
            return outcome;
        }
    }
    const std::string path = RequestedPath(entry, edits);
    if (path != entry.path) {
        if (BaseName(path).empty() || !RenameWithoutReplacing(entry.path, path)) {
            outcome.result = ApplyOutcome::kRenameFailed;
            return outcome;
        }
        entry.path = path;
        entry.fileName = BaseName(path);
        outcome.rowChanged = true;
    }
    if (!encoded) return outcome;
    Id3Tag tag{};
    Fill(tag.title, encoded->title);
    Fill(tag.artist, encoded->artist);
    Fill(tag.album, encoded->album);
    Fill(tag.year, encoded->year);
    Fill(tag.comment, encoded->comment);
    tag.genre = static_cast<uint32_t>(edits.genre);
    if (!tags.Write(entry.path, tag, false)) {
        outcome.result = ApplyOutcome::kTagFailed;
        return outcome;
    }
    entry.title = TagTextToUtf8(encoded->title);
    entry.artist = TagTextToUtf8(encoded->artist);
    outcome.rowChanged = true;
    return outcome;
}

int NeighbourRow(int row, int count, int direction) {
    if (count <= 0) return -1;
    if (direction < 0) return row <= 0 ? count - 1 : row - 1;
    return row + 1 >= count ? 0 : row + 1;
}

}  // namespace velk::app
