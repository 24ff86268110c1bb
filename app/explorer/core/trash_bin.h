// The freedesktop trash as the pane's Recycle Bin: its folders, whether it holds anything,
// emptying it, and which folders may be moved into it.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace velk::app {

// The folder of the trashed files themselves (the trash's "files").
std::string TrashFilesFolder(const std::string& trashRoot);

// True when the trash's "files" and "info" are folders that may be written.
bool TrashUsable(const std::string& trashRoot);

// Moves the file or folder at `path` (absolute) into the trash: its ".trashinfo" with the
// original path and `deletedAt` (local time) is made first, under a name no other entry holds,
// then the file is renamed into "files". Returns the trashed path, or "" with nothing moved when
// the trash is unusable or the file lies on another file system.
std::string MoveToTrash(const std::string& path, const std::string& trashRoot,
                        std::time_t deletedAt);

// The trash a file at `path` goes to: `homeTrash` when both lie on one file system, else the
// ".Trash-UID" folder at the top of the file's own file system (made when missing, private to
// the user). "" when neither can hold it.
std::string TrashRootFor(const std::string& path, const std::string& homeTrash);

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
