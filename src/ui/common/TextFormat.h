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
// A caption as shown or spoken: "&&" is one "&", a single "&" marks the access key and goes.
QString WithoutAccessMarks(const QString& caption);
// A text to show as a caption as it is: each "&" doubled, so that none becomes an access key.
QString AsCaption(QString text);

} // namespace TextFormat

} // namespace tesso
