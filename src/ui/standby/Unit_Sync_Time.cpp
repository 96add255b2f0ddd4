#include "Unit_Sync_Time.h"

#include "Constante.h"

TForm_Sync_Time::TForm_Sync_Time(QWidget* parent) : QFrame(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_Sync_Time"));
    setWindowTitle(QString(Constante::CaptionBlackDelay));
    setFrameShape(QFrame::WinPanel);
    resize(220, 60);
}
