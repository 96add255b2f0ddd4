#include "Unit_Sync_Time.h"

#include <algorithm>
#include <optional>

#include <QLineEdit>
#include <QSignalBlocker>

#include "Constante.h"
#include "ErrorReport.h"
#include "NumberText.h"
#include "TextFormat.h"
#include "TrackingScrollBar.h"

TForm_Sync_Time::TForm_Sync_Time(QWidget* parent) : QFrame(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_Sync_Time"));
    setWindowTitle(QString(Constante::CaptionBlackDelay));
    setFrameShape(QFrame::WinPanel);
    resize(220, 40);

    ScrollBar_Sync_Time = new TTrackingScrollBar(Qt::Horizontal, this);
    ScrollBar_Sync_Time->setObjectName(QStringLiteral("ScrollBar_Sync_Time"));
    ScrollBar_Sync_Time->setRange(0, 30);
    ScrollBar_Sync_Time->setValue(15);
    ScrollBar_Sync_Time->setGeometry(6, 10, 150, 18);

    Edit_Sync_Time = new QLineEdit(this);
    Edit_Sync_Time->setObjectName(QStringLiteral("Edit_Sync_Time"));
    Edit_Sync_Time->setGeometry(162, 7, 50, EditHeight);

    connect(ScrollBar_Sync_Time, &QAbstractSlider::actionTriggered, this, [this] {
        tesso::guarded([this] { ScrollBar_Sync_TimeScroll(ScrollBar_Sync_Time->sliderPosition(), false); });
    });
    connect(ScrollBar_Sync_Time, &TTrackingScrollBar::scrollEnded, this, [this] {
        tesso::guarded([this] { ScrollBar_Sync_TimeScroll(ScrollBar_Sync_Time->value(), true); });
    });
    connect(Edit_Sync_Time, &QLineEdit::returnPressed, this,
            [this] { tesso::guarded([this] { Edit_Sync_TimeEnter(); }); });
}

void TForm_Sync_Time::BindTo(TEventRouter& router)
{
    m_router = &router;
    m_subscription = router.subscribe(_OSYNCTIME, [this] { DriverOSYNCTIMEChange(); });
}

void TForm_Sync_Time::OpenAt(const QPoint& topLeft)
{
    move(topLeft);
    show();
    raise();
    Edit_Sync_Time->setFixedHeight(EditHeight);
}

void TForm_Sync_Time::ScrollBar_Sync_TimeScroll(int position, bool endOfScroll)
{
    if (TMirex_d* d = driver())
        d->setOSYNCTIME(static_cast<std::uint32_t>(std::max(position, 0)));
    if (endOfScroll)
        hide();
}

void TForm_Sync_Time::Edit_Sync_TimeEnter()
{
    TMirex_d* d = driver();
    if (!d)
        return;
    const QString text = Edit_Sync_Time->text();
    const QByteArray bytes = text.trimmed().toLatin1();
    const std::optional<std::int32_t> typed =
        tesso::scanInt32(bytes.constData(), bytes.constData() + bytes.size());
    if (!typed) {
        tesso::reportError(TextFormat::Format(Constante::NotAValidInteger, QStringList{text}));
        return;
    }
    const bool inRange = *typed >= ScrollBar_Sync_Time->minimum() && *typed <= ScrollBar_Sync_Time->maximum();
    d->setOSYNCTIME(inRange ? static_cast<std::uint32_t>(*typed) : d->OSYNCTIME());
}

void TForm_Sync_Time::DriverOSYNCTIMEChange()
{
    if (const TMirex_d* d = driver()) {
        const QSignalBlocker blocker(Edit_Sync_Time);
        Edit_Sync_Time->setText(QString::number(d->OSYNCTIME()));
    }
}
