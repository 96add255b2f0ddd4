#pragma once
// C-style escapes in a command-line text: \r \n \\ and \xHH (two hexadecimal digits).

#include <QByteArray>
#include <QString>

namespace tesso
{

class EscapeText
{
  public:
    // Decodes text; on a malformed escape returns false and says why in error.
    static bool decode(const QByteArray& text, QByteArray& bytes, QString& error);
};

} // namespace tesso
