#pragma once
// The questions the debug console puts to the user, behind one interface so that offscreen tests
// answer them. DebugMessageBoxPrompts shows the real boxes and file dialogs.

#include <optional>

#include <QString>

class QWidget;

namespace tesso
{

class DebugPrompts
{
  public:
    enum class Pace { Paced, AtOnce, Cancelled };
    struct LogFile {
        QString fileName;
        bool withTimes = false;
    };

    virtual ~DebugPrompts() = default;
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // "To temporize ?" with OK (paced) and Ignore (at once); closing the box cancels.
    virtual Pace AskTemporize(QWidget* parent) = 0;
    virtual std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                           const QString& initial) = 0;
    // A text file to send; empty when cancelled.
    virtual QString OpenTextFile(QWidget* parent, const QString& filter) = 0;
    // Where "Save As..." writes the log, and whether with receive times; nothing when cancelled.
    virtual std::optional<LogFile> SaveLogAs(QWidget* parent) = 0;
};

} // namespace tesso
