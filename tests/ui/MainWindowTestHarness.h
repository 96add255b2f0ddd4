#pragma once
// Builds the whole start-up (splash, main window, secondary windows, initialisation) offscreen
// with in-memory links, a settings folder of the test's own and prompts answered by the test.

#include <memory>
#include <ostream>
#include <stdexcept>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWidget>

#include "ConnectionSettings.h"
#include "IniFile.h"
#include "InputButtonRow.h"
#include "InputSettingsRow.h"
#include "MainWindow.h"
#include "PageInput.h"
#include "SerialLink.h"
#include "SettingsFileKeys.h"
#include "SplashWindow.h"
#include "StartUp.h"
#include "StatusGridArea.h"
#include "TestLinks.h"
#include "Texts.h"
#include "UserPrompts.h"

using namespace tesso;

// Failures show texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tesso::test::mainwindow
{

struct PromptRecord {
    QString text;
    bool splashVisible = false;
    bool splashOnTop = false; // would cover the box
    bool mainVisible = false;
};

class RecordingPrompts : public UserPrompts
{
  public:
    void Information(QWidget*, const QString& text) override
    {
        informations << record(text);
        if (failOnInformation)
            throw std::runtime_error("no answer");
    }
    bool Confirm(QWidget*, const QString& text) override
    {
        confirmations << record(text);
        return confirmAnswer;
    }
    // Answers in turn from `answers` (nothing: Cancel); Cancel once they run out.
    std::optional<QString> AskText(QWidget*, const QString& caption, const QString& prompt,
                                   const QString& initial) override
    {
        questions << QStringList{caption, prompt, initial};
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }

    QList<PromptRecord> informations;
    QList<PromptRecord> confirmations;
    bool confirmAnswer = true;
    QList<QStringList> questions; // caption, prompt, starting text
    QList<std::optional<QString>> answers;
    bool failOnInformation = false;

  private:
    static PromptRecord record(const QString& text)
    {
        PromptRecord r{text};
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("Form_PageAccueil") && w->isVisible()) {
                r.splashVisible = true;
                r.splashOnTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            }
            if (w->objectName() == QStringLiteral("Form_MAIN") && w->isVisible())
                r.mainVisible = true;
        }
        return r;
    }
};

class Harness
{
  public:
    QTemporaryDir folder;
    RecordingPrompts prompts;
    TestLinks links;
    std::unique_ptr<MainWindow> main;
    int splashSteps = 0;
    int splashFinalPosition = 0;
    bool realSerialLink = false; // the serial port itself instead of the in-memory link

    // The serial-port list reads its stable names from here; the computer's ports are not listed.
    QString serialByIdDirectory() const { return folder.path() + QStringLiteral("/by-id"); }

    QString connectionFile() const { return folder.path() + QStringLiteral("/Tesso remote control.ini"); }

    // A file of the settings folder, as another program or an earlier run left it.
    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
    void writeConnectionFile(const QByteArray& content = QByteArrayLiteral("[CONNEXION]\nPort=0\n")) const
    {
        writeFile(QStringLiteral("Tesso remote control.ini"), content);
    }
    void startWith(const QByteArray& content = QByteArrayLiteral("[CONNEXION]\nPort=0\n"))
    {
        writeConnectionFile(content);
        start();
    }

    void start()
    {
        StartUp::Options options;
        options.SettingsDirectory = folder.path();
        options.OnStep = [this](const SplashWindow& splash) {
            ++splashSteps;
            splashFinalPosition = splash.Position();
        };
        options.SerialByIdDirectory = serialByIdDirectory();
        options.SystemSerialPorts = false;
        DriverLinks made = links.make();
        if (realSerialLink)
            made.serial = std::make_unique<SerialLink>();
        main = StartUp::Run(std::move(made), prompts, options);
    }

    DeviceDriver& driver() { return main->Driver(); }

    // Runs the driver's state machine to "connected" with the given device code.
    void connectDevice(int code)
    {
        links.timer->fire(); // absent: DEV 0, detection starts
        links.deliverSerial(QByteArrayLiteral("DEV") + QByteArray::number(code) + QByteArrayLiteral("\r\n"));
        links.timer->fire(); // found: connected
    }

    // A value of the connection settings file; empty when it is not there.
    QString saved(const char* key, QLatin1String section = SettingsFileKeys::SectionConnexion) const
    {
        IniFile ini;
        ini.load(connectionFile());
        return ini.value(QString(section), QLatin1String(key)).value_or(QString());
    }
};

// A window connected to a Lumio (or the model given), with what it sends recorded from here on.
struct ConnectedWindow : Harness {
    explicit ConnectedWindow(int code = 57)
    {
        startWith();
        connectDevice(code);
        links.serial->written.clear();
    }
    void reply(const QByteArray& lines) { links.deliverSerial(lines); }
    QByteArray sent()
    {
        const QByteArray all = links.serial->allWritten();
        links.serial->written.clear();
        return all;
    }
    QString cell(int row) const { return main->StatusArea->Cell(1, row); }
    QToolButton* button(int k) const { return main->PnlBtnInputs->BtnInput[static_cast<std::size_t>(k - 1)]; }
    InputSettingsRow* row(int k) const
    {
        return main->TabSheet_Input->FrameInput[static_cast<std::size_t>(k - 1)];
    }
};

} // namespace tesso::test::mainwindow
