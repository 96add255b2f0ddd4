#include "ShareDeviceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Texts.h"

namespace tesso
{

ShareDeviceDialog::ShareDeviceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShareDeviceDialog"));
    setWindowTitle(QString(Texts::ShareDeviceCaption));
    auto* layout = new QVBoxLayout(this);
    CheckShare = new QCheckBox(QString(Texts::ShareThisDevice), this);
    CheckShare->setObjectName(QStringLiteral("CheckShare"));
    layout->addWidget(CheckShare);

    auto* form = new QFormLayout;
    EditAddress = new QLineEdit(this);
    EditAddress->setObjectName(QStringLiteral("EditAddress"));
    form->addRow(QString(Texts::ShareListenAddress), EditAddress);
    EditPort = new QSpinBox(this);
    EditPort->setObjectName(QStringLiteral("EditPort"));
    EditPort->setRange(1, 65535);
    form->addRow(QString(Texts::SharePort), EditPort);
    EditAllowed = new QLineEdit(this);
    EditAllowed->setObjectName(QStringLiteral("EditAllowed"));
    form->addRow(QString(Texts::ShareAllowedClients), EditAllowed);
    LblAllowedHint = new QLabel(QString(Texts::ShareAllowedHint), this);
    LblAllowedHint->setWordWrap(true);
    LblAllowedHint->setEnabled(false); // greyed: a hint, not a field
    form->addRow(QString(), LblAllowedHint);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    BOk = buttons->button(QDialogButtonBox::Ok);
    BCancel = buttons->button(QDialogButtonBox::Cancel);
    BOk->setText(QString(Texts::OkUpper));
    BCancel->setText(QString(Texts::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(CheckShare, &QCheckBox::toggled, this, &ShareDeviceDialog::enableFields);
    setValues(HubValues{});
    setMinimumWidth(420);
}

void ShareDeviceDialog::setValues(const HubValues& values)
{
    CheckShare->setChecked(values.Enabled);
    EditAddress->setText(values.Address);
    EditPort->setValue(values.Port);
    EditAllowed->setText(values.Allowed);
    enableFields();
}

HubValues ShareDeviceDialog::values() const
{
    HubValues v;
    v.Enabled = CheckShare->isChecked();
    v.Address = EditAddress->text().trimmed();
    v.Port = EditPort->value();
    v.Allowed = EditAllowed->text().trimmed();
    return v;
}

bool ShareDeviceDialog::Execute(const HubValues& values)
{
    setValues(values);
    return exec() == QDialog::Accepted;
}

// The place to connect to matters only while the device is shared.
void ShareDeviceDialog::enableFields()
{
    const bool on = CheckShare->isChecked();
    for (QWidget* field : {static_cast<QWidget*>(EditAddress), static_cast<QWidget*>(EditPort),
                           static_cast<QWidget*>(EditAllowed)})
        field->setEnabled(on);
}

} // namespace tesso
