#pragma once
// The user prompts as real message boxes.

#include "UserPrompts.h"

namespace tesso
{

class MessageBoxPrompts : public UserPrompts
{
  public:
    void Information(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    std::optional<QString> AskChoice(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QStringList& items) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    std::optional<QString> AskOpenFile(QWidget* parent, const QString& filter) override;
    std::optional<QString> AskSaveFile(QWidget* parent, const QString& filter) override;
};

} // namespace tesso
