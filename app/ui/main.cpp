// velkaro: the desktop player. One instance per profile; a second one hands its command line
// over.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <cstdio>

#include "core/command_line.h"
#include "core/velk_player_engine.h"
#include "ui/app_font.h"
#include "ui/instance_server.h"
#include "ui/player_app.h"
#include "ui/window_picture.h"

namespace {

int gSignalPipe[2] = {-1, -1};
std::atomic<bool>* gQuitFlag = nullptr;

void OnTerminationSignal(int) {
    // A long add stops at its next path even before the event loop sees the signal.
    if (gQuitFlag) gQuitFlag->store(true);
    const char byte = 1;
    [[maybe_unused]] const auto written = write(gSignalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the player the way closing its window does.
void RouteTerminationSignals(QWidget& window, std::atomic<bool>& quitFlag) {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) return;
    gQuitFlag = &quitFlag;
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] { window.close(); });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velk::app;
    std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine line = ParseCommandLine(args);
    if (line.mode == CommandLine::Mode::kHelp) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (line.mode == CommandLine::Mode::kError) {
        std::fprintf(stderr, "velkaro: %s\n\n%s", line.error.c_str(), UsageText().c_str());
        return 2;
    }
    const bool picture = line.mode == CommandLine::Mode::kPicture;
    if (picture && !PictureWindowNames().contains(QString::fromStdString(line.window))) {
        std::fprintf(stderr, "velkaro: unknown window \"%s\"; known windows: %s\n",
                     line.window.c_str(), PictureWindowNames().join(", ").toUtf8().constData());
        return 2;
    }
    // The picture plays silently and faster than real time.
    if (picture && line.atSeconds >= 0) setenv("VELKARO_AUDIO", "null:50", 1);

    QApplication app(argc, argv);
    app.setApplicationName("velkaro");
    app.setFont(AppFont());
    QString commandLine = QString::fromStdString(line.path);
    // The player works in its profile folder; paths given here mean the caller's folder.
    if (picture)
        line.pictureFile = QDir::current()
                               .absoluteFilePath(QString::fromStdString(line.pictureFile))
                               .toStdString();
    // The running instance has another current folder: hand over a full path.
    if (!commandLine.isEmpty() && commandLine != "-tray") {
        commandLine = QDir::current().absoluteFilePath(commandLine);
    }

    const QString profileFolder = QString::fromStdString(velk::app::ProfileFolder());
    const QString serverName = InstanceServerName(profileFolder);
    if (!picture && SendToRunningInstance(serverName, commandLine)) return 0;
    QDir().mkpath(profileFolder);
    QDir::setCurrent(profileFolder);

    VelkPlayerEngine engine;
    SessionOptions sessionOptions;
    sessionOptions.profileFolder = profileFolder.toStdString();
    sessionOptions.systemWindowColour = ToColorRef(app.palette().color(QPalette::Base));
    sessionOptions.readOnly = picture;
    PlayerApp player(engine, sessionOptions, {commandLine});
    CMainWindow& window = player.Window();
    InstanceServer server;
    if (!picture) {
        server.Listen(serverName);
        QObject::connect(&server, &InstanceServer::handOver, &window, &CMainWindow::HandOver);
    }
    RouteTerminationSignals(window, player.Session().QuitFlag());
    window.Start();
    int exitCode = 0;
    if (picture) {
        TakeWindowPicture(window, line, [&window, &exitCode](int code) {
            exitCode = code;
            window.close();
        });
    }
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int loopCode = app.exec();
    return picture ? exitCode : loopCode;
}
