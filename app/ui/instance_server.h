// One player per user: the first instance listens on a local socket named per user, a second
// one sends its command line there and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace velk::app {

// One player per profile folder: a second profile ($VELKARO_HOME) is a player of its own.
QString InstanceServerName(const QString& profileFolder);

// Sends `commandLine` to a running instance. False when none answers.
bool SendToRunningInstance(const QString& serverName, const QString& commandLine);

class InstanceServer : public QObject {
    Q_OBJECT
  public:
    explicit InstanceServer(QObject* parent = nullptr) : QObject(parent) {}
    bool Listen(const QString& serverName);

  signals:
    // A second instance started; `commandLine` has its double quotes removed (may be empty).
    // Emitted from the event loop, never from inside a socket's own signal.
    void handOver(const QString& commandLine);

  private:
    void Accept();
    QLocalServer server_;
};

// The whole command line with every double quote removed.
QString WithoutQuotes(const QString& commandLine);

}  // namespace velk::app
