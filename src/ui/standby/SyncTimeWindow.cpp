#include "SyncTimeWindow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

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

    ScrollBar_Sync_Time = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar_Sync_Time->setObjectName(QStringLiteral("ScrollBar_Sync_Time"));
    const tesso::ValueRange delay = tesso::variableRange(_OSYNCTIME);
    ScrollBar_Sync_Time->setRange(static_cast<int>(delay.minimum), static_cast<int>(delay.maximum));
    ScrollBar_Sync_Time->setValue(15);
    ScrollBar_Sync_Time->setAccessibleName(QString(Texts::CaptionBlackDelay));
    ScrollBar_Sync_Time->setMinimumWidth(fontMetrics().averageCharWidth() * 24);

    Edit_Sync_Time = new QLineEdit(this);
    Edit_Sync_Time->setObjectName(QStringLiteral("Edit_Sync_Time"));
    Edit_Sync_Time->setAccessibleName(QString(Texts::CaptionBlackDelay) + QStringLiteral(" value"));
    // Room for a few digits, no more: the delay is a number of seconds.
    QStyleOptionFrame frame;
    frame.initFrom(Edit_Sync_Time);
    const QSize digits(Edit_Sync_Time->fontMetrics().horizontalAdvance(QString(6, QLatin1Char('0'))),
                       Edit_Sync_Time->fontMetrics().height());
    Edit_Sync_Time->setMaximumWidth(
        Edit_Sync_Time->style()
            ->sizeFromContents(QStyle::CT_LineEdit, &frame, digits, Edit_Sync_Time)
            .width());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 6, 6, 6);
    row->addWidget(ScrollBar_Sync_Time, 1);
    row->addWidget(Edit_Sync_Time);

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
}

} // namespace tesso
