#pragma once
// SyncTimeWindow: the black delay window ("Black Delay"). The main window makes itself its parent
// so that it appears inside the main window. Its scroll bar and its number field set the device's
// black delay (OSYNCTIME) to any value of its range; both show the value the device reports. The
// end of a scroll closes the window.

#include <memory>

#include <QFrame>

#include "EventRouter.h"

class QLineEdit;

namespace tesso
{

class BindingTable;
class TrackingScrollBar;

class SyncTimeWindow : public QFrame
{
    Q_OBJECT

  public:
    explicit SyncTimeWindow(QWidget* parent = nullptr);
    ~SyncTimeWindow() override;

    // A scroll action sends the position, the end of a scroll sends it too; Enter sends a number
    // of the scroll bar's range, and the mirrored value again for any other number, so that the
    // device reports it and the field shows it; other text is refused.
    void BindTo(EventRouter& router);

    // Shows the window with its top left corner at a point of its parent.
    void OpenAt(const QPoint& topLeft);

    TrackingScrollBar* ScrollBar_Sync_Time = nullptr;
    QLineEdit* Edit_Sync_Time = nullptr;

  private:
    std::unique_ptr<BindingTable> m_bindings;
};

} // namespace tesso
