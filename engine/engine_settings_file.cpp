#include "engine_settings_file.h"

#include <cctype>
#include <cstdlib>

#include "file.h"

namespace velk {
namespace {

// The file is a handful of lines; anything past this is not read.
constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr std::string_view kDwordPrefix = "=dword:";
constexpr size_t kDwordDigits = 8;

std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::optional<uint32_t> hexDword(std::string_view digits) {
    if (digits.size() != kDwordDigits) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

// Exported registry files written on Windows are often UTF-16LE; the names and values used
// here are ASCII, so dropping every high byte recovers them.
std::string narrowed(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        std::string out;
        out.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            out.push_back(bytes[i + 1] == 0 ? bytes[i] : '?');
        }
        return out;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return std::string(bytes);
}

}  // namespace

EngineSettingsFile EngineSettingsFile::read(const std::string& path) {
    File file;
    if (path.empty() || !file.open(path, File::Mode::Read)) return {};
    std::string bytes(kMaxFileBytes, '\0');
    const int64_t got = file.readAt(0, bytes.data(), bytes.size());
    if (got <= 0) return {};
    bytes.resize(static_cast<size_t>(got));
    return parse(narrowed(bytes));
}

EngineSettingsFile EngineSettingsFile::parse(std::string_view text) {
    EngineSettingsFile result;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        // "name"=dword:XXXXXXXX; a later line of the same name replaces an earlier one.
        if (line.size() < 2 || line.front() != '"') continue;
        const size_t close = line.find('"', 1);
        if (close == std::string_view::npos) continue;
        const std::string name = lowerCase(line.substr(1, close - 1));
        const std::string_view rest = line.substr(close + 1);
        std::optional<uint32_t> value;
        if (rest.starts_with(kDwordPrefix)) value = hexDword(rest.substr(kDwordPrefix.size()));
        // Another type, or a malformed number, under this name: the value is not a number.
        if (value) {
            result.values_[name] = *value;
        } else {
            result.values_.erase(name);
        }
    }
    return result;
}

std::optional<int32_t> EngineSettingsFile::dword(std::string_view name) const {
    const auto it = values_.find(lowerCase(name));
    if (it == values_.end()) return std::nullopt;
    return static_cast<int32_t>(it->second);
}

std::string engineSettingsPath() {
    constexpr const char* kRelative = "/Brenvik/VELK.reg";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // Relative values are ignored, as the base-directory rules say.
    if (config && config[0] == '/') return std::string(config) + kRelative;
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config" + kRelative;
    return {};
}

}  // namespace velk
