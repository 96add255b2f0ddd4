#pragma once
// StandbyWindow: the standby delay window ("Stand by", tool window without close box). Its scroll
// bar sets the device's standby delay (STBTIME, minutes) and its label shows the delay the device
// reports. While the user holds the thumb the device's echoes change the label only, so that the
// thumb does not jump under the mouse.

#include <cstdint>

#include <QWidget>

#include "EventRouter.h"

class QLabel;
class QPushButton;

namespace tesso
{

class TrackingScrollBar;

class StandbyWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit StandbyWindow(QWidget* parent = nullptr);

    // "Off" for 0, otherwise the whole hours and the remaining minutes.
    static QString DelayText(std::uint32_t minutes);

    // Shows the device's delay and sends the user's choices through the router's driver.
    void BindTo(EventRouter& router);

    // Every scroll action and the end of a scroll send the scroll bar's position.
    void sendScrolledStandbyTime(int position);
    void showStandbyTime();
    // The user holds the thumb: the scroll bar's own state, so that it cannot be left set.
    bool Dragging() const;

    TrackingScrollBar* ScrollBar1 = nullptr;
    QLabel* Label_Low = nullptr;  // "0s"
    QLabel* Label_High = nullptr; // "4H15Min"
    QLabel* Label_STANDBY = nullptr;
    QPushButton* BtnOK = nullptr;

  private:
    EventRouter* m_router = nullptr;
    Subscription m_subscription;
};

} // namespace tesso
