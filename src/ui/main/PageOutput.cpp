#include "PageOutput.h"

#include <QLabel>

#include "Constante.h"
#include "RadioGroup.h"

TPageOutput::TPageOutput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Output"));
    RdoOutputSync = new TRadioGroup(QString(Constante::OutputSync), this);
    RdoOutputSync->setObjectName(QStringLiteral("RdoOutputSync"));
    RdoOutputSync->setGeometry(8, 120, 180, 90);

    LblOutputNotAvailableComputerInput =
        new QLabel(QString(Constante::OutputNotAvailableComputerInput), this);
    LblOutputNotAvailableComputerInput->setObjectName(QStringLiteral("LblOutputNotAvailableComputerInput"));
    LblOutputNotAvailableComputerInput->adjustSize();
    LblOutputNotAvailableComputerInput->hide();
}
