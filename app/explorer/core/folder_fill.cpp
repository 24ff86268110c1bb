#include "explorer/core/folder_fill.h"

#include "core/song_probe.h"

namespace velk::app {

void FolderFill::Start(std::vector<ListedFile> files, int nameType) {
    files_ = std::move(files);
    next_ = 0;
    nameType_ = nameType;
}

void FolderFill::Queue(std::vector<ListedFile> files) {
    files_.erase(files_.begin(), files_.begin() + static_cast<std::ptrdiff_t>(next_));
    next_ = 0;
    for (auto& file : files) files_.push_back(std::move(file));
}

void FolderFill::Stop() {
    files_.clear();
    next_ = 0;
}

std::vector<std::string> FolderFill::WaitingPaths() const {
    std::vector<std::string> paths;
    for (size_t i = next_; i < files_.size(); ++i) paths.push_back(files_[i].path);
    return paths;
}

std::vector<ExplorerRow> FolderFill::Step(const std::function<bool()>& enough) {
    std::vector<ExplorerRow> rows;
    while (next_ < files_.size()) {
        const ListedFile& file = files_[next_++];
        ExplorerRow row;
        const SongProbe song = ProbeSong(probe_, file.path, row.entry);
        // Unreadable files are listed with no length, as long as they are there at all.
        if (song.readable || PathExists(file.path)) {
            FinishEntry(row.entry, song.typeFlags, nameType_);
            row.size = file.size;
            row.modified = file.modified;
            row.hidden = file.hidden;
            if (typeName_) row.typeName = typeName_(file.path);
            rows.push_back(std::move(row));
        }
        if (enough && enough()) break;
    }
    return rows;
}

}  // namespace velk::app
