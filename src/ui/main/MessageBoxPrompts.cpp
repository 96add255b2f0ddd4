#include "MessageBoxPrompts.h"

#include "BoxCaption.h"

#include <QApplication>
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
