#pragma once
// The Windows code page 1252 ("ANSI" on western Windows), in which settings files made on Windows
// are stored. Qt's own converters lack it. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) read as the control characters of the same number, as Windows reads them, so
// that any bytes read and written back are the same bytes.

#include <optional>

#include <QByteArray>
#include <QString>

namespace tesso
{

class Windows1252Codec
{
  public:
    static QString decode(QByteArrayView bytes);
    // Nothing when the text holds a character the code page has no byte for.
    static std::optional<QByteArray> encode(QStringView text);
};

} // namespace tesso
