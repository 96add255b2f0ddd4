#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "BoxCaption.h"

namespace tesso
{

void MessageBoxPrompts::Information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, BoxCaption(), text, QMessageBox::Ok);
}

bool MessageBoxPrompts::Confirm(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, BoxCaption(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<QString> MessageBoxPrompts::AskText(QWidget* parent, const QString& caption,
                                                  const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> MessageBoxPrompts::AskChoice(QWidget* parent, const QString& caption,
                                                    const QString& prompt, const QStringList& items)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, caption, prompt, items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return item;
}

bool MessageBoxPrompts::AskYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, BoxCaption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompts::AskOpenFile(QWidget* parent, const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> MessageBoxPrompts::AskSaveFile(QWidget* parent, const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace tesso
