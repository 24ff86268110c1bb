#include "explorer/core/explorer_menus.h"

namespace velk::app {

ListMenuItems ListMenuEnabling(const ListMenuState& state) {
    ListMenuItems items;
    if (state.selectedRows == 0) items.addFavourite = items.remove = false;
    if (state.selectedRows != 1) items.editLyrics = items.properties = items.rename = false;
    if (state.treeEmpty) items.addFavourite = items.openFolder = false;
    if (state.recycleBinShown) {
        items.addFavourite = items.editLyrics = items.remove = items.rename = false;
    }
    return items;
}

TreeMenuItems TreeMenuEnabling(const TreeMenuState& state) {
    TreeMenuItems items;
    if (state.treeEmpty) items.addFavourite = false;
    if (!state.folderUnderClick) {
        items.addFavourite = items.openFolder = items.remove = items.rename = false;
    }
    if (state.rootUnderClick) items.rename = false;
    items.emptyBinShown = state.folderUnderClick && state.recycleBinUnderClick;
    items.emptyBin = items.emptyBinShown && state.recycleBinHasItems;
    return items;
}

}  // namespace velk::app
