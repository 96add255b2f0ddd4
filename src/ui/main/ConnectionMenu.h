#pragma once
// The link the driver uses: chosen in the serial-port menu (a COM port, or "LAN/Setup" with the
// network link dialog), read from the connection settings file at start-up and written back on
// exit. The device network settings dialog is opened from here too.

#include <functional>

#include <QString>

class ConnectionSettings;
class QAction;
class QWidget;
class TIPConfigDlg;
class TMainMenus;
class TMirex_d;
class TRs232LanDlg;
class UserPrompts;

class TConnectionMenu
{
  public:
    TConnectionMenu(TMirex_d& driver, TMainMenus& menus, const ConnectionSettings& files,
                    UserPrompts& prompts, QWidget* window);

    void setDialogs(TIPConfigDlg* network, TRs232LanDlg* device);
    // Called after every change of the link (the status bar shows it).
    std::function<void()> OnLinkChanged;

    void MenuCOMClick(int n);
    void MenuMIPConfigClick();
    void MenuMachineLANSetupClick();

    // The file's settings to the driver and the menu ("Select port" on a first run).
    void Load();
    // The menu's choice and the driver's settings to the file; a failure is not worth stopping
    // the exit for. Over a network link the file keeps the COM port last in force.
    void Save() const;

    // The link as the status bar names it; a network link with the address and port as they are
    // typed in the network dialog.
    QString LinkText() const;

  private:
    void selectComItem(int n);
    void linkChanged();

    TMirex_d& m_driver;
    TMainMenus& m_menus;
    const ConnectionSettings& m_files;
    UserPrompts& m_prompts;
    QWidget* m_window;
    TIPConfigDlg* m_network = nullptr;
    TRs232LanDlg* m_device = nullptr;
    QAction* m_choice = nullptr; // the serial-port menu item in force
    int m_comIndex = 0;          // the COM port last in force (0 = COM1), kept during a network link
};
