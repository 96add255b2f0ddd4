#include "InputSettingsRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVariant>

#include "CompactCombo.h"
#include "ErrorReport.h"
#include "LabelFont.h"

namespace tesso
{

namespace
{
const char* const kTagProperty = "Tag";
constexpr int kListHeight = 21;
constexpr int kLabelWidth = 40; // up to the first check box
} // namespace

InputSettingsRow::InputSettingsRow(QWidget* parent) : QWidget(parent)
{
    resize(FrameWidth, FrameHeight);

    Lbl = new QLabel(this);
    tesso::fitLabelFont(Lbl, QStringLiteral("Input 8"), kLabelWidth - 2);
    Lbl->setGeometry(0, 6, kLabelWidth, Lbl->sizeHint().height());

    ChkUsed = new QCheckBox(this);
    ChkUsed->setGeometry(40, 4, 15, 17);
    // Starts in use, so that box and row agree before the device reports.
    ChkUsed->setChecked(true);

    ChkVCR = new QCheckBox(this);
    ChkVCR->setGeometry(64, 4, 15, 17);

    CboSignalType = new QComboBox(this);
    CboSignalType->setGeometry(88, 0, 118, kListHeight);
    CboSignalType->setMaxVisibleItems(16);

    CboStandard = new QComboBox(this);
    CboStandard->setGeometry(224, 0, 161, kListHeight);

    SmallCombo_REFASP = new CompactCombo(this);
    SmallCombo_REFASP->setGeometry(400, 0, 145, 21);
    SmallCombo_REFASP->setBorderStyle(CompactCombo::BorderStyle::bsSingle);
    SmallCombo_REFASP->setItemIndex(-1);

    connect(ChkUsed, &QCheckBox::toggled, this, [this] { tesso::guarded([this] { applyUsedState(); }); });
    setTag(0);
}

QSize InputSettingsRow::sizeHint() const
{
    return {FrameWidth, FrameHeight};
}

void InputSettingsRow::setTag(int inputNumber)
{
    const QVariant tag(inputNumber);
    for (QObject* o :
         {static_cast<QObject*>(this), static_cast<QObject*>(Lbl), static_cast<QObject*>(ChkUsed),
          static_cast<QObject*>(ChkVCR), static_cast<QObject*>(CboSignalType),
          static_cast<QObject*>(CboStandard), static_cast<QObject*>(SmallCombo_REFASP)})
        o->setProperty(kTagProperty, tag);
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
