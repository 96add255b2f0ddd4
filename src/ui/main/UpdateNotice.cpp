#include "UpdateNotice.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ErrorReport.h"
#include "Texts.h"

namespace tesso
{

UpdateNotice::UpdateNotice(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("PnlUpdater"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    LblUpdater = new QLabel(this);
    LblUpdater->setObjectName(QStringLiteral("LblUpdater"));
    LblUpdater->setWordWrap(true);
    BtnOkUpdater = new QPushButton(QString(Texts::Ok), this);
    BtnOkUpdater->setObjectName(QStringLiteral("BtnOkUpdater"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(8);
    row->addWidget(picture);
    row->addWidget(LblUpdater, 1);
    row->addWidget(BtnOkUpdater);
    connect(BtnOkUpdater, &QPushButton::clicked, this,
            [this] { tesso::guarded([this] { dismissUpdateNotice(); }); });
    hide();
}

void UpdateNotice::centreOver(QWidget* target)
{
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = target;
    if (m_target)
        m_target->installEventFilter(this);
    placeOverTarget();
}

void UpdateNotice::placeOverTarget()
{
    if (!m_target || !parentWidget())
        return;
    // As wide as about seventy characters, never wider than what it covers; as high as its text.
    const int wide = fontMetrics().averageCharWidth() * 70;
    const int width = std::max(minimumSizeHint().width(), std::min(wide, m_target->width() - 16));
    const int height = std::max(minimumSizeHint().height(), layout()->totalHeightForWidth(width));
    const QRect over(m_target->mapTo(parentWidget(), QPoint(0, 0)), m_target->size());
    setGeometry(
        QRect(QPoint(0, 0), QSize(width, height)).translated(over.center() - QPoint(width / 2, height / 2)));
}

bool UpdateNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeOverTarget();
    return QFrame::eventFilter(watched, event);
}

void UpdateNotice::ShowNotice(const QString& text)
{
    LblUpdater->setText(text);
    placeOverTarget();
    show();
    raise();
    m_countdown = CountdownTicks;
}

void UpdateNotice::Tick()
{
    if (!isVisibleTo(parentWidget()))
        return;
    if (m_countdown >= 1)
        --m_countdown;
    else
        hide();
}

void UpdateNotice::dismissUpdateNotice()
{
    m_countdown = 0;
    hide();
}

} // namespace tesso
