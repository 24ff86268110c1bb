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

}  // namespace

int writeRiffInfo(const std::string& path, const InfoTexts& texts) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    if (int code = startsWithRiff(file)) return code;
    const RiffLayout layout = riffScan(file, fileSize);
    if (!layout.usable()) return kErrRead;
    TrailingTags trailing;
    if (int code = readTrailingTags(file, fileSize, trailing)) return code;

    const RiffSettings& settings = riffSettings();
    const InfoListBytes list =
        buildInfoList(texts, settings.writeEmptyFields, trailing, settings.tagMode);
    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (int code = rewrite.copy(file, 0, layout.dataStart + layout.dataLength)) return code;
    if (layout.dataLength & 1) {
        const uint8_t pad = 0;
        if (int code = rewrite.append(&pad, 1)) return code;
    }
    if (int code = rewrite.append(list.list)) return code;
    if (int code = rewrite.append(list.after)) return code;
    uint8_t size[4];
    putLe32(size, riffSizeField(rewrite.size()));
    if (int code = rewrite.patch(4, size, sizeof size)) return code;
    return rewrite.commit();
}

int rewriteRiffInfo(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    if (int code = startsWithRiff(file)) return code;
    auto tag = std::make_unique<RiffInfoTagEx>();
    if (!riffScan(file, file.size(), nullptr, tag.get()).usable()) return kErrRead;
    file.close();
    return writeRiffInfo(path, infoTexts(*tag));
}

}  // namespace velk
