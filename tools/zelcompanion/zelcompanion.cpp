// zelcompanion: the companion's side of the protocol, for trying the main window out. It
// sends one message to a look-up window listening under a name and ends; exit status 0 when
// the frame was delivered, 1 when no window listens, 2 for a usage error.
//
//   zelcompanion SERVER front [VIEW [ARGUMENT]]                bring the window to front
//   zelcompanion SERVER lookup [VIEW [ARGUMENT [SOURCE TARGET]]] paste and analyse
//   zelcompanion SERVER command NUMBER [VIEW [ARGUMENT]]       any command number
//   zelcompanion SERVER raw HEX                                 bytes as they are
//
// SERVER is the server's full name (see ZelCompanionServerName) or a settings key such as
// "Software\VRD\NV\1.0"; languages are numbers (9 English, 16 Italian, or 0x09 …).
#include "ZelCompanion.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zelcompanion SERVER front|lookup|command N|raw HEX "
                         "[VIEW [ARGUMENT [SOURCE TARGET]]]\n");
    return 2;
}

bool ToNumber(const QString& text, uint32_t limit, uint32_t& value) {
    bool ok = false;
    value = text.toUInt(&ok, 0);
    return ok && value <= limit;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2)
        return Usage();
    QString server = arguments.takeFirst();
    if (server.contains('\\'))
        server = ZelCompanionServerName(server);
    QString verb = arguments.takeFirst();
    if (verb == "raw") {
        if (arguments.size() != 1)
            return Usage();
        return ZelSendCompanionBytes(server, QByteArray::fromHex(arguments[0].toLatin1())) ? 0 : 1;
    }
    uint32_t command = verb == "front" ? 1 : verb == "lookup" ? 2 : 0;
    if (verb == "command") {
        if (arguments.isEmpty() || !ToNumber(arguments.takeFirst(), 255, command))
            return Usage();
    } else if (command == 0) {
        return Usage();
    }
    uint32_t view = 0, argument = 0, source = 0, target = 0;
    if ((arguments.size() > 0 && !ToNumber(arguments[0], 255, view)) ||
        (arguments.size() > 1 && !ToNumber(arguments[1], 0xFFFF, argument)) ||
        arguments.size() == 3 || arguments.size() > 4 ||
        (arguments.size() == 4 &&
         (!ToNumber(arguments[2], 0xFFFF, source) || !ToNumber(arguments[3], 0xFFFF, target))))
        return Usage();
    TZelCompanionMessage message{
        ZelCompanionCommandMessage,
        ZelCompanionCommand(uint8_t(command), uint8_t(view), uint16_t(argument)),
        source | target << 16};
    if (!ZelSendCompanionMessage(server, message)) {
        std::fprintf(stderr, "zelcompanion: no window listens as %s\n", qPrintable(server));
        return 1;
    }
    return 0;
}
