#include "ui/instance_server.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QTimer>
#include <memory>

namespace velk::app {

namespace {

constexpr int kConnectWaitMs = 1000;
constexpr int kLongestCommandLine = 1 << 16;

}  // namespace

QString InstanceServerName(const QString& profileFolder) {
    const QByteArray key =
        QCryptographicHash::hash(profileFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("velkaro-%1-%2").arg(getuid()).arg(QString::fromLatin1(key));
}

QString WithoutQuotes(const QString& commandLine) {
    QString text = commandLine;
    return text.remove(QLatin1Char('"'));
}

bool SendToRunningInstance(const QString& serverName, const QString& commandLine) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectWaitMs)) return false;
    socket.write(WithoutQuotes(commandLine).toUtf8() + '\n');
    socket.waitForBytesWritten(kConnectWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool InstanceServer::Listen(const QString& serverName) {
    QLocalServer::removeServer(serverName);  // a socket left by a player that crashed
    connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
    return server_.listen(serverName);
}

// Each connection carries one line. The socket is let go as soon as the line is complete (or
// can no longer be), and the hand-over runs later from the event loop: handling it adds files
// and lets events run, and the socket must not be touched again from inside that.
void InstanceServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        auto take = [this, socket, buffer] {
            if (socket->isOpen()) buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf('\n');
            const bool open = socket->state() == QLocalSocket::ConnectedState;
            if (end < 0 && open && buffer->size() <= kLongestCommandLine) return;
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
            if (end < 0) return;
            const QString line = QString::fromUtf8(buffer->left(end)).trimmed();
            QTimer::singleShot(0, this, [this, line] { emit handOver(line); });
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        connect(socket, &QLocalSocket::disconnected, this, take);
    }
}

}  // namespace velk::app
