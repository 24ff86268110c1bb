#include "lyrics/core/lyrics_editor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace velk::app {
namespace {

bool StartsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Two decimal digits at `at`, or -1.
int TwoDigits(const std::string& text, size_t at) {
    if (at + 2 > text.size()) return -1;
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (!digit(text[at]) || !digit(text[at + 1])) return -1;
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::string MarkUntimed(const std::string& line) {
    if (line.empty() || line[0] == '@' || line[0] == '[') return line;
    return kUntimedTag + line;
}

std::string WithoutUntimedTag(const std::string& line) {
    return StartsWith(line, kUntimedTag) ? line.substr(sizeof kUntimedTag - 1) : line;
}

std::string StampLine(const std::string& line, int seconds, int hundredths) {
    std::string text = line;
    if (StartsWith(text, "[")) {
        const size_t close = text.find(']');
        text = close == std::string::npos ? std::string() : text.substr(close + 1);
    }
    seconds = std::max(seconds, 0);
    char tag[32];
    std::snprintf(tag, sizeof tag, "[%02d:%02d:%02d]", seconds / 60, seconds % 60,
                  std::clamp(hundredths, 0, 99));
    return tag + text;
}

int LineTagSeconds(const std::string& line) {
    if (!StartsWith(line, "[")) return -1;
    // "[--:--:--]" and any tag whose fields are not digits read as the start of the song.
    const int minutes = TwoDigits(line, 1);
    const int seconds = line.size() > 3 && line[3] == ':' ? TwoDigits(line, 4) : -1;
    return std::max(minutes, 0) * 60 + std::max(seconds, 0);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1) {
        const size_t end = at > from && text[at - 1] == '\r' ? at - 1 : at;
        lines.push_back(text.substr(from, end - from));
    }
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

void LyricsEditor::Load(const std::vector<std::string>& lines) {
    lines_.clear();
    for (const std::string& line : lines) lines_.push_back(MarkUntimed(line));
    selected_ = -1;
    editIndex_ = -1;
    modified_ = false;
}

std::string LyricsEditor::EditText() const {
    return editIndex_ >= 0 && editIndex_ < static_cast<int>(lines_.size()) ? lines_[editIndex_]
                                                                           : std::string();
}

void LyricsEditor::Select(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size())) {
        selected_ = -1;
        return;
    }
    selected_ = row;
    editIndex_ = row;
}

void LyricsEditor::Commit(const std::string& text) {
    if (editIndex_ < 0 || editIndex_ >= static_cast<int>(lines_.size())) return;
    std::string& line = lines_[editIndex_];
    if (text != line) modified_ = true;
    line = MarkUntimed(text);
}

bool LyricsEditor::StampSelected(int seconds, int hundredths) {
    if (selected_ < 0) return false;
    lines_[selected_] = StampLine(lines_[selected_], seconds, hundredths);
    selected_ = std::min(selected_ + 1, static_cast<int>(lines_.size()) - 1);
    editIndex_ = selected_;
    modified_ = true;
    return true;
}

int LyricsEditor::InsertPosition(bool atTop) const {
    if (selected_ < 0) return 0;
    if (selected_ == 0) return atTop ? 0 : 1;
    return selected_ + 1;
}

void LyricsEditor::Clear() {
    lines_.clear();
    selected_ = -1;
    editIndex_ = -1;
}

void LyricsEditor::Insert(int position, const std::string& line) {
    position = std::clamp(position, 0, static_cast<int>(lines_.size()));
    lines_.insert(lines_.begin() + position, line);
    selected_ = position;
    editIndex_ = position;
    modified_ = true;
}

bool LyricsEditor::Paste(const std::string& text, int position) {
    // Lines end in CR LF on the clipboard of some programs and in LF alone on others.
    const std::vector<std::string> pieces = SplitLines(text);
    for (const std::string& piece : pieces) Insert(position++, MarkUntimed(piece));
    return !pieces.empty();
}

void LyricsEditor::AddLine(int position) {
    Insert(position, std::string());
}

bool LyricsEditor::DeleteSelected() {
    if (selected_ < 0) return false;
    lines_.erase(lines_.begin() + selected_);
    modified_ = true;
    if (lines_.empty()) {
        selected_ = -1;
        editIndex_ = -1;
        return true;
    }
    selected_ = std::min(selected_, static_cast<int>(lines_.size()) - 1);
    editIndex_ = selected_;
    return true;
}

}  // namespace velk::app
