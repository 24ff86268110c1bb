#include "core/keyed_lines.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace velk::app {

namespace {

std::optional<std::string> GroupName(const std::string& line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return line.substr(1, line.size() - 2);
}

// The key of a "key=value" line (spaces around '=' allowed), or nothing.
std::optional<std::string> LineKey(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || line.empty() || line.front() == '#') return std::nullopt;
    size_t end = equals;
    while (end > 0 && line[end - 1] == ' ') --end;
    return line.substr(0, end);
}

std::string LineValue(const std::string& line) {
    size_t start = line.find('=') + 1;
    while (start < line.size() && line[start] == ' ') ++start;
    return line.substr(start);
}

}  // namespace

bool KeyedLines::Load(const std::string& path) {
    lines_.clear();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return !error;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(line);
    }
    return !in.bad();
}

bool KeyedLines::Save(const std::string& path) const {
    const std::filesystem::path target(path);
    std::error_code error;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines_) out << line << '\n';
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) std::filesystem::remove(temporary, error);
    return !error;
}

int KeyedLines::FindKey(const std::string& group, const std::string& key) const {
    bool inGroup = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = GroupName(lines_[i])) {
            inGroup = *name == group;
        } else if (inGroup && LineKey(lines_[i]) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> KeyedLines::Get(const std::string& group, const std::string& key) const {
    const int at = FindKey(group, key);
    if (at < 0) return std::nullopt;
    return LineValue(lines_[at]);
}

void KeyedLines::Set(const std::string& group, const std::string& key, const std::string& value) {
    const std::string line = key + "=" + value;
    if (const int at = FindKey(group, key); at >= 0) {
        lines_[at] = line;
        return;
    }
    // After the group's last line that is not blank, so its trailing blank lines stay its own.
    int insertAt = -1;
    bool inGroup = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = GroupName(lines_[i])) {
            inGroup = *name == group;
            if (inGroup) insertAt = static_cast<int>(i) + 1;
        } else if (inGroup && !lines_[i].empty()) {
            insertAt = static_cast<int>(i) + 1;
        }
    }
    if (insertAt < 0) {
        if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
        lines_.push_back("[" + group + "]");
        lines_.push_back(line);
        return;
    }
    lines_.insert(lines_.begin() + insertAt, line);
}

void KeyedLines::Remove(const std::string& group, const std::string& key) {
    if (const int at = FindKey(group, key); at >= 0) lines_.erase(lines_.begin() + at);
}

}  // namespace velk::app
