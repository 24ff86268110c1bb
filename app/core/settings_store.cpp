#include "core/settings_store.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/display_name.h"

namespace velk::app {

std::string ProfileFolder() {
    if (const char* home = std::getenv("VELKARO_HOME"); home && *home) return home;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        return std::string(config) + "/velkaro";
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/velkaro";
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
    file_.Load(path_);
}

int SettingsStore::ReadInt(const std::string& section, const std::string& key, int fallback) const {
    const auto text = file_.Get(section, key);
    if (!text || text->empty()) return fallback;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (end == text->c_str()) return fallback;
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return value < 0 ? INT_MIN : INT_MAX;
    return static_cast<int>(value);
}

std::string SettingsStore::ReadString(const std::string& section, const std::string& key,
                                      const std::string& fallback) const {
    return file_.Get(section, key).value_or(fallback);
}

void SettingsStore::WriteInt(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
    file_.Set(section, key, value);
    dirty_ = true;
    if (batchDepth_ == 0) Persist();
}

void SettingsStore::Persist() {
    std::error_code ec;
    const std::string folder = FolderOf(path_);
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (file_.Save(path_)) dirty_ = false;
}

SettingsStore::Batch::~Batch() {
    if (--store_.batchDepth_ == 0 && store_.dirty_) store_.Persist();
}

}  // namespace velk::app
