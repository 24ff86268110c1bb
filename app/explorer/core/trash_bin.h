// The freedesktop trash as the pane's Recycle Bin: its folders, whether it holds anything,
// emptying it, and which folders may be moved into it.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

// The folder of the trashed files themselves (the trash's "files").
std::string TrashFilesFolder(const std::string& trashRoot);

// True when "files" or "info" of the trash holds an entry.
bool TrashHasItems(const std::string& trashRoot);

// Removes every entry of "files" and "info" (links are removed, never followed). False when
// something stayed or the trash cannot be read; a missing trash is empty already.
bool EmptyTrash(const std::string& trashRoot);

// True when `path` is `folder` or lies inside it (both absolute, compared by their parts).
bool IsSameOrInside(const std::string& path, const std::string& folder);

// A folder may go to the trash when it is none of `keptFolders` (the home folder, the trash),
// holds none of them, is not inside the trash, and its parent folder may be written.
bool FolderMayBeTrashed(const std::string& folder, const std::string& trashRoot,
                        const std::vector<std::string>& keptFolders);

}  // namespace velk::app
