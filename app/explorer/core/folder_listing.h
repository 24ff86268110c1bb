// The files of one folder the explorer lists: regular files (no links, no folders, hidden ones
// included) whose names end in a listed audio extension, in name order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk::app {

struct ListedFile {
    std::string path;
    uint64_t size = 0;
    int64_t modified = 0;  // seconds since the epoch
    bool hidden = false;
};

// True when the entry itself exists (a link whose target is gone too).
bool PathExists(const std::string& path);

// No value when the folder cannot be read. Names are bytes: one that is not valid UTF-8 is
// listed as it is.
std::optional<std::vector<ListedFile>> ListFolder(const std::string& folder);

// How a new listing differs from what the list holds (its rows' paths, then the paths still
// waiting to be read): the rows whose files are gone, and the files that are new.
struct ListingChange {
    std::vector<int> goneRows;
    std::vector<ListedFile> added;
};
ListingChange CompareListing(const std::vector<std::string>& rowPaths,
                             const std::vector<std::string>& waitingPaths,
                             const std::vector<ListedFile>& listing);

// The audio files a favourite gets for a folder: the files the list would show, and with
// `subfolders` those of every folder below it, depth first in name order.
std::vector<std::string> FolderAudioFiles(const std::string& folder, bool subfolders);

}  // namespace velk::app
