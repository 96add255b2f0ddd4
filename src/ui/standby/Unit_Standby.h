#pragma once
// TForm_Standby: the standby delay window ("Stand by", tool window without close box). Its scroll
// bar sets the device's standby delay (STBTIME, minutes) and its label shows the delay the device
// reports. While the user holds the thumb the device's echoes change the label only, so that the
// thumb does not jump under the mouse.

#include <cstdint>

#include <QWidget>

#include "EventRouter.h"

class QLabel;
class QPushButton;
class TTrackingScrollBar;

class TForm_Standby : public QWidget
{
    Q_OBJECT

  public:
    explicit TForm_Standby(QWidget* parent = nullptr);

    // "Off" for 0, otherwise the whole hours and the remaining minutes.
    static QString DelayText(std::uint32_t minutes);

    // Shows the device's delay and sends the user's choices through the router's driver.
    void BindTo(TEventRouter& router);

    // Every scroll action and the end of a scroll send the scroll bar's position.
    void ScrollBar1Scroll(int position);
    void DriverSTBTIMEChange();
    // The user holds the thumb: the scroll bar's own state, so that it cannot be left set.
    bool Dragging() const;

    TTrackingScrollBar* ScrollBar1 = nullptr;
    QLabel* Label_Low = nullptr;  // "0s"
    QLabel* Label_High = nullptr; // "4H15Min"
    QLabel* Label_STANDBY = nullptr;
    QPushButton* BtnOK = nullptr;

  private:
    TEventRouter* m_router = nullptr;
    TSubscription m_subscription;
};
