#include "tags/riff_info_write.h"

#include <memory>

#include "errors.h"
#include "tags/file_rewrite.h"
#include "tags/riff_bytes.h"
#include "tags/riff_scan.h"

namespace velk {
namespace {

int startsWithRiff(const File& file) {
    uint8_t id[4];
    if (!file.readExact(0, id, sizeof id)) return kErrRead;
    return hasId(id, "RIFF") ? kErrNone : kErrRiffConvert;
}

// The "data" size field of the new file: the length really copied when the old field claimed
// more than the file holds, so that the list written behind the audio is found again.
int correctDataSize(FileRewrite& rewrite, const RiffLayout& layout, int64_t audioLength) {
    if (layout.wfltOffset >= 0 || audioLength >= kFourGiB ||
        layout.declaredDataSize <= audioLength) {
        return kErrNone;
    }
    uint8_t size[4];
    putLe32(size, static_cast<uint32_t>(audioLength));
    return rewrite.patch(layout.dataHeader + 4, size, sizeof size);
}

}  // namespace

int changeRiffInfo(const std::string& path, const RiffSettings& settings,
                   const std::function<void(InfoListContent&)>& change) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    if (int code = startsWithRiff(file)) return code;
    auto tag = std::make_unique<RiffInfoTagEx>();
    const RiffLayout layout = riffScan(file, fileSize, nullptr, tag.get());
    if (!layout.usable()) return kErrRead;
    InfoListContent content;
    if (int code = readTrailingTags(file, fileSize, content.trailing)) return code;
    const int64_t audioLength = audioBeforeTrailingTags(layout, fileSize, content.trailing);
    content.texts = infoTexts(*tag);
    change(content);

    const InfoListBytes list =
        buildInfoList(content.texts, settings.writeEmptyFields, content.trailing, settings.tagMode);
    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (int code = rewrite.copy(file, 0, layout.dataStart + audioLength)) return code;
    if (audioLength & 1) {
        const uint8_t pad = 0;
        if (int code = rewrite.append(&pad, 1)) return code;
    }
    if (int code = rewrite.append(list.list)) return code;
    if (int code = rewrite.append(list.after)) return code;
    if (int code = correctDataSize(rewrite, layout, audioLength)) return code;
    uint8_t size[4];
    putLe32(size, riffSizeField(rewrite.size()));
    if (int code = rewrite.patch(4, size, sizeof size)) return code;
    return rewrite.commit();
}

int writeRiffInfo(const std::string& path, const RiffSettings& settings, const InfoTexts& texts) {
    return changeRiffInfo(path, settings,
                          [&texts](InfoListContent& content) { content.texts = texts; });
}

}  // namespace velk
