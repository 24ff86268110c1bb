// A small INI reader and writer with the rules of the Windows profile functions: sections in
// brackets, key=value lines, section and key names compared without ASCII case.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velk::app {

class IniFile {
  public:
    // Reads `path`; a missing file is an empty one, and lines of no known form are ignored.
    bool Load(const std::string& path);
    // Writes a temporary file beside `path` and renames it over `path`.
    bool Save(const std::string& path) const;

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    void Set(const std::string& section, const std::string& key, const std::string& value);

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;

    std::vector<Section> sections_;
};

}  // namespace velk::app
