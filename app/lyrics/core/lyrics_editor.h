// The lines of the lyrics editor and the rules that change them; the panel only shows them and
// asks the user the questions.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

// The tag of a line that has no time yet.
inline constexpr char kUntimedTag[] = "[--:--:--]";

// A line as the list holds it: text that is not empty and begins neither with "@" (a header)
// nor with "[" (a tag) gets the untimed tag.
std::string MarkUntimed(const std::string& line);
// A line as it is saved: without a leading untimed tag.
std::string WithoutUntimedTag(const std::string& line);
// The line's text after its first tag, behind a "[mm:ss:hh]" tag of `seconds` and `hundredths`.
std::string StampLine(const std::string& line, int seconds, int hundredths);
// Minutes × 60 + seconds of the line's tag, hundredths ignored; the untimed tag reads as 0.
// -1 for a line without a tag.
int LineTagSeconds(const std::string& line);
// The lines of a text whose lines end in LF or CR LF; text after the last line end is a line
// when not empty.
std::vector<std::string> SplitLines(const std::string& text);

class LyricsEditor {
  public:
    // Loaded lines are marked, nothing is selected and nothing is modified.
    void Load(const std::vector<std::string>& lines);
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }
    // -1 when no line is selected.
    int Selected() const { return selected_; }
    // The line the direct-edit field belongs to; -1 before any was chosen.
    int EditIndex() const { return editIndex_; }
    bool Modified() const { return modified_; }
    // The text the direct-edit field shows for the edit line.
    std::string EditText() const;

    // A selection change in the list; an index outside the lines clears the selection.
    void Select(int row);
    // The direct-edit field's text becomes the edit line (marked); a changed text modifies.
    void Commit(const std::string& text);
    // Stamps the selected line and selects the next one (the last stays selected).
    // False without a selection.
    bool StampSelected(int seconds, int hundredths);
    // Where an added or pasted line goes. Only with the first line selected does the answer
    // to "at the top?" count.
    bool InsertAsksForTop() const { return selected_ == 0; }
    int InsertPosition(bool atTop) const;
    void Clear();
    // Inserts the CR LF (or LF) separated pieces of `text` from `position`, each marked; the last
    // one ends selected. False when there was nothing to insert.
    bool Paste(const std::string& text, int position);
    void AddLine(int position);
    // Removes the selected line; the line now at its index (or the last) is selected.
    bool DeleteSelected();
    void MarkSaved() { modified_ = false; }

  private:
    void Insert(int position, const std::string& line);

    std::vector<std::string> lines_;
    int selected_ = -1;
    int editIndex_ = -1;
    bool modified_ = false;
};

}  // namespace velk::app
