#pragma once
// A debug console on a scripted, connected serial link, with prompts the test answers.

#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTextBlock>
#include <QToolButton>

#include "CalcEdit.h"
#include "CalcKeypad.h"
#include "Calculator.h"
#include "CommandFile.h"
#include "ConsoleLayout.h"
#include "ConsoleMenus.h"
#include "ConsoleSender.h"
#include "Debug2007Ini.h"
#include "DebugConsole.h"
#include "DebugConversions.h"
#include "DebugSettingsStore.h"
#include "DialKnob.h"
#include "FileSender.h"
#include "IntervalDial.h"
#include "LogFolder.h"
#include "MainWindowTestHarness.h"
#include "QuickSendButtons.h"
#include "ReceivedLogModel.h"
#include "ReceivedPane.h"
#include "ReportCapture.h"
#include "SendMemo.h"
#include "TimedSend.h"
#include "VariableEntries.h"
#include "VariableList.h"

namespace tesso::test::console
{

using namespace tesso::debug;

struct ScriptedPrompts : DebugPrompts {
    void Information(QWidget*, const QString& text) override { informations << text; }
    Pace AskTemporize(QWidget*) override { return pace; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&) override
    {
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
    QString OpenTextFile(QWidget*, const QString&) override { return fileToOpen; }
    std::optional<LogFile> SaveLogAs(QWidget*) override { return saveAs; }

    QStringList informations;
    Pace pace = Pace::Cancelled;
    QList<std::optional<QString>> answers;
    QString fileToOpen;
    std::optional<LogFile> saveAs;
};

inline void sendKey(QWidget* widget, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
}

// Each character as its key; a CR is Enter.
inline void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        sendKey(widget, c == QLatin1Char('\r') ? int(Qt::Key_Return) : c.toUpper().unicode(), QString(c));
}

inline void click(QWidget* widget, const QPoint& at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// A console on a scripted, connected serial link.
struct Console {
    QTemporaryDir folder;
    tesso::test::ScriptedDriver driver;
    ScriptedPrompts prompts;
    std::unique_ptr<DebugConsole> form;

    Console() { open(); }
    void open()
    {
        form = std::make_unique<DebugConsole>(nullptr, folder.path());
        form->setPrompts(&prompts);
        form->setLogFolder(folder.path());
        form->Clock = [] { return qint64(1700000000000); };
        form->setDriver(driver.driver.get());
        if (!driver.serial->active)
            driver.connectSerial();
    }
    // The console closed and opened again on the settings file given.
    void reopenWith(const QByteArray& ini)
    {
        form.reset();
        writeFile(QStringLiteral("Debug2007.ini"), ini);
        open();
    }
    QByteArray sent()
    {
        const QByteArray all = driver.serial->allWritten();
        driver.serial->written.clear();
        return all;
    }
    void reply(const QByteArray& lines)
    {
        driver.feed(lines);
        form->ReceivedLog->Flush();
    }
    void key(int key, const QString& text = QString()) { sendKey(form->Memo_Send, key, text); }
    void type(const QString& text) { typeInto(form->Memo_Send, text); }
    void enter() { type(QStringLiteral("\r")); }
    void setMode(bool direct, bool transmitCR)
    {
        (direct ? form->Menus->SendDirect : form->Menus->SendOnCarriageReturn)->trigger();
        if (form->Menus->TransmitCarriageReturn->isChecked() != transmitCR)
            form->Menus->TransmitCarriageReturn->trigger();
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    int entryRow(const QString& command, const QString& reply) const
    {
        const QStringList entries = form->VariableEntries->Entries();
        for (int i = 0; i < entries.size(); ++i)
            if (VariableEntries::FirstWord(entries[i]) == command &&
                VariableEntries::SecondWord(entries[i]) == reply)
                return i;
        return -1;
    }
    // Space on the entry: the user toggles its check box.
    void toggleEntry(int row)
    {
        form->VariableEntries->setCurrentRow(row);
        sendKey(form->VariableEntries, Qt::Key_Space, QStringLiteral(" "));
    }
    void sendFile(const QByteArray& bytes, DebugPrompts::Pace pace)
    {
        prompts.fileToOpen = writeFile(QStringLiteral("commands.txt"), bytes);
        prompts.pace = pace;
        form->FileSend->sendTextFile();
    }
};

} // namespace tesso::test::console
