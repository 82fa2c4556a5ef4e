// The companion protocol: the quick-lookup companion and the main look-up window talk
// through per-user local sockets, one server each. A message is one frame of 16 bytes,
// little-endian: the magic "ZelM", the message number and its two parameters. The main
// window announces itself to the companion with message 1226 (first parameter: its
// process id); the companion sends commands with message 1225:
//   first parameter  bits 0–7 command (1 bring to front, 2 look up the clipboard),
//                    bits 8–15 a view index, bits 16–31 an argument for that view;
//   second parameter 0, or a language pair: bits 0–15 source, bits 16–31 target.
// A frame with another magic cannot be trusted to be in step with the stream: it is logged
// and the connection is dropped.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

inline constexpr uint32_t ZelCompanionCommandMessage = 1225;
inline constexpr uint32_t ZelCompanionAnnounceMessage = 1226;
inline constexpr int ZelCompanionFrameSize = 16;

struct TZelCompanionMessage {
    uint32_t Message = 0;
    uint32_t First = 0;
    uint32_t Second = 0;
};

QByteArray ZelEncodeCompanionFrame(const TZelCompanionMessage& message);
// The message of a whole frame; none when its size or magic is wrong.
std::optional<TZelCompanionMessage> ZelDecodeCompanionFrame(const QByteArray& frame);

// The first parameter of a command.
//   ZelCompanionCommand(2, 1, 0) == 0x0102
uint32_t ZelCompanionCommand(uint8_t command, uint8_t viewIndex, uint16_t viewArgument);

// The per-user name of a server: the name with everything but letters and digits made "_",
// then the user id (and, with a settings store of its own in ZEL_USER_HIVE, a hash of its
// path).   ZelCompanionServerName("Software\\VRD\\NV\\1.0") ==
// "Software_VRD_NV_1_0-1000"
QString ZelCompanionServerName(const QString& name);

// Sends one message to a server; false when none is listening or the frame was not
// written within the time.
bool ZelSendCompanionMessage(const QString& serverName, const TZelCompanionMessage& message,
                             int timeoutMilliseconds = 500);
// Whether a server listens under the name.
bool ZelCompanionListening(const QString& serverName, int timeoutMilliseconds = 100);
// Sends raw bytes (the test client's malformed frames).
bool ZelSendCompanionBytes(const QString& serverName, const QByteArray& bytes,
                           int timeoutMilliseconds = 500);

// A server that hears whole frames and reports each message.
class TZelCompanionServer : public QObject {
    Q_OBJECT
public:
    explicit TZelCompanionServer(QObject* parent = nullptr);

    // Listens under the name unless another process already does; a socket file left by
    // a process that ended is taken over.
    bool Listen(const QString& serverName);
    bool IsListening() const { return Server.isListening(); }
    QString ServerName() const { return Server.serverName(); }

signals:
    void Received(const TZelCompanionMessage& message);

private:
    void Accept();

    QLocalServer Server;
};
