#include "IpText.h"

#include <QByteArray>
#include <QList>

#include "NumberText.h"

namespace tesso
{

std::optional<std::array<std::int32_t, 4>> parseIpText(const QString& text)
{
    const QList<QByteArray> parts = text.toLatin1().split('.');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<std::int32_t, 4> octets{};
    for (int i = 0; i < 4; ++i) {
        const QByteArray& part = parts[i];
        const NumberScan scan = scanNumber(part.constData(), part.constData() + part.size());
        // An octet is 0..255: a negative part would go out as a huge unsigned number.
        if (!scan.complete || scan.value < 0 || scan.value > 255)
            return std::nullopt;
        octets[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(scan.value);
    }
    return octets;
}

std::optional<QString> canonicalIpText(const QString& text)
{
    const auto octets = parseIpText(text);
    if (!octets)
        return std::nullopt;
    return QStringLiteral("%1.%2.%3.%4")
        .arg((*octets)[0])
        .arg((*octets)[1])
        .arg((*octets)[2])
        .arg((*octets)[3]);
}

QString canonicalOrAsTyped(const QString& text)
{
    return canonicalIpText(text).value_or(text);
}

QString maskText(unsigned hostBits)
{
    const std::uint32_t mask = ~std::uint32_t(0) << hostBits;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mask >> 24)
        .arg((mask >> 16) & 0xFFu)
        .arg((mask >> 8) & 0xFFu)
        .arg(mask & 0xFFu);
}

std::uint32_t hostBitsOfMask(const std::array<std::int32_t, 4>& o)
{
    const std::uint32_t mask = (std::uint32_t(o[0]) << 24) | (std::uint32_t(o[1]) << 16) |
                               (std::uint32_t(o[2]) << 8) | std::uint32_t(o[3]);
    std::uint32_t host = ~mask;
    std::uint32_t bits = 0;
    while (host != 0) {
        host >>= 1;
        ++bits;
    }
    return bits;
}

} // namespace tesso
