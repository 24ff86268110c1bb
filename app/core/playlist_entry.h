// One playlist row's record, and the one indirection every transport rule reads the list through.
#pragma once

#include <cstdint>
#include <string>

namespace velk::app {

struct PlaylistEntry {
    std::string displayName;  // column 0
    std::string fileName;     // after the last "/"; for an archive member the member name
    std::string path;         // the file opened for playback
    std::string title;
    std::string artist;
    int32_t length = 0;  // seconds
    int32_t frames = 0;
    std::string lyricsMark;   // "♪" or empty
    std::string memberName;   // non-empty only for a song inside an archive
    int32_t startOffset = 0;  // milliseconds into `path` where the song begins
    bool played = false;
    bool failed = false;

    int startSeconds() const { return startOffset / 1000; }
    bool isMember() const { return !memberName.empty(); }
};

inline constexpr const char* kLyricsMark = "♪";

// The main playlist, or in explorer mode the explorer pane's list.
class ActiveList {
  public:
    virtual ~ActiveList() = default;
    virtual int Count() const = 0;
    virtual PlaylistEntry& Entry(int index) = 0;
    virtual int CurrentIndex() const = 0;
    virtual void SetCurrentIndex(int index) = 0;

    bool HasCurrent() const { return CurrentIndex() >= 0 && CurrentIndex() < Count(); }
};

}  // namespace velk::app
