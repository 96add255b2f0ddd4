#include "Debug2007Ini.h"

#include <QHash>
#include <QStringDecoder>

#include "NumberText.h"

namespace tesso
{

namespace
{

const QLatin1String CrLf("\r\n");

QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The value of the first line with each name; names compare without regard to case.
QHash<QString, QString> firstValues(const QString& text)
{
    QHash<QString, QString> values;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QString line = text.mid(start, end - start);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            const QString name = line.left(equals).toLower();
            if (!values.contains(name))
                values.insert(name, line.mid(equals + 1));
        }
        if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return values;
}

QString withoutLineEnds(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

} // namespace

QByteArray Debug2007Ini::Serialize(const Content& content)
{
    QString text;
    for (int n = 0; n < ButtonCount; ++n) {
        const Button& b = content.buttons[static_cast<std::size_t>(n)];
        text +=
            QString::number(n) + QLatin1Char('=') + b.Descriptor + QLatin1Char(';') + b.StringToSend + CrLf;
    }
    for (int i = 0; i < EntryCount; ++i)
        text += QStringLiteral("Checked%1=%2")
                    .arg(i)
                    .arg(content.checked[static_cast<std::size_t>(i)] ? QStringLiteral("True")
                                                                      : QStringLiteral("False")) +
                CrLf;
    const auto bound = [&](const char* name, const std::optional<int>& v) {
        text += QLatin1String(name) + QLatin1Char('=') + QString::number(v.value_or(0)) + CrLf;
    };
    bound("Top", content.top);
    bound("Left", content.left);
    bound("SizeW", content.width);
    bound("SizeH", content.height);
    return text.toUtf8();
}

Debug2007Ini::ReadResult Debug2007Ini::Parse(const QByteArray& bytes, Content& content)
{
    const QHash<QString, QString> values = firstValues(decode(bytes));
    ReadResult result;
    for (int n = 0; n < ButtonCount; ++n) {
        const QString value = values.value(QString::number(n));
        const qsizetype semicolon = value.indexOf(QLatin1Char(';'));
        Button& b = content.buttons[static_cast<std::size_t>(n)];
        b.Descriptor = semicolon < 0 ? value : value.left(semicolon);
        b.StringToSend = semicolon < 0 ? QString() : value.mid(semicolon + 1).remove(QLatin1Char(';'));
        ++result.buttonsRead;
    }
    for (int i = 0; i < EntryCount; ++i) {
        const auto found = values.constFind(QStringLiteral("checked%1").arg(i));
        const std::optional<bool> checked = found == values.cend() ? std::nullopt : ReadBoolean(*found);
        if (!checked) {
            result.complete = false;
            return result;
        }
        content.checked[static_cast<std::size_t>(i)] = *checked;
        ++result.checksRead;
    }
    const std::pair<const char*, std::optional<int>*> bounds[] = {{"top", &content.top},
                                                                  {"left", &content.left},
                                                                  {"sizew", &content.width},
                                                                  {"sizeh", &content.height}};
    for (const auto& [name, target] : bounds) {
        const auto found = values.constFind(QLatin1String(name));
        const std::optional<int> v = found == values.cend() ? std::nullopt : ReadInteger(*found);
        if (!v) {
            result.complete = false;
            return result;
        }
        *target = v;
    }
    return result;
}

std::optional<bool> Debug2007Ini::ReadBoolean(const QString& text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<int> number = ReadInteger(text))
        return *number != 0;
    return std::nullopt;
}

std::optional<int> Debug2007Ini::ReadInteger(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    return tesso::scanInt32(latin.constData(), latin.constData() + latin.size());
}

QString Debug2007Ini::CleanDescriptor(const QString& text)
{
    return withoutLineEnds(text).remove(QLatin1Char(';'));
}

QString Debug2007Ini::CleanStringToSend(const QString& text)
{
    return withoutLineEnds(text).remove(QLatin1Char(';'));
}

} // namespace tesso
