// How a path becomes playlist rows: AddPath with its archive, favourite-line, WAVE, engine and
// playlist rules, and the drop of files and folders.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/archive_reader.h"
#include "core/player_engine.h"
#include "core/playlist.h"

namespace velk::app {

struct IntakeOptions {
    int nameType = 1;
    bool highMode = false;  // "High Mode": no per-row repaint, no message pumping
};

// What the window does while files arrive; every member may be left empty.
struct IntakeHooks {
    std::function<void()> beforeEachPath;   // keep the window alive (the hook throttles itself)
    std::function<void(int row)> rowAdded;  // show the new row
    std::function<bool()> stopRequested;    // true: add nothing more (the player is ending)
};

class FileIntake {
  public:
    FileIntake(Playlist& playlist, MediaProbe& probe) : playlist_(playlist), probe_(probe) {}

    IntakeOptions options;
    IntakeHooks hooks;

    // Reads zip and lha archives; without one they are taken for ordinary files.
    void SetArchiveReader(ArchiveReader* reader) { archives_ = reader; }

    // quiet is true for dropped files and folder contents: a file nothing can read is left out.
    void AddPath(const std::string& path, bool quiet);
    // Folders are collected, then every path is added quietly, in drop order.
    void AddDropped(const std::vector<std::string>& items);

    bool IsAdding() const { return adding_ > 0; }

  private:
    struct AddingScope;
    void AddFavouriteLine(const std::string& line);
    // False when the path is no archive that can be read.
    bool AddArchive(const std::string& path);
    void Append(PlaylistEntry entry, int typeFlags);

    Playlist& playlist_;
    MediaProbe& probe_;
    ArchiveReader* archives_ = nullptr;
    int adding_ = 0;
    std::set<std::string> expanding_;  // playlist files being read, so a list cannot include itself
};

// Splits "path|member|title|artist|length|offset" into an entry; false when it is no such line.
bool ParseFavouriteLine(const std::string& line, PlaylistEntry& entry);
// The line a member row is saved as.
std::string FavouriteLine(const PlaylistEntry& entry);

}  // namespace velk::app
