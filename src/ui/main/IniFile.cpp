#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace
{

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString decode(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (utf8.hasError())
        text = QString::fromLatin1(body);
    return text;
}

bool needsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (value.front().isSpace() || value.back().isSpace())
        return true;
    return value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
}

QString encodeValue(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    if (needsQuotes(value))
        return u'"' + value + u'"';
    return value;
}

QString decodeValue(const QString& raw)
{
    QString value = raw.trimmed();
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

bool IniFile::load(const QString& fileName)
{
    m_sections.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Settings files are a few hundred bytes; a huge file is not ours and is not read whole.
    constexpr qint64 limit = 1 << 20;
    parse(file.read(limit));
    return true;
}

void IniFile::parse(const QByteArray& bytes)
{
    m_sections.clear();
    const QString text = decode(bytes);
    Section* current = nullptr;
    for (QStringView rawLine : QStringView(text).split(u'\n')) {
        const QString line = rawLine.trimmed().toString();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const int close = line.indexOf(u']');
            if (close < 0)
                continue;
            const QString name = line.mid(1, close - 1).trimmed();
            current = findSection(name);
            if (!current) {
                m_sections.push_back(Section{name, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const int equals = line.indexOf(u'=');
        if (equals <= 0 || !current)
            continue;
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty())
            continue;
        setValue(current->name, key, decodeValue(line.mid(equals + 1)));
        current = findSection(current->name); // setValue may have moved the sections
    }
}

QByteArray IniFile::serialize() const
{
    QString text;
    for (const Section& section : m_sections) {
        text += u'[' + section.name + QStringLiteral("]\n");
        for (const auto& [key, value] : section.entries)
            text += key + u'=' + encodeValue(value) + u'\n';
    }
    return text.toUtf8();
}

bool IniFile::save(const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serialize();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const auto& [k, v] : s->entries)
        if (sameName(k, key))
            return v;
    return std::nullopt;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int number = text->toInt(&ok, 10);
    return ok ? number : fallback;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& text)
{
    Section* s = findSection(section);
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
    }
    for (auto& entry : s->entries) {
        if (sameName(entry.first, key)) {
            entry.second = text;
            return;
        }
    }
    s->entries.emplace_back(key, text);
}

void IniFile::setInteger(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

IniFile::Section* IniFile::findSection(const QString& name)
{
    for (Section& s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    for (const Section& s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}
