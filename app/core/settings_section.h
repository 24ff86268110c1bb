// One section of the settings file, with the value encodings every settings record shares:
// integers as "%d", booleans 0/1, colours 0x00BBGGRR as decimal, strings as they are.
#pragma once

#include <cstdint>
#include <string>

#include "core/settings_store.h"

namespace velk::app {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class SettingsSection {
  public:
    SettingsSection(const SettingsStore& store, const char* name) : store_(store), name_(name) {}

    int Int(const std::string& key, int fallback) const {
        return store_.ReadInt(name_, key, fallback);
    }
    bool Bool(const std::string& key, bool fallback) const { return Int(key, fallback) != 0; }
    // Only the 24 colour bits count; anything above them is no colour.
    uint32_t Colour(const std::string& key, uint32_t fallback) const {
        return static_cast<uint32_t>(Int(key, static_cast<int>(fallback))) & 0xFFFFFF;
    }
    std::string String(const std::string& key, const std::string& fallback = "") const {
        return store_.ReadString(name_, key, fallback);
    }
    // "top", "left", "bottom", "right".
    Rect Rectangle(const Rect& fallback) const;

  private:
    const SettingsStore& store_;
    const char* name_;
};

class SettingsSectionWriter {
  public:
    SettingsSectionWriter(SettingsStore& store, const char* name) : store_(store), name_(name) {}

    void Int(const std::string& key, int value) { store_.WriteInt(name_, key, value); }
    void Colour(const std::string& key, uint32_t value) { Int(key, static_cast<int>(value)); }
    void String(const std::string& key, const std::string& value) {
        store_.WriteString(name_, key, value);
    }
    void Rectangle(const Rect& rect);

  private:
    SettingsStore& store_;
    const char* name_;
};

// "Item Width" + 2 → "Item Width2".
inline std::string Indexed(const char* key, int index) {
    return key + std::to_string(index);
}

}  // namespace velk::app
