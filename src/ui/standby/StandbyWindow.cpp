#include "StandbyWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

    Label_STANDBY = new QLabel(QString(Texts::Off), this);
    Label_STANDBY->setObjectName(QStringLiteral("Label_STANDBY"));
    Label_STANDBY->setAlignment(Qt::AlignCenter);

    ScrollBar1 = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setAccessibleName(QStringLiteral("Standby delay"));
    const tesso::ValueRange delay = tesso::variableRange(_STBTIME);
    ScrollBar1->setRange(static_cast<int>(delay.minimum), static_cast<int>(delay.maximum));
    // Long enough to pick a minute among four hours, whatever the font.
    ScrollBar1->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    Label_Low = new QLabel(QString(Texts::StandbyDelayLow), this);
    Label_High = new QLabel(QString(Texts::StandbyDelayHigh), this);
    Label_High->setAlignment(Qt::AlignRight);

    BtnOK = new QPushButton(QString(Texts::OkUpper), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));

    auto* ends = new QHBoxLayout;
    ends->addWidget(Label_Low);
    ends->addStretch();
    ends->addWidget(Label_High);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(Label_STANDBY);
    layout->addWidget(ScrollBar1);
    layout->addLayout(ends);
    layout->addWidget(BtnOK, 0, Qt::AlignHCenter);
    // A window of one purpose: it keeps the size its contents ask for.
    layout->setSizeConstraint(QLayout::SetFixedSize);

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
