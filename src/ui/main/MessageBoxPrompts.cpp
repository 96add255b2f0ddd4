#include "MessageBoxPrompts.h"

#include "BoxCaption.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

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
