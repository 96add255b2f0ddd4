#pragma once
// StandbyWindow: the standby delay window ("Stand by", tool window without close box). Its scroll
// bar sets the device's standby delay (STBTIME, minutes) and its label shows the delay the device
// reports. While the user holds the thumb the device's echoes change the label only, so that the
// thumb does not jump under the mouse.

#include <cstdint>
#include <memory>

#include <QWidget>

#include "EventRouter.h"

class QLabel;
class QPushButton;

namespace tesso
{

class BindingTable;
class TrackingScrollBar;

class StandbyWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit StandbyWindow(QWidget* parent = nullptr);
    ~StandbyWindow() override;

    // "Off" for 0, otherwise the whole hours and the remaining minutes.
    static QString DelayText(std::uint32_t minutes);

    // Shows the device's delay and sends the user's scrolls through the router's driver.
    void BindTo(EventRouter& router);

    TrackingScrollBar* ScrollBar1 = nullptr;
    QLabel* Label_Low = nullptr;  // "0s"
    QLabel* Label_High = nullptr; // "4H15Min"
    QLabel* Label_STANDBY = nullptr;
    QPushButton* BtnOK = nullptr;

  private:
    std::unique_ptr<BindingTable> m_bindings;
};

} // namespace tesso
