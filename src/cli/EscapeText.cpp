#include "EscapeText.h"

#include "NumberText.h"

namespace tesso
{

bool EscapeText::decode(const QByteArray& text, QByteArray& bytes, QString& error)
{
    bytes.clear();
    for (int i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (i + 1 >= text.size()) {
            error = QStringLiteral("the text ends with a lone backslash");
            return false;
        }
        const char kind = text[++i];
        switch (kind) {
        case 'r':
            bytes += '\r';
            break;
        case 'n':
            bytes += '\n';
            break;
        case '\\':
            bytes += '\\';
            break;
        case 'x': {
            const int high = i + 1 < text.size() ? tesso::hexDigitValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? tesso::hexDigitValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                error = QStringLiteral("\\x needs two hexadecimal digits");
                return false;
            }
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            error = QStringLiteral("unknown escape \\%1; use \\r, \\n, \\\\ or \\xHH").arg(QLatin1Char(kind));
            return false;
        }
    }
    return true;
}

} // namespace tesso
