#pragma once
// TForm_Debug2007: the protocol debug console ("Debug"). Its contents come with the console; the
// main window gives it the driver at start-up and opens it with Ctrl+Insert.

#include <QWidget>

class TMirex_d;

class TForm_Debug2007 : public QWidget
{
    Q_OBJECT

  public:
    explicit TForm_Debug2007(QWidget* parent = nullptr);

    TMirex_d* Driver() const { return m_driver; }
    void setDriver(TMirex_d* driver) { m_driver = driver; }

  private:
    TMirex_d* m_driver = nullptr;
};
