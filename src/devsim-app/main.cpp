// tesso-devsim: a simulated Lumio or Snipa that speaks the device protocol over TCP, UDP, a new
// pseudo-terminal or an existing serial device. See docs/devsim.md.

#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTextStream>

#include "DevsimOptions.h"
#include "QuitOnSignals.h"
#include "SimServer.h"

using namespace tesso;

using tesso::sim::DevsimOptions;
using tesso::sim::SimServer;

namespace
{

void fail(const QString& message)
{
    std::fprintf(stderr, "tesso-devsim: %s\n", qPrintable(message));
}

// Opens the links the options ask for and prints one line per link, PTY first.
bool openLinks(SimServer& server, const DevsimOptions& options)
{
    QTextStream out(stdout);
    QString error;
    if (options.pty()) {
        if (!server.openPty(&error) ||
            (!options.ptyLink().isEmpty() && !server.createPtySymlink(options.ptyLink(), &error))) {
            fail(error);
            return false;
        }
        out << "PTY=" << server.ptyPath() << Qt::endl;
    }
    if (const auto port = options.tcpPort()) {
        if (!server.listenTcp(options.bindAddress(), *port, &error)) {
            fail(QStringLiteral("TCP port %1: %2").arg(*port).arg(error));
            return false;
        }
        out << "TCP=" << server.tcpPort() << Qt::endl;
    }
    if (const auto port = options.udpPort()) {
        if (!server.bindUdp(options.bindAddress(), *port, &error)) {
            fail(QStringLiteral("UDP port %1: %2").arg(*port).arg(error));
            return false;
        }
        out << "UDP=" << server.udpPort() << Qt::endl;
    }
    if (!options.serialPath().isEmpty()) {
        if (!server.openSerial(options.serialPath(), &error)) {
            fail(error);
            return false;
        }
        out << "SERIAL=" << options.serialPath() << Qt::endl;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesso-devsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSO_VERSION_STRING));

    const DevsimOptions options = DevsimOptions::parse(QCoreApplication::arguments().mid(1));
    if (options.help()) {
        std::fputs(qPrintable(DevsimOptions::usage()), stdout);
        return 0;
    }
    if (options.version()) {
        std::printf("tesso-devsim %s\n", TESSO_VERSION_STRING);
        return 0;
    }
    if (!options.ok()) {
        fail(options.error() + QStringLiteral(" (see --help)"));
        return 2;
    }

    SimServer server(options.model());
    server.setLineRate(options.lineRate());
    server.device().setFaults(options.faults());
    if (const auto code = options.deviceCode())
        server.device().setDeviceCode(*code);
    if (!options.saveFolder().isEmpty()) {
        if (!QDir().mkpath(options.saveFolder())) {
            fail(QStringLiteral("cannot create the folder %1").arg(options.saveFolder()));
            return 1;
        }
        server.device().setSaveFolder(options.saveFolder());
    }
    if (options.verbose()) {
        QObject::connect(&server, &SimServer::logLine, &app, [](const QString& line) {
            std::fprintf(stderr, "%s %s\n",
                         qPrintable(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                         qPrintable(line));
        });
    }
    if (!openLinks(server, options))
        return 1;

    if (!tesso::quitOnSignals(app))
        fail(QStringLiteral("cannot catch SIGINT/SIGTERM; stop with kill -9"));
    const int rc = QCoreApplication::exec();
    if (options.verbose())
        std::fprintf(stderr, "tesso-devsim: stopped\n");
    return rc;
}
