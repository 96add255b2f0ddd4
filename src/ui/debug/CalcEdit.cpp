#include "CalcEdit.h"

#include "DebugConversions.h"

namespace tesso
{

using namespace tesso::debug;

namespace
{

struct KeyDef {
    int left, top, right, bottom;
    char appends; // 0 for clear and backspace
};

// clang-format off
constexpr std::array<KeyDef, CalcEdit::KeyCount> Keys = {{
    {53, 97, 98, 132, '1'},    {99, 117, 144, 152, '2'},  {147, 138, 192, 173, '3'},
    {80, 71, 125, 106, '4'},   {127, 89, 172, 124, '5'},  {175, 110, 220, 145, '6'},
    {108, 47, 153, 82, '7'},   {152, 64, 197, 99, '8'},   {198, 83, 243, 118, '9'},
    {19, 123, 64, 158, '0'},   {68, 146, 113, 181, 0},    {118, 170, 163, 205, 0},
    {159, 0, 204, 35, 'A'},    {204, 16, 249, 51, 'B'},   {248, 34, 293, 69, 'C'},
    {135, 22, 180, 57, 'D'},   {175, 39, 220, 74, 'E'},   {220, 57, 265, 92, 'F'},
}};
// clang-format on

QString decimalText(const std::optional<std::uint64_t>& v)
{
    return v ? QString::number(*v) : QStringLiteral("0");
}

} // namespace

CalcEdit::Rows CalcEdit::FromDecimal(const QString& decimal)
{
    const std::optional<std::uint64_t> v = DecimalValue(decimal);
    return {decimal, v ? IntToBin(*v) : QStringLiteral("0"),
            v && *v != 0 ? HexText(*v) : QStringLiteral("0")};
}

CalcEdit::Rows CalcEdit::Edit(Rows rows, int row, QString text)
{
    if (row < Decimal || row > Hexadecimal)
        return rows;
    if (text.size() > 1 && text.startsWith(QLatin1Char('0')))
        text.remove(0, 1);
    rows[static_cast<std::size_t>(row)] = text;
    if (text.isEmpty())
        return rows;
    switch (row) {
    case Decimal:
        return FromDecimal(text);
    case Binary: {
        for (QChar& c : text)
            if (c != QLatin1Char('0') && c != QLatin1Char('1'))
                c = QLatin1Char('0');
        const std::optional<std::uint64_t> v = BinToInt(text);
        return {decimalText(v), text, v ? HexText(*v) : QStringLiteral("0")};
    }
    default: {
        const QString binary = HexToBin(text);
        return {decimalText(BinToInt(binary)), binary, text};
    }
    }
}

int CalcEdit::KeyAt(const QPoint& p)
{
    for (int key = 1; key <= KeyCount; ++key)
        if (KeyRect(key).contains(p))
            return key;
    return 0;
}

QRect CalcEdit::KeyRect(int key)
{
    if (key < 1 || key > KeyCount)
        return {};
    const KeyDef& k = Keys[static_cast<std::size_t>(key - 1)];
    return QRect(QPoint(k.left, k.top), QPoint(k.right, k.bottom));
}

QString CalcEdit::KeyLabel(int key)
{
    if (key == Clear)
        return QStringLiteral("Clr");
    if (key == Backspace)
        return QStringLiteral("<-");
    if (key < 1 || key > KeyCount)
        return {};
    return QString(QLatin1Char(Keys[static_cast<std::size_t>(key - 1)].appends));
}

bool CalcEdit::Usable(int key, int row)
{
    if (key < 1 || key > KeyCount)
        return false;
    switch (row) {
    case Decimal:
        return key <= Backspace;
    case Binary:
        return key == 1 || key == 10 || key == Clear || key == Backspace;
    case Hexadecimal:
        return true;
    default:
        return false;
    }
}

std::optional<QString> CalcEdit::Press(int key, int row, const QString& text)
{
    if (!Usable(key, row))
        return std::nullopt;
    if (key == Clear)
        return QStringLiteral("0");
    if (key == Backspace)
        return text.size() <= 1 ? QStringLiteral("0") : text.left(text.size() - 1);
    return text + QLatin1Char(Keys[static_cast<std::size_t>(key - 1)].appends);
}

} // namespace tesso
