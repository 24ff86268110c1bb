// Entry points of the tag and container operations: ID3v1 and ID3v2 tags, RIFF INFO lists,
// the file-type query and the container conversions.
#include <cstring>
#include <memory>

#include "engine.h"
#include "errors.h"
#include "tags/genres.h"
#include "tags/id3v1.h"
#include "tags/id3v1_write.h"
#include "tags/id3v2_remove.h"
#include "tags/riff_convert.h"
#include "tags/riff_file_type.h"
#include "tags/riff_info_write.h"
#include "tags/riff_scan.h"
#include "velk.h"

using velk::Engine;

namespace {

Engine& engine() {
    return Engine::instance();
}

bool usableName(const char* fileName) {
    return fileName && *fileName;
}

// 1 for success; otherwise the code becomes the last error and the result is 0.
int result(int code) {
    if (code == velk::kErrNone) return 1;
    velk::setLastError(code);
    return 0;
}

template <class Tag>
int readFileTag(const char* fileName, Tag* tag) {
    if (tag) *tag = Tag{};
    velk::File file;
    if (!usableName(fileName) || !file.open(fileName, velk::File::Mode::Read)) {
        return result(velk::kErrFileOpen);
    }
    velk::Id3v1Block block;
    if (tag && velk::readId3v1Block(file, file.size(), block)) velk::parseId3v1(block, *tag);
    return 1;
}

int writeTag(const char* fileName, const Id3Tag* tag, int32_t track, int32_t updateOpenFile,
             int32_t appendIfMissing) {
    if (!usableName(fileName)) return result(velk::kErrFileOpen);
    if (!tag) return result(velk::kErrRange);
    const int code = velk::writeId3v1(fileName, velk::buildId3v1(*tag, track), appendIfMissing != 0,
                                      engine().riff());
    if (code == velk::kErrNone && updateOpenFile) {
        velk::refreshFromRecord(*tag, engine().openFileTags().id3);
    }
    return result(code);
}

// Reads a file's INFO list into a 17-field record; 0 when the file is not RIFF.
int readFileRiffInfo(const char* fileName, RiffInfoTagEx& tag) {
    tag = RiffInfoTagEx{};
    velk::File file;
    if (!usableName(fileName) || !file.open(fileName, velk::File::Mode::Read)) {
        return result(velk::kErrFileOpen);
    }
    const velk::RiffLayout layout = velk::riffScan(file, file.size(), nullptr, &tag);
    return layout.usable() ? 1 : result(velk::kErrRiffConvert);
}

int writeFileRiffInfo(const char* fileName, const velk::InfoTexts& texts) {
    if (!usableName(fileName)) return result(velk::kErrFileOpen);
    return result(velk::writeRiffInfo(fileName, engine().riff(), texts));
}

int convert(const char* fileName, int (*operation)(const std::string&)) {
    if (!usableName(fileName)) return result(velk::kErrFileOpen);
    return result(operation(fileName));
}

int wrapWave(const std::string& path) {
    return velk::wrapInRiff(path, velk::RiffForm::Wave, engine().riff());
}
int wrapRmp3(const std::string& path) {
    return velk::wrapInRiff(path, velk::RiffForm::Rmp3, engine().riff());
}

}  // namespace

extern "C" {

int velk_getFileType(const char* fileName) {
    return usableName(fileName) ? velk::fileTypeFlags(fileName) : -1;
}

int velk_writeTag(const char* fileName, const Id3Tag* tag, int32_t updateOpenFile,
                  int32_t appendIfMissing) {
    return writeTag(fileName, tag, -1, updateOpenFile, appendIfMissing);
}

int velk_getTag(Id3Tag* tag) {
    if (!engine().file().open) return result(velk::kErrNoFile);
    if (tag) *tag = engine().file().tags.id3;
    return 1;
}

int velk_writeTagV2(const char* fileName, const Id3TagEx* tag, int32_t updateOpenFile,
                    int32_t appendIfMissing) {
    if (!tag) return writeTag(fileName, nullptr, -1, updateOpenFile, appendIfMissing);
    Id3Tag plain;
    std::memcpy(&plain, tag, sizeof plain);
    return writeTag(fileName, &plain, tag->track, updateOpenFile, appendIfMissing);
}

int velk_getFileTag(const char* fileName, Id3Tag* tag) {
    return readFileTag(fileName, tag);
}

int velk_getFileTagV2(const char* fileName, Id3TagEx* tag) {
    return readFileTag(fileName, tag);
}

int velk_getGenreName(Id3Tag* tag) {
    if (!tag) return result(velk::kErrRange);
    const uint32_t genre = tag->genre;
    *tag = Id3Tag{};
    tag->genre = genre;
    const char* name = velk::genreName(genre);
    if (!name) return result(velk::kErrRange);
    std::strcpy(tag->genreName, name);
    return 1;
}

int velk_removeId3v2(const char* fileName) {
    if (!usableName(fileName)) return result(velk::kErrFileOpen);
    const int code = velk::removeId3v2(fileName);
    return code == velk::kNoId3v2 ? 0 : result(code);
}

int velk_setFileRiffInfoShort(const char* fileName, const RiffInfoTag* tag) {
    if (!tag) return result(velk::kErrRange);
    return writeFileRiffInfo(fileName, velk::infoTexts(*tag));
}

int velk_getRiffInfo(RiffInfoTag* tag) {
    if (!engine().file().open) return result(velk::kErrFileOpen);
    if (tag) *tag = engine().file().tags.riff;
    return 1;
}

int velk_setFileRiffInfoEx(const char* fileName, const RiffInfoTagEx* tag) {
    if (!tag) return result(velk::kErrRange);
    return writeFileRiffInfo(fileName, velk::infoTexts(*tag));
}

int velk_getFileRiffInfo(const char* fileName, RiffInfoTagEx* tag) {
    if (!tag) return result(velk::kErrRange);
    return readFileRiffInfo(fileName, *tag);
}

int velk_getFileRiffInfo2(const char* fileName, RiffInfoTag512* tag) {
    if (!tag) return result(velk::kErrRange);
    *tag = RiffInfoTag512{};
    auto full = std::make_unique<RiffInfoTagEx>();
    const int found = readFileRiffInfo(fileName, *full);
    for (int i = 0; i < VELK_RIFFX_COUNT; ++i) {
        std::memcpy(tag->field[i], full->field[i], sizeof tag->field[i] - 1);
    }
    return found;
}

int velk_setFileRiffInfo(const char* fileName, const RiffInfoTag512* tag) {
    if (!tag) return result(velk::kErrRange);
    return writeFileRiffInfo(fileName, velk::infoTexts(*tag));
}

int velk_setFileRiffInfoRefs(const char* fileName, const RiffInfoTagRefs* tag) {
    if (!tag) return result(velk::kErrRange);
    return writeFileRiffInfo(fileName, velk::infoTexts(*tag));
}

void velk_setWriteEmptyInfo(int32_t on) {
    engine().riff().writeEmptyFields = on != 0;
}

void velk_setRiffTagMode(int32_t mode) {
    engine().riff().tagMode = (mode >= 0 && mode <= 2) ? mode : velk::kLyricsInIlyc;
}

int velk_convertToRiff(const char* fileName) {
    return convert(fileName, wrapWave);
}

int velk_convertRiffToMpeg(const char* fileName) {
    return convert(fileName, velk::unwrapRiff);
}

int velk_convertToRmp3(const char* fileName) {
    return convert(fileName, wrapRmp3);
}

int velk_removeMacBinary(const char* fileName) {
    return convert(fileName, velk::removeMacBinary);
}

}  // extern "C"
