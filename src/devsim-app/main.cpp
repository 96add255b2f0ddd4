// tesso-devsim: a simulated Lumio or Snipa that speaks the device protocol over TCP, UDP, a new
// pseudo-terminal or an existing serial device. See docs/devsim.md.

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTextStream>

#include "SimDevice.h"
#include "SimServer.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop through a socket pair, the only safe way out of a handler.
bool installQuitOnSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte = 0;
        [[maybe_unused]] const auto ignored = ::read(signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    return true;
}

void fail(const QString& message)
{
    std::fprintf(stderr, "tesso-devsim: %s\n", qPrintable(message));
}

// Reads a whole-number option; false (with a message) when it is given but not a number in range.
bool readInt(const QCommandLineParser& parser, const QCommandLineOption& option, int minimum, int maximum,
             int& value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int v = parser.value(option).toInt(&ok);
    if (!ok || v < minimum || v > maximum) {
        fail(QStringLiteral("--%1 needs a whole number from %2 to %3, not \"%4\"")
                 .arg(option.names().constFirst())
                 .arg(minimum)
                 .arg(maximum)
                 .arg(parser.value(option)));
        return false;
    }
    value = v;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesso-devsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSO_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated Lumio or Snipa video scaler for tests, demos and training.\n"
        "Prints PTY=<path>, TCP=<port>, UDP=<port> lines on standard output once its links are open\n"
        "(PTY first); port 0 picks a free port."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"), QStringLiteral("TCP server on <port> (one client at a time)."),
                                 QStringLiteral("port"));
    const QCommandLineOption udp(QStringLiteral("udp"), QStringLiteral("UDP endpoint on <port>."), QStringLiteral("port"));
    const QCommandLineOption pty(QStringLiteral("pty"), QStringLiteral("Open a new pseudo-terminal."));
    const QCommandLineOption ptyLink(QStringLiteral("pty-link"),
                                     QStringLiteral("Also make <path> a symbolic link to the pseudo-terminal."),
                                     QStringLiteral("path"));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Use the existing serial device <path>."),
                                    QStringLiteral("path"));
    const QCommandLineOption bind(QStringLiteral("bind"),
                                  QStringLiteral("Listen on <address> (default 127.0.0.1)."), QStringLiteral("address"),
                                  QStringLiteral("127.0.0.1"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("lumio (default) or snipa."),
                                   QStringLiteral("name"), QStringLiteral("lumio"));
    const QCommandLineOption devCode(QStringLiteral("dev-code"),
                                     QStringLiteral("Answer \"?\" with device code <n> instead of the model's."),
                                     QStringLiteral("n"));
    const QCommandLineOption saveFrames(QStringLiteral("save-frames"),
                                        QStringLiteral("Write each received picture as a bitmap file into <dir>."),
                                        QStringLiteral("dir"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log what is received and sent on standard error."));
    const QCommandLineOption silenceAfter(QStringLiteral("silence-after"),
                                          QStringLiteral("Fault: send nothing after <n> reply lines."), QStringLiteral("n"));
    const QCommandLineOption noise(QStringLiteral("noise"),
                                   QStringLiteral("Fault: a line of <n> garbage bytes before each reply."),
                                   QStringLiteral("n"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the garbage bytes."), QStringLiteral("n"));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Fault: write output in pieces of at most <n> bytes."),
                                   QStringLiteral("n"));
    const QCommandLineOption chunkGap(QStringLiteral("chunk-gap"),
                                      QStringLiteral("Pause between pieces in ms (default 5)."), QStringLiteral("ms"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Fault: hold every output back <ms>."),
                                   QStringLiteral("ms"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Fault: during a frame transfer, ESC DC3 after every <n> blocks."),
                                  QStringLiteral("n"));
    const QCommandLineOption paceHold(QStringLiteral("pace-hold"),
                                      QStringLiteral("ESC DC1 this many ms after ESC DC3 (default 50)."),
                                      QStringLiteral("ms"));
    const QCommandLineOption noReady(QStringLiteral("no-ready"),
                                     QStringLiteral("Fault: never send the ready signal in raw mode."));
    const QCommandLineOption abortAfter(QStringLiteral("abort-after"),
                                        QStringLiteral("Fault: send the abort code after <n> frame blocks."),
                                        QStringLiteral("n"));
    const QCommandLineOption disconnectAfter(QStringLiteral("disconnect-after"),
                                             QStringLiteral("Fault: drop the TCP client after <n> reply lines."),
                                             QStringLiteral("n"));
    parser.addOptions({tcp, udp, pty, ptyLink, serial, bind, model, devCode, saveFrames, verbose, silenceAfter, noise,
                       seed, chunk, chunkGap, delay, pace, paceHold, noReady, abortAfter, disconnectAfter});
    parser.process(app);

    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("unexpected argument \"%1\" (see --help)").arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    const QString modelName = parser.value(model).toLower();
    if (modelName != QStringLiteral("lumio") && modelName != QStringLiteral("snipa")) {
        fail(QStringLiteral("--model is lumio or snipa, not \"%1\"").arg(parser.value(model)));
        return 2;
    }
    if (!parser.isSet(tcp) && !parser.isSet(udp) && !parser.isSet(pty) && !parser.isSet(serial)) {
        fail(QStringLiteral("no link: give --tcp, --udp, --pty or --serial (see --help)"));
        return 2;
    }
    if (parser.isSet(ptyLink) && !parser.isSet(pty)) {
        fail(QStringLiteral("--pty-link needs --pty"));
        return 2;
    }
    const QHostAddress address(parser.value(bind));
    if (address.isNull()) {
        fail(QStringLiteral("--bind needs an address, not \"%1\"").arg(parser.value(bind)));
        return 2;
    }

    tesso::sim::FaultOptions faults;
    int tcpPort = 0, udpPort = 0, code = -1, seedValue = 1;
    constexpr int Max = 1 << 30;
    if (!readInt(parser, tcp, 0, 65535, tcpPort) || !readInt(parser, udp, 0, 65535, udpPort) ||
        !readInt(parser, devCode, 0, Max, code) || !readInt(parser, silenceAfter, 0, Max, faults.silenceAfterReplies) ||
        !readInt(parser, noise, 0, 4096, faults.noiseBytes) || !readInt(parser, seed, 0, Max, seedValue) ||
        !readInt(parser, chunk, 0, Max, faults.chunkSize) || !readInt(parser, chunkGap, 0, 60000, faults.chunkGapMs) ||
        !readInt(parser, delay, 0, 600000, faults.replyDelayMs) ||
        !readInt(parser, pace, 0, Max, faults.paceEveryBlocks) ||
        !readInt(parser, paceHold, 0, 60000, faults.paceHoldMs) ||
        !readInt(parser, abortAfter, 0, Max, faults.abortAfterBlocks) ||
        !readInt(parser, disconnectAfter, 0, Max, faults.disconnectAfterReplies))
        return 2;
    faults.noReadySignal = parser.isSet(noReady);
    faults.noiseSeed = std::uint32_t(seedValue);

    const auto which = modelName == QStringLiteral("snipa") ? tesso::sim::Model::Snipa : tesso::sim::Model::Lumio;
    tesso::sim::SimServer server(which);
    server.device().setFaults(faults);
    if (code >= 0)
        server.device().setDeviceCode(std::uint32_t(code));
    if (parser.isSet(saveFrames)) {
        const QString dir = parser.value(saveFrames);
        if (!QDir().mkpath(dir)) {
            fail(QStringLiteral("cannot create the folder %1").arg(dir));
            return 1;
        }
        server.device().setSaveFolder(dir);
    }
    if (parser.isSet(verbose)) {
        QObject::connect(&server, &tesso::sim::SimServer::logLine, &app, [](const QString& line) {
            std::fprintf(stderr, "%s %s\n",
                         qPrintable(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                         qPrintable(line));
        });
    }

    QTextStream out(stdout);
    QString error;
    if (parser.isSet(pty)) {
        if (!server.openPty(&error)) {
            fail(error);
            return 1;
        }
        if (parser.isSet(ptyLink) && !server.createPtySymlink(parser.value(ptyLink), &error)) {
            fail(error);
            return 1;
        }
        out << "PTY=" << server.ptyPath() << Qt::endl;
    }
    if (parser.isSet(tcp)) {
        if (!server.listenTcp(address, quint16(tcpPort), &error)) {
            fail(QStringLiteral("TCP port %1: %2").arg(tcpPort).arg(error));
            return 1;
        }
        out << "TCP=" << server.tcpPort() << Qt::endl;
    }
    if (parser.isSet(udp)) {
        if (!server.bindUdp(address, quint16(udpPort), &error)) {
            fail(QStringLiteral("UDP port %1: %2").arg(udpPort).arg(error));
            return 1;
        }
        out << "UDP=" << server.udpPort() << Qt::endl;
    }
    if (parser.isSet(serial)) {
        if (!server.openSerial(parser.value(serial), &error)) {
            fail(error);
            return 1;
        }
        out << "SERIAL=" << parser.value(serial) << Qt::endl;
    }

    if (!installQuitOnSignals(app))
        fail(QStringLiteral("cannot catch SIGINT/SIGTERM; stop with kill -9"));
    const int rc = QCoreApplication::exec();
    if (parser.isSet(verbose))
        std::fprintf(stderr, "tesso-devsim: stopped\n");
    return rc;
}
