// Control, command and timer numbers of the main window; behaviour elsewhere refers to them.
#pragma once

#include <QString>

namespace velk::app::ids {

// String 106: the window title a second instance looks for, and the tray tip.
inline constexpr const char* kProductName = "Velkaro";

enum Control {
    kPositionSlider = 1000,
    kPlay = 1001,
    kStop = 1002,
    kNext = 1003,
    kPrevious = 1004,
    kVolumeSlider = 1005,
    kMute = 1006,
    kDetail = 1008,
    kOptions = 1009,
    kPlaylist = 1010,
    kLoop = 1011,
    kTotalTime = 1015,
    kFileCount = 1016,
    kTitleDisplay = 1018,
    kRandom = 1046,
    kTimeDisplay = 1086,
    kFavouritesCombo = 1091,
    kNewFavourite = 1137,
    kFavouritesTab = 1203,
    kGeqTab = 1205,
    kLyricsEditTab = 1206,
    kExplorerTab = 1207,
    kPitch = 1234,
    kSpeed = 1235,
};

enum Command {
    kRemoveSelection = 32771,
    kClearAll = 32772,
    kProperties = 32773,
    kExit = 32774,
    kTrayToggle = 32776,
    kAbout = 32777,
    kTrayNext = 32778,
    kTrayPrevious = 32779,
    kTrayStop = 32781,
    kTrayOptions = 32782,
    kTrayPlayPause = 32783,
    kHelp = 32784,
    kEditLyrics = 32786,
    kUnifyArtist = 32787,
    kOpenFolder = 32788,
    kFirstSongItem = 1026,
};

enum TimerPeriod {
    kClockTimerMs = 1000,        // id 1
    kHousekeepingTimerMs = 100,  // id 3
    kSleepTimerMs = 60000,       // id 5
};

// Each control carries its number in its object name.
inline QString ControlObjectName(int id) {
    return QStringLiteral("control%1").arg(id);
}

// `widget`, named for its control number.
template <typename Widget>
Widget* WithControlId(Widget* widget, int id) {
    widget->setObjectName(ControlObjectName(id));
    return widget;
}

}  // namespace velk::app::ids
