// velkaro-cli tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C]
//                      [--genre N] [--append]
// Without options it prints the ID3v1 tag; with them it writes the given fields over the
// file's current tag. Texts are UTF-8 here and Shift-JIS in the file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "cli/command.h"
#include "tags/text_codec.h"
#include "velk.h"

namespace velk::cli {
namespace {

constexpr size_t kId3TextBytes = 30;
// The genre byte of a tag that names none.
constexpr uint32_t kNoGenre = 255;

int usage() {
    std::fprintf(stderr,
                 "usage: velkaro-cli tag FILE [--title T] [--artist A] [--album B] [--year Y] "
                 "[--comment C] [--genre N] [--append]\n");
    return 2;
}

void printTag(const std::string& path) {
    const int flags = velk_getFileType(path.c_str());
    if (flags < 0 || !(flags & VELK_TYPE_ID3V1)) {
        std::printf("no ID3v1 tag\n");
        return;
    }
    Id3TagEx tag;
    velk_getFileTagV2(path.c_str(), &tag);
    std::printf("title: %s\n", cp932ForDisplay(tag.title).c_str());
    std::printf("artist: %s\n", cp932ForDisplay(tag.artist).c_str());
    std::printf("album: %s\n", cp932ForDisplay(tag.album).c_str());
    std::printf("year: %s\n", cp932ForDisplay(tag.year).c_str());
    std::printf("comment: %s\n", cp932ForDisplay(tag.comment).c_str());
    if (tag.track >= 0) std::printf("track: %d\n", tag.track);
    std::printf("genre: %u %s\n", tag.genre, tag.genreName);
}

// Stores a UTF-8 option value as Shift-JIS in a record field of `capacity` bytes.
bool storeText(const std::string& utf8, char* field, size_t capacity, size_t maxBytes) {
    const auto converted = utf8ToCp932(utf8);
    if (!converted) return false;
    std::memset(field, 0, capacity);
    const std::string cut = cutCp932(*converted, maxBytes);
    std::memcpy(field, cut.data(), cut.size());
    return true;
}

// The fields as the file has them (its track number included), so that options not given keep
// them; a file without a tag starts from empty fields and no genre.
Id3TagEx currentTag(const std::string& path) {
    Id3TagEx tag{};
    const int flags = velk_getFileType(path.c_str());
    if (flags >= 0 && (flags & VELK_TYPE_ID3V1) && velk_getFileTagV2(path.c_str(), &tag)) {
        return tag;
    }
    tag = Id3TagEx{};
    tag.genre = kNoGenre;
    tag.track = -1;
    return tag;
}

int writeTag(const std::string& path, const std::map<std::string, std::string>& fields,
             bool append) {
    Id3TagEx tag = currentTag(path);
    const std::map<std::string, std::pair<char*, size_t>> texts = {
        {"--title", {tag.title, sizeof tag.title}},
        {"--artist", {tag.artist, sizeof tag.artist}},
        {"--album", {tag.album, sizeof tag.album}},
        {"--comment", {tag.comment, sizeof tag.comment}},
        {"--year", {tag.year, sizeof tag.year}},
    };
    for (const auto& [option, value] : fields) {
        if (option == "--genre") {
            char* end = nullptr;
            const long genre = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end || genre < 0) return usage();
            tag.genre = static_cast<uint32_t>(genre);
            continue;
        }
        const auto& [field, capacity] = texts.at(option);
        const size_t maxBytes = option == "--year" ? 4 : kId3TextBytes;
        if (!storeText(value, field, capacity, maxBytes)) {
            std::fprintf(stderr, "%s: not representable in Shift-JIS\n", option.c_str());
            return 2;
        }
    }
    if (!velk_writeTagV2(path.c_str(), &tag, 0, append ? 1 : 0)) {
        return reportEngineError("writing the tag of " + path);
    }
    return 0;
}

int runTag(const std::vector<std::string>& args) {
    if (args.empty()) return usage();
    const std::string& path = args[0];
    std::map<std::string, std::string> fields;
    bool append = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--append") {
            append = true;
        } else if ((option == "--title" || option == "--artist" || option == "--album" ||
                    option == "--year" || option == "--comment" || option == "--genre") &&
                   i + 1 < args.size()) {
            fields[option] = args[++i];
        } else {
            return usage();
        }
    }
    if (fields.empty() && !append) {
        printTag(path);
        return 0;
    }
    return writeTag(path, fields, append);
}

const Registration registration{
    {"tag",
     "FILE [--title T --artist A --album B --year Y --comment C --genre N --append]    read or "
     "write the ID3v1 tag",
     runTag}};

}  // namespace
}  // namespace velk::cli
