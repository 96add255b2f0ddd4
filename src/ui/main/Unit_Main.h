#pragma once
// TForm_MAIN: the main control window. It owns the driver for the whole process and the event
// router through which every part of the program hears the driver, composes the tool bar and
// menus, the input button row, the status grid area, the seven pages (each binding its controls
// to the device through its own binding table) and the status bar, and runs the start-up
// initialisation, the 700 ms main timer and the closing sequence. The link choice with its
// settings file and the input labels with their label files are classes of their own; the
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
#include "DeviceIdentity.h"
#include "EventRouter.h"
#include "InputLabels.h"
#include "MainDisplay.h"
#include "MainStatusBar.h"
#include "Mirex_d.h"
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
class TAudioIndicator;
class TControlsMenu;
class TDeviceSettingsMenu;
class TConversion;
class TFrameInput;
class TInputButtonRow;
class TMainMenus;
class TPageAudio;
class TPageEffect;
class TPageFrameAlert;
class TPageImage;
class TPageInput;
class TPageOutput;
class TPageSwitchMode;
class TStandbyMenu;
class TStatusGridArea;
class TTransitions;
class UserPrompts;

class TForm_MAIN : public QMainWindow
{
    Q_OBJECT

  public:
    static constexpr int ClientWidth = 793;
    static constexpr int ClientHeight = 537;
    static constexpr int MainTimerInterval = 700;

    // links: the driver's links (the real ones from makeDefaultLinks(), or test doubles).
    // settingsDirectory: where the connection and label files are read and written.
    // prompts: answers "Select port" and "Are you sure?"; must outlive the window.
    TForm_MAIN(DriverLinks links, const QString& settingsDirectory, UserPrompts& prompts,
               QWidget* parent = nullptr);
    ~TForm_MAIN() override;

    TMirex_d& Driver() { return *m_driver; }
    TEventRouter& Router() { return *m_router; }
    const ConnectionSettings& Settings() const { return m_settings; }

    // ---- Start-up and shutdown ------------------------------------------------------------------
    void FormCreate();
    // The initialisation after every window exists (the windows are handed over here).
    void Initialise(const SecondaryWindows& windows);
    const SecondaryWindows& Windows() const { return m_windows; }
    void FormClose();
    bool IsClosed() const { return m_closed; }

    // ---- Timers ---------------------------------------------------------------------------------
    void Timer1Timer();
    void TimerStatusTimer();
    QTimer* Timer1 = nullptr;
    QTimer* TimerStatus = nullptr;
    int BlinkPhase() const { return m_blinkPhase; }
    int UpdateNoticeCountdown() const { return PnlUpdater->Countdown(); }

    // ---- Pages, menus, about --------------------------------------------------------------------
    void PageControlChanging();
    void PageControlChange();
    void MenuFileExitClick();
    void MenuAboutMachineClick();
    void MenuCOMClick(int n) { m_connection->MenuCOMClick(n); }
    void MenuMIPConfigClick() { m_connection->MenuMIPConfigClick(); }
    void MenuMachineLANSetupClick() { m_connection->MenuMachineLANSetupClick(); }
    void BtnOkUpdaterClick() { PnlUpdater->BtnOkUpdaterClick(); }

    // The debug console opens when the pointer (screen position) is over the status bar's first panel.
    void DebugHotKey(const QPoint& globalPointer);

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
    TDeviceSettingsMenu& SettingsMenu() { return *m_settingsMenu; }

    // ---- Status bar -----------------------------------------------------------------------------
    void RefreshStatusBar() { StatusBar->Refresh(); }
    QString StatusPanelText(int panel) const { return StatusBar->PanelText(panel); }

    // ---- Routines the pages share ------------------------------------------------------------------
    void UpdateStatusGrid() { m_display->UpdateStatusGrid(); }
    void UpdateReferenceStatus() { m_display->UpdateReferenceStatus(); }
    void UpdatePagesForInput() { m_display->UpdatePagesForInput(); }
    void DriverICHMChange() { m_display->DriverICHMChange(); }
    QString VersionText() const { return m_versionText; }

    // ---- Controls ------------------------------------------------------------------------------
    TMainMenus* Menus = nullptr;
    TInputButtonRow* PnlBtnInputs = nullptr;
    TStatusGridArea* StatusArea = nullptr;
    std::unique_ptr<TConversion> Conversion; // device 0..255 shown as -128..127
    QTabWidget* PageControl = nullptr;
    TPageSwitchMode* TabSheet_SwitchMode = nullptr;
    TPageInput* TabSheet_Input = nullptr;
    TPageOutput* TabSheet_Output = nullptr;
    TPageImage* TabSheet_Image = nullptr;
    TPageAudio* TabSheet_Audio = nullptr;
    TPageFrameAlert* TabSheet_FrameAlert = nullptr;
    TPageEffect* TabSheet_Effect = nullptr;
    TUpdateNotice* PnlUpdater = nullptr;
    QLabel* LblUpdater = nullptr;
    QPushButton* BtnOkUpdater = nullptr;
    TMainStatusBar* StatusBar = nullptr;

    // The five ordered lists built at initialisation (position 0 = input 1); they do not own.
    std::vector<TFrameInput*> InputFrames;
    std::vector<QToolButton*> InputButtons;
    std::vector<QRadioButton*> AudioRadioButtons;
    std::vector<QAction*> InputMenuItems;
    std::vector<QAction*> AudioMenuItems;

    // The window's bitmap list (glyphs 0..3; 2 and 3 trade places on every tick).
    const std::vector<QPixmap>& ImageList() const { return m_imageList; }

  signals:
    // The window has closed (FormClose ran); the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildLayout(QWidget* client);
    void connectHandlers();
    void bindDriver();
    void setStartUpTexts();
    void centreLabel(QWidget* label, const QWidget* page);
    void updateBlinkingGlyphs();
    StatusBarState statusBarState() const;

    // The driver first: what hears it (the router, the pages' binding tables) goes before it does.
    std::unique_ptr<TMirex_d> m_driver;
    std::unique_ptr<TEventRouter> m_router;
    std::vector<TSubscription> m_subscriptions;
    ConnectionSettings m_settings;
    UserPrompts& m_prompts;
    SecondaryWindows m_windows;
    std::unique_ptr<TConnectionMenu> m_connection;
    std::unique_ptr<TControlsMenu> m_controls;
    std::unique_ptr<TDeviceSettingsMenu> m_settingsMenu;
    std::unique_ptr<TStandbyMenu> m_standby;
    std::unique_ptr<TTransitions> m_transitions;
    std::unique_ptr<TAudioIndicator> m_audio;
    std::unique_ptr<TInputLabels> m_labels;
    std::unique_ptr<TDeviceIdentity> m_identity;
    std::unique_ptr<TMainDisplay> m_display;

    std::vector<QPixmap> m_imageList;
    int m_blinkPhase = 0;
    QString m_versionText;
    int m_currentPage = -1;
    bool m_closed = false;
};
