#include "Unit_Standby.h"

#include "Constante.h"

TForm_Standby::TForm_Standby(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form_Standby"));
    setWindowTitle(QString(Constante::CaptionStandby));
    resize(300, 110);
}
