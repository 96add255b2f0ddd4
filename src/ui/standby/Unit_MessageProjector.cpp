#include "Unit_MessageProjector.h"

#include "Constante.h"

TForm_MessageProjector::TForm_MessageProjector(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_MessageProjector"));
    setWindowTitle(QString(Constante::CaptionMessageProjector));
    resize(360, 160);
}
