#pragma once
// What the status grid shows for the device's current values: the texts of column 1 and the fault
// marks, row by row, computed from the driver's mirror without touching any widget. A row the
// rules leave alone (a value no name stands for, a reference format with no code) comes back
// without a value, and the grid keeps what it showed.

#include <array>
#include <optional>

#include <QLocale>
#include <QString>
#include <QStringList>

namespace tesso
{

class DeviceDriver;

struct StatusGridCells {
    static constexpr int Rows = 18;
    std::array<std::optional<QString>, Rows> text{};
    std::array<std::optional<int>, Rows> mark{}; // 0 normal, -1 a fault row
};

class StatusGridRules
{
  public:
    // labelTable: "Internal Rate" at 0 and the input labels at 1..8; inputCount: the model's.
    // The numbers are written in the locale's format (its decimal separator).
    static StatusGridCells Compute(const DeviceDriver& driver, const QStringList& labelTable, int inputCount,
                                   const QLocale& locale);

    // "<value> Hz" with a number of significant digits, no trailing zeros.
    static QString Hertz(double value, int digits, const QLocale& locale);
};

} // namespace tesso
