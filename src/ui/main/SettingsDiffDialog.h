#pragma once
// The differences between a settings file and the device, before a restore writes them: one row
// per setting (the setting, on the device, in the file), a note of what the file leaves out, and
// the choice to write or not.

#include <vector>

#include <QDialog>

#include "DeviceSettings.h"

class QTableWidget;

namespace tesso
{

class SettingsDiffDialog : public QDialog
{
    Q_OBJECT

  public:
    SettingsDiffDialog(const std::vector<DeviceSettings::Difference>& differences, const QString& gaps,
                       QWidget* parent = nullptr);

    QTableWidget* Table = nullptr;
};

} // namespace tesso
