// Reading .m3u/.pls playlist files into paths, and collecting a folder's files.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

// The paths a playlist file holds, in file order. Comment and section lines are skipped,
// "\\" becomes "/", relative lines are taken from the playlist's folder, and ".pls" entries
// "FileN=path" give their path. A file that cannot be opened gives nothing.
std::vector<std::string> ReadPlaylistLines(const std::string& file);

// One playlist line made into a path; empty when the line is skipped. `pls` reads key=value lines.
std::string PlaylistLineToPath(std::string line, const std::string& baseFolder, bool pls);

// Appends every file under `folder`, depth first, entries of each folder in name order.
// Unreadable folders are skipped; a folder reached again through a link is not entered twice.
void CollectFolder(const std::string& folder, std::vector<std::string>& out);

// Removes "." and ".." parts and makes a relative path absolute against the current folder.
std::string MakeAbsolute(const std::string& path);

}  // namespace velk::app
