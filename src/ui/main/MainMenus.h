#pragma once
// The main window's menus and the tool bar that mirrors some of them. Items carry the names the
// rest of the window uses; their behaviour is connected by the main window.

#include <array>
#include <memory>

#include <QObject>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace tesso
{

class SerialPortScanner;

class MainMenus : public QObject
{
    Q_OBJECT

  public:
    explicit MainMenus(QMainWindow* window);
    ~MainMenus() override;

    // File
    QMenu* MenuFile = nullptr;
    QAction* MenuFileSaveSettings = nullptr;    // "Save device settings..."
    QAction* MenuFileRestoreSettings = nullptr; // "Restore device settings..."
    QAction* MenuFileShareDevice = nullptr;     // "Share device..."
    QAction* MenuFileOpenDevice = nullptr;      // "Open another device..."
    QAction* MenuFileRenameProfile = nullptr;   // "Rename profile..."
    QAction* MenuFileDeleteProfile = nullptr;   // "Delete profile..."
    QAction* MenuFileExit = nullptr;

    // Controls
    QMenu* MenuControls = nullptr;
    QMenu* MenuPullDown = nullptr;
    QActionGroup* PullDownGroup = nullptr; // Auto (tag 1), Off (tag 0)
    QAction* MenuPullDownAuto = nullptr;
    QAction* MenuPulldownOff = nullptr;
    QMenu* MenuBlackDelay = nullptr;
    QActionGroup* BlackDelayGroup = nullptr; // Short, Medium, Long (tags 0, 1, 2)
    QAction* MenuBlackDelayShort = nullptr;
    QAction* MenuBlackDelayMedium = nullptr;
    QAction* MenuBlackDelayLong = nullptr;
    QAction* MenuBlackDelayRange = nullptr; // "0..30", never shown
    QAction* MenuItem_AutoTake = nullptr;   // the "AutoTake" submenu
    QActionGroup* AutoTakeGroup = nullptr;
    QAction* MenuItem_AutoTake_On = nullptr;  // tag 1
    QAction* MenuItem_AutoTake_Off = nullptr; // tag 0
    QMenu* MenuStandBy = nullptr;
    QMenu* MenuStandByOnOff = nullptr;
    QAction* MenuStandByOn = nullptr;
    QAction* MenuStandByOff = nullptr;
    QAction* MenuStandByTimer = nullptr;
    QMenu* MenuBaudRate = nullptr;
    std::array<QAction*, 4> MenuBaud{}; // 19200, 9600, 2400, 1200 (tags 3, 2, 1, 0)
    QMenu* MenuRegisterCodes = nullptr;
    QAction* MenuMessageOn = nullptr;
    QAction* MenuMessageOff = nullptr;
    QMenu* MenuKeyLocking = nullptr;
    QAction* MenuLockAll = nullptr;
    QAction* MenuLockMenu = nullptr;
    QAction* MenuLockInput = nullptr;
    QAction* MenuEraseAll = nullptr;
    QAction* MenuDefaultValues = nullptr;
    QAction* MenuMachineLANSetup = nullptr;
    QMenu* MenuSerialPort = nullptr;
    QAction* MenuDebugConsole = nullptr; // "Debug console", Ctrl+Shift+D
    std::array<QAction*, 16> MenuCOM{};  // COM1 .. COM16, tags 1..16
    QAction* MenuMIPConfig = nullptr;    // "LAN/Setup"
    QActionGroup* SerialPortGroup = nullptr;
    // The ports present, listed between COM16 and "LAN/Setup": their items go before
    // MenuSerialDevicesEnd; MenuNoSerialDevice (disabled) stands in while there are none.
    SerialPortScanner* SerialPorts = nullptr;
    QAction* MenuNoSerialDevice = nullptr;
    QAction* MenuSerialDevicesEnd = nullptr;
    // Held by the layout but never shown.
    QMenu* MenuNoSignalAutolock = nullptr;
    QAction* MenuTransition = nullptr;

    // Customize
    QMenu* MenuCustomize = nullptr;
    std::array<QAction*, 8> MenuInput{}; // MenuInput1 .. MenuInput8
    std::array<QAction*, 8> MenuAudio{}; // MenuAudio1 .. MenuAudio8
    QAction* MenuCustomizeDefault = nullptr;

    // About
    QMenu* MenuAbout = nullptr;
    QAction* MenuAboutMachine = nullptr;
    QMenu* MenuHelp = nullptr;

    // Tool bar
    QToolBar* ToolBar = nullptr;
    QToolButton* ToolButton_SerialPort = nullptr;
    QToolButton* ToolButton_KeyLocking = nullptr;
    QToolButton* ToolButton_StandBy = nullptr;
    QAction* ToolButton_EraseAll = nullptr;
    QAction* ToolButton_DefaultValues = nullptr;
    QAction* ToolButton_Audio = nullptr;
    QAction* ToolButton_Exit = nullptr;
    QAction* ToolButton_About = nullptr;

    // Each tool bar button's hint becomes its menu item's caption without "&".
    void SetToolBarHints();
    // Position (0..15) of the checked COM item, or -1.
    int CheckedComIndex() const;

  private:
    void buildFile(QMenuBar* bar);
    void buildControls(QMenuBar* bar);
    void buildSerialPort();
    void buildCustomize(QMenuBar* bar);
    void buildAbout(QMenuBar* bar);
    void buildToolBar(QMainWindow* window);
};

} // namespace tesso
