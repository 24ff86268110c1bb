// Which items of the pane's two context menus are enabled: menu 227 on the list's rows and
// menu 226 on the folder tree.
#pragma once

namespace velk::app {

struct ListMenuState {
    int selectedRows = 0;
    bool treeEmpty = false;
    bool recycleBinShown = false;  // the folder selected in the tree is the Recycle Bin
};

struct ListMenuItems {
    bool addFavourite = true;  // 32799
    bool editLyrics = true;    // 32786
    bool openFolder = true;    // 32801
    bool remove = true;        // 32802
    bool rename = true;        // 32803
    bool properties = true;    // 32773
};

ListMenuItems ListMenuEnabling(const ListMenuState& state);

struct TreeMenuState {
    bool treeEmpty = false;
    bool folderUnderClick = false;
    bool rootUnderClick = false;  // one of the tree's top folders: never renamed
    bool recycleBinUnderClick = false;
    bool recycleBinHasItems = false;
};

struct TreeMenuItems {
    bool addFavourite = true;    // 32799
    bool openFolder = true;      // 32800
    bool remove = true;          // 32802
    bool rename = true;          // 32803
    bool emptyBinShown = false;  // 103 "ごみ箱を空にする(&B)" is appended
    bool emptyBin = false;       // and enabled
};

TreeMenuItems TreeMenuEnabling(const TreeMenuState& state);

}  // namespace velk::app
