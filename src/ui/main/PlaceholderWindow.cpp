#include "PlaceholderWindow.h"

TPlaceholderWindow::TPlaceholderWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(320, 200);
}
