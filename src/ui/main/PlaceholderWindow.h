#pragma once
// A window of the still-frame subsystem that start-up creates before that subsystem's own class
// exists: it carries the window's object name and caption and nothing else.

#include <QWidget>

class TPlaceholderWindow : public QWidget
{
    Q_OBJECT

  public:
    TPlaceholderWindow(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
};
