// tesso-cli: a command-line client over the device driver, for scripts and for checking a device.
#include <cstdio>

#include <QCoreApplication>

#include "CliOptions.h"
#include "CliSession.h"
#include "QuitOnSignals.h"

using namespace tesso;

namespace
{

// Qt's own diagnostics would mix with the NAME=VALUE output and the error lines scripts read.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "tesso-cli: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietMessages);
    QCoreApplication app(argc, argv);
    const CliOptions options = CliOptions::parse(QCoreApplication::arguments().mid(1));
    if (options.help()) {
        std::fputs(CliOptions::usage().toLocal8Bit().constData(), stdout);
        return CliSession::ExitOk;
    }
    if (options.version()) {
        std::printf("tesso-cli %s\n", TESSO_VERSION_STRING);
        return CliSession::ExitOk;
    }
    if (!options.ok()) {
        std::fprintf(stderr, "tesso-cli: %s\nTry 'tesso-cli --help'.\n",
                     options.error().toLocal8Bit().constData());
        return CliSession::ExitUsage;
    }
    CliSession session(options, stdout, stderr);
    tesso::onSignals(app, [&session] { session.interrupt(); });
    return session.run();
}
