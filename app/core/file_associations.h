// The player's file types in the freedesktop way: the desktop entry velkaro.desktop in
// $XDG_DATA_HOME/applications opens the files, the defaults of $XDG_CONFIG_HOME/mimeapps.list
// point the types at it, and each type's previous default is kept in the profile folder so
// that giving the type up brings it back.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/keyed_lines.h"

namespace velk::app {

struct DesktopPaths {
    std::string dataHome;       // $XDG_DATA_HOME
    std::string configHome;     // $XDG_CONFIG_HOME
    std::string profileFolder;  // where the previous defaults are kept
    std::string programPath;    // the player's executable
};

// The XDG folders of the environment, with their standard fallbacks under $HOME.
DesktopPaths EnvironmentDesktopPaths(const std::string& profileFolder,
                                     const std::string& programPath);

inline constexpr const char* kDesktopEntryName = "velkaro.desktop";

// The MIME type the desktop knows a player extension (".mp3") by; empty for an unknown one.
std::string MimeTypeOfExtension(const std::string& extension);

inline constexpr const char* kDesktopEntryGroup = "Desktop Entry";

// `"program" tail`, the program quoted as desktop entries quote arguments.
std::string DesktopExecLine(const std::string& programPath, const std::string& tail);

// A desktop entry that starts the player with `execTail` after the program.
KeyedLines PlayerDesktopEntry(const std::string& programPath, const std::string& execTail);

class FileAssociations {
  public:
    explicit FileAssociations(DesktopPaths paths) : paths_(std::move(paths)) {}

    // Writes the desktop entry that opens files with the player.
    bool RegisterProgId() const;
    // Deletes it; the types that point at it stay pointed until unassociated.
    bool RemoveProgId() const;
    // Makes the player the type's default, keeping the previous default; does nothing when a
    // previous default is already kept (already associated).
    bool AssociateExtension(const std::string& extension) const;
    // Brings back the kept previous default (removing the default when there was none); does
    // nothing when none is kept.
    bool UnassociateExtension(const std::string& extension) const;
    // The type's default is exactly the player's desktop entry.
    bool IsAssociated(const std::string& extension) const;

    std::string DesktopEntryPath() const;
    std::string MimeAppsPath() const;
    std::string PreviousDefaultsPath() const;

  private:
    struct TypeFiles {
        std::string mime;
        KeyedLines previous;  // the kept previous defaults
        KeyedLines mimeApps;
    };
    // False for an unknown extension or a file that cannot be read.
    bool LoadType(const std::string& extension, TypeFiles& files) const;

    DesktopPaths paths_;
};

// The customise page's file types, one row each, in order.
constexpr int kFileTypeCount = 10;
const std::array<const char*, kFileTypeCount>& FileTypeLabels();
// "." and the first three characters of the row's label.
std::string ExtensionOfFileType(int row);

enum FileTypeState { kTypeFree = 0, kTypeAssociated = 1, kTypeTakenOver = 2 };

// Rows stored as associated whose type now opens with another program become taken over.
void MarkTakenOverTypes(const FileAssociations& associations, std::vector<int>& states);
// Writes what the rows ask for, the desktop entry made afresh; taken-over rows and rows past
// the known types are left alone. True when any row was processed.
bool ApplyFileTypeStates(const FileAssociations& associations, const std::vector<int>& states);

}  // namespace velk::app
