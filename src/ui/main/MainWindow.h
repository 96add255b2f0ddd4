#pragma once
// MainWindow: the main control window. It owns the driver for the whole process and the event
// router through which every part of the program hears the driver, composes the tool bar and
// menus, the input button row, the status grid area, the seven pages (each binding its controls
// to the device through its own binding table) and the status bar, and runs the start-up
// initialisation, the 700 ms main timer and the closing sequence. It owns the hub that shares
// the driver's link with other programs. The link choice with its settings file, the sharing
// with its dialog and the input labels with their label files are classes of their own; the
// settings files live in a folder given by the caller.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

#include "ConnectionMenu.h"
#include "ConnectionSettings.h"
#include "DeviceDriver.h"
#include "DeviceIdentity.h"
#include "EventRouter.h"
#include "InputLabelFiles.h"
#include "MainDisplay.h"
#include "MainStatusBar.h"
#include "SecondaryWindows.h"
#include "UpdateNotice.h"

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace tesso
{

class AudioIndicator;
class ControlsMenu;
class DeviceHub;
class DeviceSettingsMenu;
class DisplayScale;
class InputSettingsRow;
class InputButtonRow;
class KeyboardShortcuts;
class MainMenus;
class PageAudio;
class PageEffect;
class PageFrameAlert;
class PageImage;
class PageInput;
class PageOutput;
class PageSwitchMode;
class ProfileMenu;
class ShareDeviceMenu;
class StandbyMenu;
class StatusGridArea;
class Transitions;
class UserPrompts;

class MainWindow : public QMainWindow
{
    Q_OBJECT

  public:
    static constexpr int MainTimerInterval = 700;

    // links: the driver's links (the real ones from makeDefaultLinks(), or test doubles).
    // settingsDirectory: where the connection and label files are read and written.
    // prompts: answers "Select port" and "Are you sure?"; must outlive the window.
    MainWindow(DriverLinks links, const QString& settingsDirectory, UserPrompts& prompts,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    DeviceDriver& Driver() { return *m_driver; }
    EventRouter& Router() { return *m_router; }
    // Shares the driver's link with other programs ("Share device...").
    DeviceHub& Hub() { return *m_hub; }
    ShareDeviceMenu& Sharing() { return *m_sharing; }
    const ConnectionSettings& Settings() const { return m_settings; }
    // The profile whose folder holds the settings (empty: the default settings). Set before
    // Initialise: the title and the about box name it, and the connection file keeps the model.
    void setProfileName(const QString& name);
    QString ProfileName() const { return m_profileName; }
    ProfileMenu& Profiles() { return *m_profiles; }
    // The page keys and the show keys; made by Initialise.
    KeyboardShortcuts& Keyboard() { return *m_keyboard; }
    // Another start of this window's profile asked for it: shown, raised and activated.
    void bringToFront();

    // ---- Start-up and shutdown ------------------------------------------------------------------
    void FormCreate();
    // The initialisation after every window exists (the windows are handed over here).
    void Initialise(const SecondaryWindows& windows);
    const SecondaryWindows& Windows() const { return m_windows; }
    void shutDown();
    bool IsClosed() const { return m_closed; }

    // ---- Timers ---------------------------------------------------------------------------------
    void blinkTick();
    void hideFrameNotice();
    QTimer* Timer1 = nullptr;
    QTimer* TimerStatus = nullptr;
    int BlinkPhase() const { return m_blinkPhase; }
    int UpdateNoticeCountdown() const { return PnlUpdater->Countdown(); }

    // ---- Pages, menus, about --------------------------------------------------------------------
    void pageAboutToChange();
    void pageChanged();
    void exitProgram();
    void showAboutDevice();
    void useComPort(int n) { m_connection->useComPort(n); }
    void openIpConfig() { m_connection->openIpConfig(); }
    void openDeviceLanSetup() { m_connection->openDeviceLanSetup(); }
    void dismissUpdateNotice() { PnlUpdater->dismissUpdateNotice(); }

    // The debug console opens when the pointer (screen position) is over the status bar's first panel.
    void DebugHotKey(const QPoint& globalPointer);
    // The debug console, in front (Controls > "Debug console", Ctrl+Shift+D).
    void showDebugConsole();

    // ---- Settings and titles --------------------------------------------------------------------
    QString BuildWindowTitle(std::int64_t code) { return m_identity->BuildWindowTitle(code); }
    void LoadConnectionSettings();
    void SaveConnectionSettings() { m_connection->Save(); }
    void LoadInputLabels(std::int64_t code) { m_labels->Load(code); }
    void SaveInputLabels(std::int64_t code) { m_labels->Save(code); }
    void ApplyInputLabels() { m_labels->Apply(m_driver->DEV()); }
    QStringList InputLabelTable() const { return m_labels->Table(); }

    // ---- Device model ---------------------------------------------------------------------------
    void ApplyDeviceModel(std::int64_t code) { m_identity->ApplyDeviceModel(code); }
    std::int64_t AppliedModelCode() const { return m_identity->AppliedModelCode(); }
    void ShowUpdateNotice(const QString& text) { PnlUpdater->ShowNotice(text); }
    void EffectButtonVisibility() { m_identity->EffectButtonVisibility(); }
    DeviceSettingsMenu& SettingsMenu() { return *m_settingsMenu; }

    // ---- Status bar -----------------------------------------------------------------------------
    void RefreshStatusBar() { StatusBar->Refresh(); }
    QString StatusPanelText(int panel) const { return StatusBar->PanelText(panel); }

    // ---- Routines the pages share ------------------------------------------------------------------
    void UpdateStatusGrid() { m_display->UpdateStatusGrid(); }
    void UpdateReferenceStatus() { m_display->UpdateReferenceStatus(); }
    void UpdatePagesForInput() { m_display->UpdatePagesForInput(); }
    void showCurrentInput() { m_display->showCurrentInput(); }
    QString VersionText() const { return m_versionText; }

    // ---- Controls ------------------------------------------------------------------------------
    MainMenus* Menus = nullptr;
    InputButtonRow* PnlBtnInputs = nullptr;
    StatusGridArea* StatusArea = nullptr;
    std::unique_ptr<DisplayScale> Conversion; // device 0..255 shown as -128..127
    QTabWidget* PageControl = nullptr;
    PageSwitchMode* TabSheet_SwitchMode = nullptr;
    PageInput* TabSheet_Input = nullptr;
    PageOutput* TabSheet_Output = nullptr;
    PageImage* TabSheet_Image = nullptr;
    PageAudio* TabSheet_Audio = nullptr;
    PageFrameAlert* TabSheet_FrameAlert = nullptr;
    PageEffect* TabSheet_Effect = nullptr;
    UpdateNotice* PnlUpdater = nullptr;
    QLabel* LblUpdater = nullptr;
    QPushButton* BtnOkUpdater = nullptr;
    MainStatusBar* StatusBar = nullptr;

    // The five ordered lists built at initialisation (position 0 = input 1); they do not own.
    std::vector<InputSettingsRow*> InputFrames;
    std::vector<QToolButton*> InputButtons;
    std::vector<QRadioButton*> AudioRadioButtons;
    std::vector<QAction*> InputMenuItems;
    std::vector<QAction*> AudioMenuItems;

    // The window's bitmap list (glyphs 0..3; 2 and 3 trade places on every tick).
    const std::vector<QPixmap>& ImageList() const { return m_imageList; }

  signals:
    // The window has closed (shutDown ran); the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildLayout(QWidget* client);
    void connectHandlers();
    void bindDriver();
    void setStartUpTexts();
    void updateBlinkingGlyphs();
    StatusBarState statusBarState() const;

    // The driver first: what hears it (the router, the pages' binding tables) goes before it does.
    std::unique_ptr<DeviceDriver> m_driver;
    std::unique_ptr<EventRouter> m_router;
    std::unique_ptr<DeviceHub> m_hub;
    std::vector<Subscription> m_subscriptions;
    ConnectionSettings m_settings;
    UserPrompts& m_prompts;
    SecondaryWindows m_windows;
    std::unique_ptr<ConnectionMenu> m_connection;
    std::unique_ptr<ControlsMenu> m_controls;
    std::unique_ptr<DeviceSettingsMenu> m_settingsMenu;
    ShareDeviceMenu* m_sharing = nullptr; // child of the window
    ProfileMenu* m_profiles = nullptr;    // child of the window
    KeyboardShortcuts* m_keyboard = nullptr;
    QString m_profileName;
    std::unique_ptr<StandbyMenu> m_standby;
    std::unique_ptr<Transitions> m_transitions;
    std::unique_ptr<AudioIndicator> m_audio;
    std::unique_ptr<InputLabelFiles> m_labels;
    std::unique_ptr<DeviceIdentity> m_identity;
    std::unique_ptr<MainDisplay> m_display;

    std::vector<QPixmap> m_imageList;
    int m_blinkPhase = 0;
    QString m_versionText;
    int m_currentPage = -1;
    bool m_closed = false;
};

} // namespace tesso
