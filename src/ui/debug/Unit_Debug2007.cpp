#include "Unit_Debug2007.h"

#include "Constante.h"

TForm_Debug2007::TForm_Debug2007(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form_Debug2007"));
    setWindowTitle(QString(Constante::CaptionDebug));
    resize(640, 480);
}
