#include "InputSettingsRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVariant>

#include "CompactCombo.h"
#include "ErrorReport.h"

namespace tesso
{

namespace
{
const char* const kTagProperty = "Tag";
} // namespace

InputSettingsRow::InputSettingsRow(QWidget* parent) : QWidget(parent)
{
    Lbl = new QLabel(this);

    ChkUsed = new QCheckBox(this);
    // Starts in use, so that box and row agree before the device reports.
    ChkUsed->setChecked(true);

    ChkVCR = new QCheckBox(this);

    CboSignalType = new QComboBox(this);
    CboSignalType->setMaxVisibleItems(16);

    CboStandard = new QComboBox(this);

    SmallCombo_REFASP = new CompactCombo(this);
    SmallCombo_REFASP->setBorderStyle(CompactCombo::BorderStyle::bsSingle);
    SmallCombo_REFASP->setItemIndex(-1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(ColumnSpacing);
    for (QWidget* column : columns()) {
        QSizePolicy policy = column->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        column->setSizePolicy(policy);
        row->addWidget(column);
    }
    row->addStretch(1);

    connect(ChkUsed, &QCheckBox::toggled, this, [this] { tesso::guarded([this] { applyUsedState(); }); });
    setTag(0);
}

std::array<QWidget*, InputSettingsRow::ColumnCount> InputSettingsRow::columns() const
{
    return {Lbl, ChkUsed, ChkVCR, CboSignalType, CboStandard, SmallCombo_REFASP};
}

void InputSettingsRow::setTag(int inputNumber)
{
    const QVariant tag(inputNumber);
    for (QObject* o :
         {static_cast<QObject*>(this), static_cast<QObject*>(Lbl), static_cast<QObject*>(ChkUsed),
          static_cast<QObject*>(ChkVCR), static_cast<QObject*>(CboSignalType),
          static_cast<QObject*>(CboStandard), static_cast<QObject*>(SmallCombo_REFASP)})
        o->setProperty(kTagProperty, tag);
    const QString input = QStringLiteral("Input %1 ").arg(inputNumber);
    ChkUsed->setAccessibleName(input + QStringLiteral("used"));
    ChkVCR->setAccessibleName(input + QStringLiteral("VCR"));
    CboSignalType->setAccessibleName(input + QStringLiteral("signal type"));
    CboStandard->setAccessibleName(input + QStringLiteral("standard"));
    SmallCombo_REFASP->setAccessibleName(input + QStringLiteral("reference aspect ratio"));
}

int InputSettingsRow::Tag() const
{
    return property(kTagProperty).toInt();
}

void InputSettingsRow::applyUsedState()
{
    const bool used = ChkUsed->isChecked();
    Lbl->setEnabled(used);
    ChkVCR->setEnabled(used);
    CboSignalType->setEnabled(used);
    CboStandard->setEnabled(used);
}

} // namespace tesso
