#include "PageImage.h"

#include <QLabel>

#include "Constante.h"

TPageImage::TPageImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Image"));
    LblImageNoInputSignal = new QLabel(QString(Constante::ImageNoInputSignal), this);
    LblImageNoInputSignal->setObjectName(QStringLiteral("LblImageNoInputSignal"));
    LblImageNoInputSignal->adjustSize();
    LblImageNoInputSignal->hide();

    LblImageNotAvailableComputerInput = new QLabel(QString(Constante::ImageNotAvailableComputerInput), this);
    LblImageNotAvailableComputerInput->setObjectName(QStringLiteral("LblImageNotAvailableComputerInput"));
    LblImageNotAvailableComputerInput->adjustSize();
    LblImageNotAvailableComputerInput->hide();
}
