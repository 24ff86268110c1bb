// velkaro: the desktop player. One instance per user; a second one hands its command line over.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>

#include "core/velk_player_engine.h"
#include "ui/instance_server.h"
#include "ui/main_window.h"

namespace {

int gSignalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(gSignalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the player the way closing its window does.
void RouteTerminationSignals(QWidget& window) {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) return;
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
    QApplication app(argc, argv);
    app.setApplicationName("velkaro");
    QStringList args = app.arguments().mid(1);
    // --screenshot FILE: start, save a picture of the main window after a moment, and end.
    QString screenshot;
    if (args.size() >= 2 && args[0] == "--screenshot") {
        screenshot = args[1];
        args = args.mid(2);
    }
    QString commandLine = velk::app::WithoutQuotes(args.join(' '));
    // The running instance has another current folder: hand over a full path.
    if (!commandLine.isEmpty() && commandLine != "-tray") {
        commandLine = QDir::current().absoluteFilePath(commandLine);
    }

    const QString serverName = velk::app::InstanceServerName();
    if (screenshot.isEmpty() && velk::app::SendToRunningInstance(serverName, commandLine)) return 0;

    velk::app::StartOptions options;
    options.commandLine = commandLine;
    options.profileFolder = velk::app::ProfileFolder();
    QDir().mkpath(QString::fromStdString(options.profileFolder));
    QDir::setCurrent(QString::fromStdString(options.profileFolder));

    velk::app::VelkPlayerEngine engine;
    velk::app::CMainWindow window(engine, options);
    velk::app::InstanceServer server;
    if (screenshot.isEmpty()) {
        server.Listen(serverName);
        QObject::connect(&server, &velk::app::InstanceServer::handOver, &window,
                         &velk::app::CMainWindow::HandOver);
    }
    RouteTerminationSignals(window);
    window.Start();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, &window, [&window, screenshot] {
            window.grab().save(screenshot);
            window.close();
        });
    }
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    return app.exec();
}
