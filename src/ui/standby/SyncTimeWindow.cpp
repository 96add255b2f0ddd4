#include "SyncTimeWindow.h"

#include <algorithm>
#include <optional>

#include <QLineEdit>
#include <QSignalBlocker>

#include "ErrorReport.h"
#include "NumberText.h"
#include "TextFormat.h"
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
    ScrollBar_Sync_Time->setRange(0, 30);
    ScrollBar_Sync_Time->setValue(15);
    ScrollBar_Sync_Time->setGeometry(6, 10, 150, 18);

    Edit_Sync_Time = new QLineEdit(this);
    Edit_Sync_Time->setObjectName(QStringLiteral("Edit_Sync_Time"));
    Edit_Sync_Time->setGeometry(162, 7, 50, EditHeight);

    connect(ScrollBar_Sync_Time, &QAbstractSlider::actionTriggered, this, [this] {
        tesso::guarded([this] { sendScrolledSyncTime(ScrollBar_Sync_Time->sliderPosition(), false); });
    });
    connect(ScrollBar_Sync_Time, &TrackingScrollBar::scrollEnded, this,
            [this] { tesso::guarded([this] { sendScrolledSyncTime(ScrollBar_Sync_Time->value(), true); }); });
    connect(Edit_Sync_Time, &QLineEdit::returnPressed, this,
            [this] { tesso::guarded([this] { sendTypedSyncTime(); }); });
}

void SyncTimeWindow::BindTo(EventRouter& router)
{
    m_router = &router;
    m_subscription = router.subscribe(_OSYNCTIME, [this] { showSyncTime(); });
}

void SyncTimeWindow::OpenAt(const QPoint& topLeft)
{
    move(topLeft);
    show();
    raise();
    Edit_Sync_Time->setFixedHeight(EditHeight);
}

void SyncTimeWindow::sendScrolledSyncTime(int position, bool endOfScroll)
{
    if (DeviceDriver* d = driver())
        d->setOSYNCTIME(static_cast<std::uint32_t>(std::max(position, 0)));
    if (endOfScroll)
        hide();
}

void SyncTimeWindow::sendTypedSyncTime()
{
    DeviceDriver* d = driver();
    if (!d)
        return;
    const QString text = Edit_Sync_Time->text();
    const QByteArray bytes = text.trimmed().toLatin1();
    const std::optional<std::int32_t> typed =
        tesso::scanInt32(bytes.constData(), bytes.constData() + bytes.size());
    if (!typed) {
        tesso::reportError(TextFormat::Format(Texts::NotAValidInteger, QStringList{text}));
        return;
    }
    const bool inRange = *typed >= ScrollBar_Sync_Time->minimum() && *typed <= ScrollBar_Sync_Time->maximum();
    d->setOSYNCTIME(inRange ? static_cast<std::uint32_t>(*typed) : d->OSYNCTIME());
}

void SyncTimeWindow::showSyncTime()
{
    if (const DeviceDriver* d = driver()) {
        const QSignalBlocker blocker(Edit_Sync_Time);
        Edit_Sync_Time->setText(QString::number(d->OSYNCTIME()));
    }
}

} // namespace tesso
