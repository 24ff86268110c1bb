#include "core/ini_file.h"

#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace velk::app {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

IniFile::Section* IniFile::FindSection(const std::string& name) {
    for (auto& s : sections_) {
        if (SameName(s.name, name)) return &s;
    }
    return nullptr;
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
    return const_cast<IniFile*>(this)->FindSection(name);
}

bool IniFile::Load(const std::string& path) {
    sections_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            if (close == std::string::npos) {
                current = nullptr;  // a damaged header: its lines belong to no section
                continue;
            }
            const std::string name = line.substr(1, close - 1);
            current = FindSection(name);
            if (!current) current = &sections_.emplace_back(Section{name, {}});
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == std::string::npos || equals == 0) continue;
        const std::string key = Trimmed(line.substr(0, equals));
        if (!Get(current->name, key))
            current->entries.push_back({key, Trimmed(line.substr(equals + 1))});
    }
    return true;
}

bool IniFile::Save(const std::string& path) const {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (const auto& s : sections_) {
            out << '[' << s.name << "]\n";
            for (const auto& e : s.entries) out << e.key << '=' << e.value << '\n';
        }
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    for (const auto& e : s->entries) {
        if (SameName(e.key, key)) return e.value;
    }
    return std::nullopt;
}

void IniFile::Set(const std::string& section, const std::string& key, const std::string& text) {
    // A line break would end the line early and turn the rest into a line of its own.
    std::string value = text;
    std::erase(value, '\n');
    std::erase(value, '\r');
    Section* s = FindSection(section);
    if (!s) s = &sections_.emplace_back(Section{section, {}});
    for (auto& e : s->entries) {
        if (SameName(e.key, key)) {
            e.value = value;
            return;
        }
    }
    s->entries.push_back({key, value});
}

}  // namespace velk::app
