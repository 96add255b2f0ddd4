#pragma once
// "Share device": whether other programs may use the device through this window's link, and where
// they connect (a listen address and port; the allowed clients for an address beyond loopback).
// The dialog only edits the values; the caller starts or stops the hub with them.

#include <QDialog>

#include "ConnectionSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tesso
{

class ShareDeviceDialog : public QDialog
{
    Q_OBJECT

  public:
    explicit ShareDeviceDialog(QWidget* parent = nullptr);

    void setValues(const HubValues& values);
    HubValues values() const;

    // Shows the values modally; true for OK.
    bool Execute(const HubValues& values);

    QCheckBox* CheckShare = nullptr;
    QLineEdit* EditAddress = nullptr;
    QSpinBox* EditPort = nullptr;
    QLineEdit* EditAllowed = nullptr;
    QLabel* LblAllowedHint = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

  private:
    void enableFields();
};

} // namespace tesso
