#include "PageFrameAlert.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "Constante.h"
#include "TextFormat.h"

TPageFrameAlert::TPageFrameAlert(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_FrameAlert"));
    GrpFrameUsed = new QGroupBox(QString(Constante::UsedFrame), this);
    GrpFrameUsed->setObjectName(QStringLiteral("GrpFrameUsed"));
    GrpFrameUsed->setGeometry(8, 8, 160, 56);
    CboFrameNumber = new QComboBox(GrpFrameUsed);
    CboFrameNumber->setObjectName(QStringLiteral("CboFrameNumber"));
    CboFrameNumber->setGeometry(8, 22, 140, 24);
    GrpFrameUsed->hide();

    LblFrameNotAvailable = new QLabel(this);
    LblFrameNotAvailable->setObjectName(QStringLiteral("LblFrameNotAvailable"));
    QFont font = LblFrameNotAvailable->font();
    font.setBold(true);
    font.setItalic(true);
    LblFrameNotAvailable->setFont(font);
    LblFrameNotAvailable->setStyleSheet(QStringLiteral("color: red;"));
    LblFrameNotAvailable->setGeometry(8, 380, 560, 20);
    LblFrameNotAvailable->hide();
}

void TPageFrameAlert::FillFrameNumbers()
{
    CboFrameNumber->clear();
    for (int i = 1; i <= 10; ++i)
        CboFrameNumber->addItem(TextFormat::Format(Constante::FrameNumberFormat, i));
    CboFrameNumber->setCurrentIndex(0);
}
