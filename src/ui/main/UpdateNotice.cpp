#include "UpdateNotice.h"

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
    resize(504, 57);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    picture->setGeometry(8, 12, 32, 32);
    LblUpdater = new QLabel(this);
    LblUpdater->setObjectName(QStringLiteral("LblUpdater"));
    LblUpdater->setWordWrap(true);
    LblUpdater->setGeometry(48, 4, 400, 49);
    BtnOkUpdater = new QPushButton(QString(Texts::Ok), this);
    BtnOkUpdater->setObjectName(QStringLiteral("BtnOkUpdater"));
    BtnOkUpdater->setGeometry(456, 16, 40, 24);
    connect(BtnOkUpdater, &QPushButton::clicked, this,
            [this] { tesso::guarded([this] { dismissUpdateNotice(); }); });
    hide();
}

void UpdateNotice::ShowNotice(const QString& text)
{
    LblUpdater->setText(text);
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
