// The pane's three view settings with their cycles and the labels of their drop-down lists:
// the list's view type, the split orientation and the folder selection method.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

enum ExplorerViewType {
    kLargeIcons = 0,
    kSmallIcons = 1,
    kListView = 2,
    kDetails = 3,
    kDetailsWithGrid = 4,
};
// 0: the tree left of the list; 1: the tree above it.
enum ExplorerSplit { kSideBySide = 0, kOneAboveTheOther = 1 };
// 0: one click selects and expands a folder; 1: the tree's ordinary behaviour.
enum ExplorerFolderSelection { kSingleClick = 0, kDoubleClick = 1 };

// A setting's values in order, each with the label its button and list show.
struct ExplorerSetting {
    std::vector<std::string> labels;
    int fallback;  // the value a stored one outside the range is shown as

    int Count() const { return static_cast<int>(labels.size()); }
    // The value the button's click gives after `value`: the next one, after the last the first.
    int Next(int value) const { return value >= 0 && value < Count() - 1 ? value + 1 : 0; }
    // A stored value as one of the range.
    int Valid(int value) const { return value >= 0 && value < Count() ? value : fallback; }
    const std::string& Label(int value) const { return labels[Valid(value)]; }
};

const ExplorerSetting& ViewTypeSetting();
const ExplorerSetting& SplitSetting();
const ExplorerSetting& FolderSelectionSetting();

}  // namespace velk::app
