#pragma once
// Small pieces shared by the two connection dialogs: reading a number the way the user may type
// it, the enabled/greyed look of an edit field, the default warning box and naming a control.

#include <cstdint>
#include <optional>

#include <QColor>
#include <QString>

class QLineEdit;
class QWidget;

namespace tesso::connection
{

constexpr int MaxPort = 65535;

// A 32-bit signed integer written as the device protocol writes numbers: leading spaces, an
// optional sign, decimal digits or hexadecimal digits after "$", "x" or "0x". Anything else,
// including an empty text, trailing characters or a value beyond 32 bits, gives no value.
std::optional<std::int32_t> integerFromText(const QString& text);

// An integer from 0 to 65535, else no value.
std::optional<int> portFromText(const QString& text);

// Enables or disables the field and paints its background accordingly: the normal edit colour
// when enabled, the dialog's own (greyed) colour when disabled, so a disabled field reads as
// part of the frame.
void setFieldActive(QLineEdit* field, bool active);

// The colour a disabled field is painted with, taken from the field's palette.
QColor inactiveFieldColour(const QLineEdit* field);

// Warning box with a single OK button.
void showWarningBox(QWidget* parent, const QString& text);

// The widget, given the object name by which findChild() and the tests find it.
template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace tesso::connection
