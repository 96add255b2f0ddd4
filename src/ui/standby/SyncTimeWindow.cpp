#include "SyncTimeWindow.h"

#include <QLineEdit>

#include "BindingTable.h"
#include "Texts.h"
#include "TrackingScrollBar.h"

namespace tesso
{

SyncTimeWindow::SyncTimeWindow(QWidget* parent) : QFrame(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_Sync_Time"));
    setWindowTitle(QString(Texts::CaptionBlackDelay));
    setFrameShape(QFrame::WinPanel);
    resize(220, 40);

    ScrollBar_Sync_Time = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar_Sync_Time->setObjectName(QStringLiteral("ScrollBar_Sync_Time"));
    const tesso::ValueRange delay = tesso::variableRange(_OSYNCTIME);
    ScrollBar_Sync_Time->setRange(static_cast<int>(delay.minimum), static_cast<int>(delay.maximum));
    ScrollBar_Sync_Time->setValue(15);
    ScrollBar_Sync_Time->setGeometry(6, 10, 150, 18);

    Edit_Sync_Time = new QLineEdit(this);
    Edit_Sync_Time->setObjectName(QStringLiteral("Edit_Sync_Time"));
    Edit_Sync_Time->setGeometry(162, 7, 50, EditHeight);

    connect(ScrollBar_Sync_Time, &TrackingScrollBar::scrollEnded, this, &QWidget::hide);
}

SyncTimeWindow::~SyncTimeWindow() = default;

void SyncTimeWindow::BindTo(EventRouter& router)
{
    m_bindings = std::make_unique<BindingTable>(router);
    BindingRow row{_OSYNCTIME, ScrollBar_Sync_Time, ControlKind::ScrollBar};
    row.edit = Edit_Sync_Time;
    m_bindings->Bind(row);
}

void SyncTimeWindow::OpenAt(const QPoint& topLeft)
{
    move(topLeft);
    show();
    raise();
    Edit_Sync_Time->setFixedHeight(EditHeight);
}

} // namespace tesso
