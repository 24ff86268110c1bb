#include "ui/instance_server.h"

#include <unistd.h>

#include <QLocalSocket>
#include <memory>

namespace velk::app {

namespace {

constexpr int kConnectWaitMs = 1000;
constexpr int kLongestCommandLine = 1 << 16;

}  // namespace

QString InstanceServerName() {
    return QStringLiteral("velkaro-%1").arg(getuid());
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

// Each connection carries one line; it is handled once the sender has written all of it.
void InstanceServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        auto deliver = [this, socket, buffer] {
            if (buffer->isNull()) return;
            const QByteArray line = buffer->left(buffer->indexOf('\n'));
            *buffer = QByteArray();
            emit handOver(QString::fromUtf8(line).trimmed());
            socket->deleteLater();
        };
        connect(socket, &QLocalSocket::readyRead, this, [socket, buffer, deliver] {
            buffer->append(socket->readAll());
            if (buffer->contains('\n')) {
                deliver();
            } else if (buffer->size() > kLongestCommandLine) {
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [socket, buffer, deliver] {
            buffer->append(socket->readAll());
            if (!buffer->isNull() && buffer->contains('\n')) {
                deliver();
            } else {
                socket->deleteLater();
            }
        });
    }
}

}  // namespace velk::app
