#pragma once
// The link the driver uses: chosen in the serial-port menu (a COM port, a port present by its
// device path, or "LAN/Setup" with the network link dialog), read from the connection settings
// file at start-up and written back on exit. The device network settings dialog is opened from
// here too.

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace tesso
{

class ConnectionSettings;
class IpConfigDialog;
class MainMenus;
class DeviceDriver;
class Rs232LanDialog;
class SerialPortItems;
class UserPrompts;

class ConnectionMenu : public QObject
{
    Q_OBJECT

  public:
    ConnectionMenu(DeviceDriver& driver, MainMenus& menus, const ConnectionSettings& files,
                   UserPrompts& prompts, QWidget* window);

    void setDialogs(IpConfigDialog* network, Rs232LanDialog* device);

    void useComPort(int n);
    // A serial device by its path (a port present, from the menu's list).
    void useSerialDevice(const QString& path);
    void openIpConfig();
    void openDeviceLanSetup();

    // The file's settings to the driver and the menu ("Select port" on a first run, with the
    // ports present to choose from). A saved device that is not there is reported, and the COM
    // port of the file is used meanwhile.
    void Load();
    // The menu's choice and the driver's settings to the file; a failure is not worth stopping
    // the exit for. Over a network link, or a COM port used while the saved device was missing,
    // the file keeps the serial port chosen last.
    void Save() const;

    // The model last identified on the link, kept in the file only when keepLastModel is on (a
    // profile's file; the default file stays as it always was).
    void setLastModel(const QString& model) { m_lastModel = model; }
    void keepLastModel(bool keep) { m_keepLastModel = keep; }

    // The link as the status bar names it; a network link with the address and port as they are
    // typed in the network dialog.
    QString LinkText() const;

  signals:
    // After every change of the link (the status bar shows it).
    void linkChanged();

  private:
    void selectComItem(int n);
    // The first run's question; the device path chosen, empty for COM1.
    QString askFirstPort();

    DeviceDriver& m_driver;
    MainMenus& m_menus;
    const ConnectionSettings& m_files;
    UserPrompts& m_prompts;
    QWidget* m_window;
    IpConfigDialog* m_network = nullptr;
    Rs232LanDialog* m_device = nullptr;
    QAction* m_choice = nullptr; // the serial-port menu item in force
    int m_comIndex = 0;          // the COM port last in force (0 = COM1), kept during a network link
    QString m_serialDevice;      // the serial device chosen by its path (empty: a COM port)
    SerialPortItems* m_ports = nullptr;
    QString m_lastModel;
    bool m_keepLastModel = false;
};

} // namespace tesso
