// The player's settings file (velkaro.INI in the profile folder) and the four operations every
// part of the player uses on it.
#pragma once

#include <string>

#include "core/ini_file.h"

namespace velk::app {

// $VELKARO_HOME, else $XDG_CONFIG_HOME/velkaro, else ~/.config/velkaro.
std::string ProfileFolder();

class SettingsStore {
  public:
    // Binds the store to a file and reads it; a missing file gives every default.
    explicit SettingsStore(std::string path);

    const std::string& Path() const { return path_; }

    // A missing key, or one that holds no number, gives the default.
    int ReadInt(const std::string& section, const std::string& key, int fallback) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback = "") const;
    // Each write replaces the file at once, unless a batch is open.
    void WriteInt(const std::string& section, const std::string& key, int value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // Groups many writes into one replacement of the file.
    class Batch {
      public:
        explicit Batch(SettingsStore& store) : store_(store) { ++store_.batchDepth_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        SettingsStore& store_;
    };

  private:
    void Persist();

    std::string path_;
    IniFile file_;
    int batchDepth_ = 0;
    bool dirty_ = false;
};

}  // namespace velk::app
