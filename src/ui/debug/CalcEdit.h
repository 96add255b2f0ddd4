#pragma once
// The calculator's rules without its widgets: what an edit of one row (decimal, binary,
// hexadecimal) makes of the three rows, and what each keypad key does in which row. Values run
// in unsigned 64-bit; a value that does not fit, or a text that is not a number, gives 0 in the
// rows computed from it.

#include <array>
#include <optional>

#include <QPoint>
#include <QRect>
#include <QString>

namespace tesso
{

class CalcEdit
{
  public:
    enum Row { Decimal = 0, Binary = 1, Hexadecimal = 2 };
    using Rows = std::array<QString, 3>;
    static constexpr int KeyCount = 18;
    enum Key { Clear = 11, Backspace = 12 };

    // The value cells after the text of `row` has become `text`: the edited row may itself change
    // (a leading 0 dropped, binary characters other than 0 and 1 made 0).
    static Rows Edit(Rows rows, int row, QString text);
    // The three rows for a decimal text, as a decimal edit makes them.
    static Rows FromDecimal(const QString& decimal);

    // Key 1..18 under the point (bounds inclusive, the first hit counts), or 0.
    static int KeyAt(const QPoint& p);
    static QRect KeyRect(int key);
    static QString KeyLabel(int key);
    // Decimal: keys 1 to 12; binary: 1, 10, 11 and 12; hexadecimal: all.
    static bool Usable(int key, int row);
    // The row's text after the key; nothing when the key is not usable there.
    static std::optional<QString> Press(int key, int row, const QString& text);
};

} // namespace tesso
