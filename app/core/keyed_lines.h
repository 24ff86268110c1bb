// A freedesktop key file (mimeapps.list, desktop entries) edited in place: every line that is
// not touched, including comments and lines of no known form, is written back as it was read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velk::app {

class KeyedLines {
  public:
    // A missing file is an empty one. False when it exists but cannot be read.
    bool Load(const std::string& path);
    // Writes a temporary file beside `path` and renames it over `path`, making its folder.
    bool Save(const std::string& path) const;

    std::optional<std::string> Get(const std::string& group, const std::string& key) const;
    // Replaces the key's line, or appends it to the group (made at the end when missing).
    void Set(const std::string& group, const std::string& key, const std::string& value);
    void Remove(const std::string& group, const std::string& key);

  private:
    // Index of the key's line inside `group`, or -1.
    int FindKey(const std::string& group, const std::string& key) const;

    std::vector<std::string> lines_;
};

}  // namespace velk::app
