#include "ZelCompanion.h"

#include <QLocalSocket>
#include <QLoggingCategory>
#include <QtEndian>

#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(CompanionLog, "norvel.companion")

const char Magic[4] = {'Z', 'e', 'l', 'M'};

} // namespace

QByteArray ZelEncodeCompanionFrame(const TZelCompanionMessage& message) {
    QByteArray frame(Magic, 4);
    frame.resize(ZelCompanionFrameSize);
    qToLittleEndian(message.Message, frame.data() + 4);
    qToLittleEndian(message.First, frame.data() + 8);
    qToLittleEndian(message.Second, frame.data() + 12);
    return frame;
}

std::optional<TZelCompanionMessage> ZelDecodeCompanionFrame(const QByteArray& frame) {
    if (frame.size() != ZelCompanionFrameSize || !frame.startsWith(QByteArray(Magic, 4)))
        return std::nullopt;
    TZelCompanionMessage message;
    message.Message = qFromLittleEndian<uint32_t>(frame.constData() + 4);
    message.First = qFromLittleEndian<uint32_t>(frame.constData() + 8);
    message.Second = qFromLittleEndian<uint32_t>(frame.constData() + 12);
    return message;
}

uint32_t ZelCompanionCommand(uint8_t command, uint8_t viewIndex, uint16_t viewArgument) {
    return uint32_t(command) | uint32_t(viewIndex) << 8 | uint32_t(viewArgument) << 16;
}

QString ZelCompanionServerName(const QString& name) {
    QString safe = name;
    for (QChar& c : safe)
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            c = '_';
    QString server = safe + '-' + QString::number(getuid());
    // A settings store of its own (a test's, a second profile's) is another user's: its
    // windows must not answer this one's.
    QByteArray hive = qgetenv("ZEL_USER_HIVE");
    if (!hive.isEmpty())
        server += '-' + QString::number(qHash(hive), 16);
    return server;
}

bool ZelCompanionListening(const QString& serverName, int timeoutMilliseconds) {
    QLocalSocket probe;
    probe.connectToServer(serverName);
    return probe.waitForConnected(timeoutMilliseconds);
}

bool ZelSendCompanionBytes(const QString& serverName, const QByteArray& bytes,
                           int timeoutMilliseconds) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMilliseconds))
        return false;
    socket.write(bytes);
    bool written = socket.waitForBytesWritten(timeoutMilliseconds);
    socket.disconnectFromServer();
    return written;
}

bool ZelSendCompanionMessage(const QString& serverName, const TZelCompanionMessage& message,
                             int timeoutMilliseconds) {
    return ZelSendCompanionBytes(serverName, ZelEncodeCompanionFrame(message), timeoutMilliseconds);
}

TZelCompanionServer::TZelCompanionServer(QObject* parent) : QObject(parent) {
    Server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&Server, &QLocalServer::newConnection, this, &TZelCompanionServer::Accept);
}

bool TZelCompanionServer::Listen(const QString& serverName) {
    Server.close();
    if (ZelCompanionListening(serverName)) {
        qCInfo(CompanionLog) << "another process listens as" << serverName;
        return false;
    }
    QLocalServer::removeServer(serverName); // a socket file its process left behind
    if (!Server.listen(serverName)) {
        qCWarning(CompanionLog) << "cannot listen as" << serverName << Server.errorString();
        return false;
    }
    return true;
}

void TZelCompanionServer::Accept() {
    while (QLocalSocket* socket = Server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->bytesAvailable() >= ZelCompanionFrameSize) {
                std::optional<TZelCompanionMessage> message =
                    ZelDecodeCompanionFrame(socket->read(ZelCompanionFrameSize));
                if (!message) {
                    qCWarning(CompanionLog) << "malformed frame ignored; connection dropped";
                    socket->abort();
                    return;
                }
                emit Received(*message);
            }
        });
    }
}
