#include "BoxCaption.h"

#include <QCoreApplication>
#include <QVariant>

#include "Constante.h"

QString BoxCaption()
{
    const QVariant title = qApp ? qApp->property("ApplicationTitle") : QVariant();
    return title.isValid() ? title.toString() : QString(Constante::ApplicationTitle);
}
