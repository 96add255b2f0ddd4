#pragma once
// The questions and notices the main window puts to the user, behind one small interface so that
// offscreen tests answer them instead of a person. The default shows message boxes.

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace tesso
{

class UserPrompts
{
  public:
    virtual ~UserPrompts() = default;
    // Information box with an OK button.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // Confirmation box with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // Text input box with a caption, a prompt and a starting text; nothing for Cancel.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                           const QString& initial) = 0;
    // A choice among items with a caption and a prompt; nothing for Cancel. Without a list box of
    // its own, the choice is typed, starting with the first item.
    virtual std::optional<QString> AskChoice(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QStringList& items)
    {
        return AskText(parent, caption, prompt, items.value(0));
    }
    // Question box with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) { return Confirm(parent, text); }
    // File boxes with a filter such as "Bitmaps (*.bmp)"; nothing for Cancel.
    virtual std::optional<QString> AskOpenFile(QWidget* /*parent*/, const QString& /*filter*/) { return {}; }
    virtual std::optional<QString> AskSaveFile(QWidget* /*parent*/, const QString& /*filter*/) { return {}; }
};

} // namespace tesso
