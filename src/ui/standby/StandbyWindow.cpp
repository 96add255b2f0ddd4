#include "StandbyWindow.h"

#include <QLabel>
#include <QPushButton>

#include "BindingTable.h"
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
    const tesso::ValueRange delay = tesso::variableRange(_STBTIME);
    ScrollBar1->setRange(static_cast<int>(delay.minimum), static_cast<int>(delay.maximum));
    ScrollBar1->setGeometry(8, 28, 284, 18);

    Label_Low = new QLabel(QString(Texts::StandbyDelayLow), this);
    Label_Low->setGeometry(8, 48, 60, 16);
    Label_High = new QLabel(QString(Texts::StandbyDelayHigh), this);
    Label_High->setAlignment(Qt::AlignRight);
    Label_High->setGeometry(232, 48, 60, 16);

    BtnOK = new QPushButton(QString(Texts::OkUpper), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(112, 74, 75, 25);

    connect(BtnOK, &QPushButton::clicked, this, [this] { hide(); });
}

StandbyWindow::~StandbyWindow() = default;

QString StandbyWindow::DelayText(std::uint32_t minutes)
{
    if (minutes == 0)
        return QString(Texts::Off);
    return TextFormat::Format(Texts::StandbyDelayFormat,
                              {QString::number(minutes / 60), QString::number(minutes % 60)});
}

void StandbyWindow::BindTo(EventRouter& router)
{
    m_bindings = std::make_unique<BindingTable>(router);
    BindingRow row{_STBTIME, ScrollBar1, ControlKind::ScrollBar};
    row.shown = [this, &router] {
        if (const DeviceDriver* driver = router.driver())
            Label_STANDBY->setText(DelayText(driver->STBTIME()));
    };
    m_bindings->Bind(row);
}

} // namespace tesso
