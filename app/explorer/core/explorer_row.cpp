#include "explorer/core/explorer_row.h"

#include "core/time_text.h"
#include "explorer/core/explorer_texts.h"

namespace velk::app {

const std::array<const char*, kExplorerColumnCount>& ExplorerHeaders() {
    static const std::array<const char*, kExplorerColumnCount> headers = {
        "名前", "♪", "時間", "ｻｲｽﾞ", "種類", "更新日時"};
    return headers;
}

std::string ExplorerCellText(const ExplorerRow& row, int column) {
    switch (column) {
        case kExplorerName:
            return row.entry.fileName;
        case kExplorerLyrics:
            return row.entry.lyricsMark;
        case kExplorerTime:
            return FormatTime(row.entry.length);
        case kExplorerSize:
            return SizeText(row.size);
        case kExplorerType:
            return row.typeName;
        case kExplorerModified:
            return LocalModifiedText(row.modified);
        default:
            return {};
    }
}

}  // namespace velk::app
