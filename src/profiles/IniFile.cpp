#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include "Windows1252Codec.h"

namespace tesso
{

namespace
{

// Section and key names compare without regard to case.
QString folded(const QString& name)
{
    return name.toCaseFolded();
}

const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The text and how it was stored. The line ends are those of the first line.
QString decode(const QByteArray& bytes, IniFile::TextForm& form)
{
    form = IniFile::TextForm{};
    QByteArrayView body = bytes;
    if (body.startsWith(ByteOrderMark)) {
        form.byteOrderMark = true;
        body = body.sliced(ByteOrderMark.size());
    }
    const qsizetype lineEnd = body.indexOf('\n');
    form.crlf = lineEnd > 0 && body[lineEnd - 1] == '\r';
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(body);
    if (utf8.hasError()) {
        // Not UTF-8: a file made on Windows, in its code page.
        form.windows1252 = true;
        text = Windows1252Codec::decode(body);
    }
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

IniFile::LoadResult IniFile::load(const QString& fileName)
{
    m_sections.clear();
    m_sectionIndex.clear();
    QFile file(fileName);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    const QByteArray bytes = file.read(ReadLimit + 1);
    if (bytes.size() > ReadLimit) {
        parse(bytes.left(ReadLimit));
        return LoadResult::TooLarge;
    }
    parse(bytes);
    return LoadResult::Read;
}

void IniFile::parse(const QByteArray& bytes)
{
    m_sections.clear();
    m_sectionIndex.clear();
    const QString text = decode(bytes, m_form);
    Section* current = nullptr;
    for (QStringView rawLine : QStringView(text).split(u'\n')) {
        const QString line = rawLine.trimmed().toString();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const int close = line.indexOf(u']');
            if (close < 0)
                continue;
            current = &sectionNamed(line.mid(1, close - 1).trimmed());
            continue;
        }
        const int equals = line.indexOf(u'=');
        if (equals <= 0 || !current)
            continue;
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty())
            continue;
        setEntry(*current, key, decodeValue(line.mid(equals + 1)));
    }
}

QByteArray IniFile::serialize() const
{
    const QString lineEnd = m_form.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const Section& section : m_sections) {
        text += u'[' + section.name + u']' + lineEnd;
        for (const auto& [key, value] : section.entries)
            text += key + u'=' + encodeValue(value) + lineEnd;
    }
    if (m_form.windows1252)
        if (std::optional<QByteArray> bytes = Windows1252Codec::encode(text))
            return (m_form.byteOrderMark ? ByteOrderMark : QByteArray()) + *bytes;
    return (m_form.byteOrderMark ? ByteOrderMark : QByteArray()) + text.toUtf8();
}

bool IniFile::sameContent(const IniFile& file) const
{
    if (file.m_sections.size() != m_sections.size())
        return false;
    for (const Section& mine : m_sections) {
        const Section* theirs = file.findSection(mine.name);
        if (!theirs || theirs->entries.size() != mine.entries.size())
            return false;
        for (const auto& [key, value] : mine.entries) {
            const auto found = theirs->index.constFind(folded(key));
            // Compared as it would read back: one line, without outer quotes.
            if (found == theirs->index.cend() ||
                theirs->entries[*found].second != decodeValue(encodeValue(value)))
                return false;
        }
    }
    return true;
}

bool IniFile::save(const QString& fileName) const
{
    IniFile current;
    const LoadResult found = current.load(fileName);
    if (found == LoadResult::TooLarge)
        return false;
    if (found == LoadResult::Read && sameContent(current))
        return true;
    IniFile written = *this;
    written.m_form = found == LoadResult::Read ? current.m_form : m_form;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = written.serialize();
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
    const auto found = s->index.constFind(folded(key));
    if (found == s->index.cend())
        return std::nullopt;
    return s->entries[*found].second;
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
    setEntry(sectionNamed(section), key, text);
}

IniFile::Section& IniFile::sectionNamed(const QString& name)
{
    const QString key = folded(name);
    const auto found = m_sectionIndex.constFind(key);
    if (found != m_sectionIndex.cend())
        return m_sections[*found];
    m_sectionIndex.insert(key, m_sections.size());
    m_sections.push_back(Section{name, {}, {}});
    return m_sections.back();
}

void IniFile::setEntry(Section& section, const QString& key, const QString& text)
{
    const QString k = folded(key);
    const auto found = section.index.constFind(k);
    if (found != section.index.cend()) {
        section.entries[*found].second = text;
        return;
    }
    section.index.insert(k, section.entries.size());
    section.entries.emplace_back(key, text);
}

void IniFile::setInteger(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    const auto found = m_sectionIndex.constFind(folded(name));
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[*found];
}

} // namespace tesso
