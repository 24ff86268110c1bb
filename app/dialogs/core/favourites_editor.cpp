#include "dialogs/core/favourites_editor.h"

#include <algorithm>
#include <set>
#include <utility>

#include "core/display_name.h"
#include "core/file_intake.h"
#include "core/row_moves.h"

namespace velk::app {

std::string FavouriteLineText(const std::string& line, bool fullPath) {
    PlaylistEntry member;
    if (ParseFavouriteLine(line, member)) {
        return fullPath ? member.path + "|" + member.memberName : member.memberName;
    }
    return fullPath ? line : BaseName(line);
}

FavouritesEditor::FavouritesEditor(std::vector<FavouriteDraft> favourites)
    : favourites_(std::move(favourites)) {}

std::vector<std::string> FavouritesEditor::Names() const {
    std::vector<std::string> names;
    for (const auto& f : favourites_) names.push_back(f.name);
    return names;
}

bool FavouritesEditor::HasName(const std::string& name) const {
    const auto names = Names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

int FavouritesEditor::AddNew(const std::string& name) {
    favourites_.push_back({name, {}});
    changed_ = true;
    return Count() - 1;
}

FavouritesEditor::Added FavouritesEditor::AddFromPlaylist(const std::string& name,
                                                          std::vector<std::string> lines) {
    const std::string unique = UniqueFavouriteName(Names(), name);
    favourites_.push_back({unique, std::move(lines)});
    changed_ = true;
    return {Count() - 1, unique != name};
}

FavouritesEditor::RenameResult FavouritesEditor::Rename(int row, const std::string& name) {
    if (!Valid(row) || favourites_[row].name == name) return RenameResult::kUnchanged;
    if (name.empty()) return RenameResult::kEmpty;
    if (FirstForbiddenCharacter(name) != std::string::npos) return RenameResult::kForbidden;
    if (HasName(name)) return RenameResult::kDuplicate;
    favourites_[row].name = name;
    changed_ = true;
    return RenameResult::kRenamed;
}

void FavouritesEditor::Remove(int row) {
    if (!Valid(row)) return;
    favourites_.erase(favourites_.begin() + row);
    changed_ = true;
}

int FavouritesEditor::Move(int row, int direction) {
    const auto moved = MoveSelectedRows(Count(), {row}, direction, [this](int a, int b) {
        std::swap(favourites_[a], favourites_[b]);
        changed_ = true;
    });
    return moved.empty() ? row : moved.front();
}

void FavouritesEditor::AppendSongs(int row, const std::vector<std::string>& paths) {
    if (!Valid(row) || paths.empty()) return;
    auto& lines = favourites_[row].lines;
    lines.insert(lines.end(), paths.begin(), paths.end());
    changed_ = true;
}

void FavouritesEditor::RemoveSongs(int row, const std::vector<int>& songs) {
    if (!Valid(row)) return;
    auto& lines = favourites_[row].lines;
    const std::set<int> doomed(songs.begin(), songs.end());
    // From the back, so the rows still to remove keep their numbers.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(lines.size())) continue;
        lines.erase(lines.begin() + *it);
        changed_ = true;
    }
}

std::vector<int> FavouritesEditor::MoveSongs(int row, const std::vector<int>& songs,
                                             int direction) {
    if (!Valid(row)) return songs;
    auto& lines = favourites_[row].lines;
    return MoveSelectedRows(static_cast<int>(lines.size()), songs, direction,
                            [this, &lines](int a, int b) {
                                std::swap(lines[a], lines[b]);
                                changed_ = true;
                            });
}

}  // namespace velk::app
