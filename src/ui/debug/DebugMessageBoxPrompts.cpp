#include "DebugMessageBoxPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "BoxCaption.h"
#include "DebugTexts.h"

namespace tesso
{

void DebugMessageBoxPrompts::Information(QWidget* parent, const QString& text)
{
    m_boxes.Information(parent, text);
}

DebugPrompts::Pace DebugMessageBoxPrompts::AskTemporize(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, BoxCaption(), QString(DebugTexts::ToTemporize),
                    QMessageBox::Ok | QMessageBox::Ignore, parent);
    // Closing the box (its frame or Escape) answers neither button: nothing is sent.
    QPushButton* closing = box.addButton(QMessageBox::Cancel);
    closing->hide();
    box.setEscapeButton(closing);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Ok))
        return Pace::Paced;
    if (box.clickedButton() == box.button(QMessageBox::Ignore))
        return Pace::AtOnce;
    return Pace::Cancelled;
}

std::optional<QString> DebugMessageBoxPrompts::AskText(QWidget* parent, const QString& caption,
                                                       const QString& prompt, const QString& initial)
{
    return m_boxes.AskText(parent, caption, prompt, initial);
}

QString DebugMessageBoxPrompts::OpenTextFile(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

std::optional<DebugPrompts::LogFile> DebugMessageBoxPrompts::SaveLogAs(QWidget* parent)
{
    const QString plain = QString(DebugTexts::SaveAsPlainFilter);
    const QString timed = QString(DebugTexts::SaveAsTimedFilter);
    QString chosen;
    const QString fileName = QFileDialog::getSaveFileName(parent, QString(DebugTexts::SaveAs), QString(),
                                                          plain + QStringLiteral(";;") + timed, &chosen);
    if (fileName.isEmpty())
        return std::nullopt;
    return LogFile{fileName, chosen == timed};
}

} // namespace tesso
