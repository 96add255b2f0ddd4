#pragma once
// "Open another device": the profiles with the link each one uses, and a field for a new
// profile's name. The dialog only chooses a name; the caller starts a window for it.

#include <optional>

#include <QDialog>

#include "ConnectionSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tesso
{

class ProfileStore;

class OpenDeviceDialog : public QDialog
{
    Q_OBJECT

  public:
    explicit OpenDeviceDialog(QWidget* parent = nullptr);

    // The link as the list shows it: "COM3", "TCP 192.168.0.10:10500", "UDP ...".
    static QString LinkText(const ConnectionValues& values);

    // Lists the store's profiles, each with the link its connection file holds.
    void fill(const ProfileStore& store);
    // A typed name wins over the selected row; empty when there is neither.
    QString chosenName() const;
    // Shows the store's profiles modally; the chosen name, or nothing for Cancel.
    std::optional<QString> Execute(const ProfileStore& store);

    QTreeWidget* ListProfiles = nullptr;
    QLineEdit* EditNewName = nullptr;
    QLabel* LblProblem = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

  public slots:
    // Closes only on a name that can be a profile's; otherwise says why and stays.
    void accept() override;
};

} // namespace tesso
