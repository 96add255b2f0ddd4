#include "BoxCaption.h"

#include <QCoreApplication>
#include <QVariant>

#include "Texts.h"

namespace tesso
{

QString BoxCaption()
{
    const QVariant title = qApp ? qApp->property("ApplicationTitle") : QVariant();
    return title.isValid() ? title.toString() : QString(Texts::ApplicationTitle);
}

} // namespace tesso
