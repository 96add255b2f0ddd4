#pragma once
// SyncTimeWindow: the black delay window ("Black Delay"). The main window makes itself its parent
// so that it appears inside the main window. Its scroll bar and its number field set the device's
// black delay (OSYNCTIME) to any value of 0..30; the field shows the value the device reports.

#include <QFrame>

#include "EventRouter.h"

class QLineEdit;

namespace tesso
{

class TrackingScrollBar;

class SyncTimeWindow : public QFrame
{
    Q_OBJECT

  public:
    static constexpr int EditHeight = 25;

    explicit SyncTimeWindow(QWidget* parent = nullptr);

    void BindTo(EventRouter& router);

    // Shows the window with its top left corner at a point of its parent.
    void OpenAt(const QPoint& topLeft);

    // A scroll action sends the position; the end of the scroll sends it and closes the window.
    void sendScrolledSyncTime(int position, bool endOfScroll);
    // Enter: a number of the scroll bar's range is sent; any other number sends the mirrored value
    // again, so that the device reports it and the field shows it; other text is refused.
    void sendTypedSyncTime();
    void showSyncTime();

    TrackingScrollBar* ScrollBar_Sync_Time = nullptr;
    QLineEdit* Edit_Sync_Time = nullptr;

  private:
    DeviceDriver* driver() const { return m_router ? m_router->driver() : nullptr; }

    EventRouter* m_router = nullptr;
    Subscription m_subscription;
};

} // namespace tesso
