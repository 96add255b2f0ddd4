#include "CommandFile.h"

#include <QFile>

namespace tesso
{

std::optional<QList<QByteArray>> CommandFile::Read(const QString& fileName, QString& error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > SizeLimit) {
        error = QStringLiteral("%1 is larger than %2 bytes: not sent").arg(fileName).arg(SizeLimit);
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return SplitLines(bytes);
}

QList<QByteArray> CommandFile::SplitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype i = start;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines << bytes.mid(start, i - start);
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

QByteArray CommandFile::Joined(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace tesso
