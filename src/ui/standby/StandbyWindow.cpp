#include "StandbyWindow.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "ErrorReport.h"
#include "TextFormat.h"
#include "Texts.h"
#include "TrackingScrollBar.h"

namespace tesso
{

StandbyWindow::StandbyWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form_Standby"));
    setWindowTitle(QString(Texts::CaptionStandby));
    setFixedSize(300, 110);

    Label_STANDBY = new QLabel(QString(Texts::Off), this);
    Label_STANDBY->setObjectName(QStringLiteral("Label_STANDBY"));
    Label_STANDBY->setAlignment(Qt::AlignCenter);
    Label_STANDBY->setGeometry(8, 6, 284, 18);

    ScrollBar1 = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(0, 255);
    ScrollBar1->setGeometry(8, 28, 284, 18);

    Label_Low = new QLabel(QString(Texts::StandbyDelayLow), this);
    Label_Low->setGeometry(8, 48, 60, 16);
    Label_High = new QLabel(QString(Texts::StandbyDelayHigh), this);
    Label_High->setAlignment(Qt::AlignRight);
    Label_High->setGeometry(232, 48, 60, 16);

    BtnOK = new QPushButton(QString(Texts::OkUpper), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(112, 74, 75, 25);

    auto send = [this] { tesso::guarded([this] { sendScrolledStandbyTime(ScrollBar1->sliderPosition()); }); };
    connect(ScrollBar1, &QAbstractSlider::actionTriggered, this, send);
    connect(ScrollBar1, &TrackingScrollBar::scrollEnded, this, send);
    connect(BtnOK, &QPushButton::clicked, this, [this] { hide(); });
}

QString StandbyWindow::DelayText(std::uint32_t minutes)
{
    if (minutes == 0)
        return QString(Texts::Off);
    return TextFormat::Format(Texts::StandbyDelayFormat,
                              {QString::number(minutes / 60), QString::number(minutes % 60)});
}

void StandbyWindow::BindTo(EventRouter& router)
{
    m_router = &router;
    m_subscription = router.subscribe(_STBTIME, [this] { showStandbyTime(); });
}

void StandbyWindow::sendScrolledStandbyTime(int position)
{
    if (DeviceDriver* driver = m_router ? m_router->driver() : nullptr)
        driver->setSTBTIME(static_cast<std::uint32_t>(std::max(position, 0)));
}

bool StandbyWindow::Dragging() const
{
    return ScrollBar1->isSliderDown();
}

void StandbyWindow::showStandbyTime()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const std::uint32_t minutes = driver->STBTIME();
    Label_STANDBY->setText(DelayText(minutes));
    if (Dragging())
        return;
    const QSignalBlocker blocker(ScrollBar1);
    ScrollBar1->setValue(static_cast<int>(std::min<std::uint32_t>(minutes, 255)));
}

} // namespace tesso
