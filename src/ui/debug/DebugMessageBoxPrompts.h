#pragma once
// The debug console's questions as real message boxes and file dialogs.

#include "DebugPrompts.h"
#include "MessageBoxPrompts.h"

namespace tesso
{

class DebugMessageBoxPrompts : public DebugPrompts
{
  public:
    void Information(QWidget* parent, const QString& text) override;
    Pace AskTemporize(QWidget* parent) override;
    std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    QString OpenTextFile(QWidget* parent, const QString& filter) override;
    std::optional<LogFile> SaveLogAs(QWidget* parent) override;

  private:
    MessageBoxPrompts m_boxes; // the boxes the main window shows too
};

} // namespace tesso
