#pragma once
// The "Effect" page of the main window's page control. Its controls come with the transitions.

#include <QWidget>

class TPageEffect : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageEffect(QWidget* parent = nullptr);
};
