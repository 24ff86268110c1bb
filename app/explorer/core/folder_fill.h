// Filling the explorer list a few files at a time, so that the window keeps running between
// steps: each file's information is read once, from the engine or its own wave header.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/player_engine.h"
#include "explorer/core/explorer_row.h"
#include "explorer/core/folder_listing.h"

namespace velk::app {

class FolderFill {
  public:
    // `typeName` gives the desktop's name of a file's type.
    FolderFill(MediaProbe& probe, std::function<std::string(const std::string& path)> typeName)
        : probe_(probe), typeName_(std::move(typeName)) {}

    // Reads `files` from now on, with display names of name type `nameType`; whatever was still
    // waiting is dropped.
    void Start(std::vector<ListedFile> files, int nameType);
    // More files to read after those waiting (the folder changed meanwhile).
    void Queue(std::vector<ListedFile> files);
    void Stop();
    bool Done() const { return next_ >= files_.size(); }
    // The paths not read yet.
    std::vector<std::string> WaitingPaths() const;

    // Reads files until `enough()` (asked after each file) says so or none is left. A file that
    // vanished before it could be read gives no row.
    std::vector<ExplorerRow> Step(const std::function<bool()>& enough);

  private:
    MediaProbe& probe_;
    std::function<std::string(const std::string&)> typeName_;
    std::vector<ListedFile> files_;
    size_t next_ = 0;
    int nameType_ = 1;
};

}  // namespace velk::app
