#pragma once
// Fills the "%s" and "%d" placeholders of the program's fixed formats (Texts.h) in order, so
// that the formats can be kept exactly as written. "%%" gives one "%".

#include <QString>
#include <QStringList>

namespace tesso
{

namespace TextFormat
{

QString Format(QLatin1String format, const QStringList& arguments);
QString Format(QLatin1String format, int value);

} // namespace TextFormat

} // namespace tesso
