#include "TextFormat.h"

namespace tesso
{

namespace TextFormat
{

QString Format(QLatin1String format, const QStringList& arguments)
{
    const QString text(format);
    QString result;
    result.reserve(text.size() + 16);
    int next = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size()) {
            const QChar kind = text.at(i + 1);
            if (kind == u'%') {
                result += u'%';
                ++i;
                continue;
            }
            if (kind == u's' || kind == u'd') {
                if (next < arguments.size())
                    result += arguments.at(next);
                ++next;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

QString Format(QLatin1String format, int value)
{
    return Format(format, QStringList{QString::number(value)});
}

QString WithoutAccessMarks(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && ++i == caption.size())
            break;
        text += caption.at(i);
    }
    return text;
}

QString AsCaption(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace TextFormat

} // namespace tesso
