#include "ConnectionFields.h"

#include <QColor>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>

#include "NumberText.h"

namespace tesso::connection
{

std::optional<std::int32_t> integerFromText(const QString& text)
{
    // Non-Latin-1 characters turn into '?', which is never a digit.
    const QByteArray bytes = text.toLatin1();
    return scanInt32(bytes.constData(), bytes.constData() + bytes.size());
}

std::optional<int> portFromText(const QString& text)
{
    const auto value = integerFromText(text);
    if (!value || *value < 0 || *value > MaxPort)
        return std::nullopt;
    return *value;
}

QColor inactiveFieldColour(const QLineEdit* field)
{
    const QWidget* frame = field->parentWidget() ? field->parentWidget() : field;
    return frame->palette().color(QPalette::Active, QPalette::Window);
}

void setFieldActive(QLineEdit* field, bool active)
{
    const QColor background = active
                                  ? field->style()->standardPalette().color(QPalette::Active, QPalette::Base)
                                  : inactiveFieldColour(field);
    QPalette palette = field->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, background);
    field->setPalette(palette);
    field->setEnabled(active);
}

void showWarningBox(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Warning"), text, QMessageBox::Ok);
}

} // namespace tesso::connection
