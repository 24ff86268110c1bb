#include "ui/window_picture.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/favourites.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "dialogs/ui/option_sheet.h"
#include "dialogs/ui/property_dialog.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"
#include "visual/ui/spectrum_window.h"

namespace velk::app {

namespace {

constexpr int kPollMs = 10;
// Enough for a song on the null sink to reach any position in a test file, and a bound for a
// file that never plays.
constexpr int kLongestWaitMs = 60000;
// Lets the last repaints land before the picture is taken.
constexpr int kSettleMs = 300;
constexpr int kSoundBeforeDrawingMs = 150;

// A floating window the player owns beside the main window, found by its object name.
QWidget* ShownTopLevel(const char* objectName, CMainWindow& main) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(objectName)) {
            widget->show();
            return widget;
        }
    }
    return &main;
}

// A song paused by the seek of --at has nothing buffered at its position yet: it sounds for a
// moment before the spectrum is drawn, and is paused again.
QWidget* ShowSpectrum(CMainWindow& main) {
    auto* spectrum = qobject_cast<SpectrumWindow*>(ShownTopLevel("SpectrumWindow", main));
    if (!spectrum) return &main;
    PlayerSession& session = main.Session();
    if (session.EngineState() != kEnginePaused) {
        spectrum->DrawNow();
        return spectrum;
    }
    session.Player().PlayPause();
    QTimer::singleShot(kSoundBeforeDrawingMs, spectrum, [spectrum, &session] {
        spectrum->DrawNow();
        session.Player().PlayPause();
    });
    return spectrum;
}

// The equalizer panel in the playlist's place, as its tab brings it.
QWidget* ShowEqualizer(CMainWindow& main) {
    auto* tab = main.findChild<QPushButton*>(ids::ControlObjectName(ids::kGeqTab));
    if (tab) tab->click();
    return &main;
}

// The explorer pane in the playlist's place, showing the folder the player was started with.
QWidget* ShowExplorer(CMainWindow& main) {
    auto* tab = main.findChild<QPushButton*>(ids::ControlObjectName(ids::kExplorerTab));
    if (tab) tab->click();
    const QString folder = main.StartPath();
    if (!folder.isEmpty() && folder != "-tray") main.Explorer().ShowFolder(folder);
    return &main;
}

// The main window in lyrics-edit mode with the lines of the playing song.
QWidget* ShowLyricsEditor(CMainWindow& main) {
    ActiveList& songs = main.Session().Active();
    if (songs.Count() == 0) return &main;
    main.ListView().SelectRows({songs.HasCurrent() ? songs.CurrentIndex() : 0});
    main.EnterLyricsEdit();
    return &main;
}

// Each window a picture can be taken of, and how it is brought into view. A window's own
// issue adds its row here.
struct PictureWindow {
    const char* name;
    std::function<QWidget*(CMainWindow&)> show;
};

// Page `number` of the options sheet, shown without blocking the picture's own clock.
QWidget* ShowOptionPage(CMainWindow& main, int number) {
    auto* sheet = new COptionSheet(main.Session(), {}, &main);
    sheet->ShowPageNumber(number);
    sheet->show();
    return sheet;
}

const std::vector<PictureWindow>& PictureWindows() {
    static const std::vector<PictureWindow> windows{
        {"main", [](CMainWindow& main) -> QWidget* { return &main; }},
        {"lyrics", [](CMainWindow& main) { return ShownTopLevel("LyricsWindow", main); }},
        {"spectrum", ShowSpectrum},
        {"geq", ShowEqualizer},
        {"editor", ShowLyricsEditor},
        {"explorer", ShowExplorer},
        {"properties",
         [](CMainWindow& main) -> QWidget* {
             PlayerSession& session = main.Session();
             auto* dialog =
                 new PropertyDialog(session, session.MainList(),
                                    session.MainList().Count() > 0 ? 0 : -1, false, {}, &main);
             dialog->show();
             return dialog;
         }},
        {"about",
         [](CMainWindow& main) -> QWidget* {
             auto* box = new AboutBox(&main);
             box->show();
             return box;
         }},
        {"options:1", [](CMainWindow& main) { return ShowOptionPage(main, 1); }},
        {"options:2", [](CMainWindow& main) { return ShowOptionPage(main, 2); }},
        {"options:3", [](CMainWindow& main) { return ShowOptionPage(main, 3); }},
        {"options:4", [](CMainWindow& main) { return ShowOptionPage(main, 4); }},
        {"options:5", [](CMainWindow& main) { return ShowOptionPage(main, 5); }},
        {"options:6", [](CMainWindow& main) { return ShowOptionPage(main, 6); }},
        {"favourites",
         [](CMainWindow& main) -> QWidget* {
             auto* dialog = new AddFavouriteDialog(
                 AddFavouriteDialog::Mode::kName,
                 QString::fromStdString(FavouritesFolder(main.Session().ProfileFolder())), {}, -1,
                 &main);
             dialog->show();
             return dialog;
         }},
    };
    return windows;
}

QWidget* ShowPictureWindow(CMainWindow& main, const std::string& name) {
    for (const auto& window : PictureWindows()) {
        if (name == window.name) return window.show(main);
    }
    return &main;
}

void SaveAfterSettling(CMainWindow& main, const std::string& name, const QString& file,
                       std::function<void(int)> done) {
    QWidget* shown = ShowPictureWindow(main, name);
    QTimer::singleShot(kSettleMs, &main,
                       [shown, file, done] { done(shown->grab().save(file, "PNG") ? 0 : 1); });
}

}  // namespace

const QStringList& PictureWindowNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const auto& window : PictureWindows()) list << window.name;
        return list;
    }();
    return names;
}

void TakeWindowPicture(CMainWindow& window, const CommandLine& request,
                       std::function<void(int)> done) {
    const QString file = QString::fromStdString(request.pictureFile);
    if (request.atSeconds < 0) {
        SaveAfterSettling(window, request.window, file, done);
        return;
    }
    PlayerSession& session = window.Session();
    if (session.EngineState() == kEngineStopped && session.Active().Count() > 0) {
        session.Active().SetCurrentIndex(0);
        session.Player().PlayCurrent(false);
    }
    const int target = static_cast<int>(std::floor(request.atSeconds));
    auto poll = std::make_shared<QTimer>();
    auto waited = std::make_shared<int>(0);
    QObject::connect(
        poll.get(), &QTimer::timeout, &window,
        [&window, &session, poll, waited, target, file, done, request] {
            int position = 0;
            const int state = session.Engine().State(&position);
            const int start =
                session.Active().HasCurrent()
                    ? session.Active().Entry(session.Active().CurrentIndex()).startSeconds()
                    : 0;
            *waited += kPollMs;
            const bool reached = state == kEnginePlaying && position - start >= target;
            if (!reached && state != kEngineStopped && *waited < kLongestWaitMs) return;
            poll->stop();
            if (reached) {
                session.Player().PlayPause();  // pause
                session.Player().SeekTo(target);
                session.ClockTick();
            }
            SaveAfterSettling(window, request.window, file, done);
        });
    poll->start(kPollMs);
}

}  // namespace velk::app
