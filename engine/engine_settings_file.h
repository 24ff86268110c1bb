// The engine's per-user key of 32-bit values, kept as a registry-export text file:
// $XDG_CONFIG_HOME/Brenvik/VELK.reg, one value a line, "inputBlock"=dword:0000003c.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velk {

class EngineSettingsFile {
  public:
    // The values of the file at `path`; a missing or unreadable file has none.
    static EngineSettingsFile read(const std::string& path);
    // The values of the text itself (the file's contents).
    static EngineSettingsFile parse(std::string_view text);

    // The value stored under `name` (matched regardless of case, as registry names are), or
    // nothing when it is absent or stored as another type.
    std::optional<int32_t> dword(std::string_view name) const;

  private:
    std::map<std::string, uint32_t> values_;  // by lower-case name
};

// Where the file lives for the current user; empty when neither XDG_CONFIG_HOME nor HOME
// names a folder.
std::string engineSettingsPath();

}  // namespace velk
