#pragma once
// A text file of commands for the file send, read as bytes: what the file holds goes to the
// device unchanged, line by line. Lines end at CR LF, LF or a lone CR; only a real line end is
// skipped, and a leading UTF-8 byte-order mark is dropped.

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

namespace tesso
{

class CommandFile
{
  public:
    // A command file is small; a larger one is refused rather than held in memory.
    static constexpr qint64 SizeLimit = 4 << 20;

    // The file's lines, or nothing with the reason in error.
    static std::optional<QList<QByteArray>> Read(const QString& fileName, QString& error);

    static QList<QByteArray> SplitLines(const QByteArray& bytes);
    // The lines each followed by CR LF: what the send counts its progress in.
    static QByteArray Joined(const QList<QByteArray>& lines);
};

} // namespace tesso
