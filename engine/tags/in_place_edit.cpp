#include "tags/in_place_edit.h"

#include <algorithm>

#include "errors.h"

namespace velk {

int InPlaceEdit::write(int64_t offset, const void* data, size_t length) {
    const int64_t coveredEnd = std::min(offset + static_cast<int64_t>(length), fileSize_);
    if (offset < fileSize_) {
        Saved saved{offset, std::vector<uint8_t>(static_cast<size_t>(coveredEnd - offset))};
        if (!file_.readExact(offset, saved.bytes.data(), saved.bytes.size())) {
            undo();
            return kErrRead;
        }
        saved_.push_back(std::move(saved));
    }
    if (file_.writeAt(offset, data, length)) return kErrNone;
    undo();
    return kErrWrite;
}

void InPlaceEdit::undo() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        file_.writeAt(it->offset, it->bytes.data(), it->bytes.size());
    }
    saved_.clear();
    if (file_.size() != fileSize_) file_.truncate(fileSize_);
}

}  // namespace velk
