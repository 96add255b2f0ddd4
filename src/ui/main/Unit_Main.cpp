#include "Unit_Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "AudioIndicator.h"
#include "Constante.h"
#include "ControlsMenu.h"
#include "Conversion.h"
#include "DeviceModels.h"
#include "DeviceSettingsMenu.h"
#include "ErrorReport.h"
#include "GlyphImages.h"
#include "InputButtonRow.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageFrameAlert.h"
#include "PageImage.h"
#include "PageInput.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "StandbyMenu.h"
#include "StatusGridArea.h"
#include "TextFormat.h"
#include "Transitions.h"
#include "Unit_About.h"
#include "Unit_Debug2007.h"
#include "Unit_Sync_Time.h"
#include "UserPrompts.h"
#include "ipconfig.h"
#include "rs232lansetup.h"

TForm_MAIN::TForm_MAIN(DriverLinks links, const QString& settingsDirectory, UserPrompts& prompts,
                       QWidget* parent)
    : QMainWindow(parent), m_driver(std::make_unique<TMirex_d>(std::move(links))),
      m_router(std::make_unique<TEventRouter>(*m_driver)),
      m_settings(settingsDirectory, QString(Constante::ApplicationTitle)), m_prompts(prompts),
      m_imageList(GlyphImages::ButtonGlyphs())
{
    setObjectName(QStringLiteral("Form_MAIN"));
    m_driver->setsentString(QByteArrayLiteral("?"));
    setWindowTitle(QString(Constante::ApplicationTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Conversion = std::make_unique<TConversion>();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    buildLayout(client);
    m_connection = std::make_unique<TConnectionMenu>(*m_driver, *Menus, m_settings, m_prompts, this);
    m_connection->OnLinkChanged = [this] { RefreshStatusBar(); };
    m_labels = std::make_unique<TInputLabels>(
        TInputLabels::Controls{Menus, PnlBtnInputs, TabSheet_Input, TabSheet_Audio}, m_settings);
    connectHandlers();
    bindDriver();
    FormCreate();
}

TForm_MAIN::~TForm_MAIN()
{
    // The secondary windows refer to the driver: they go before it does.
    for (QWidget* window : m_windows.All())
        delete window; // NOLINT: children of this window, destroyed early on purpose
    m_windows = SecondaryWindows{};
}

// ---- Layout -------------------------------------------------------------------------------------

void TForm_MAIN::buildLayout(QWidget* client)
{
    Menus = new TMainMenus(this);
    Menus->ToolBar->setParent(client);
    Menus->ToolBar->setGeometry(0, 0, ClientWidth, 28);

    PnlBtnInputs = new TInputButtonRow(client);
    PnlBtnInputs->setGeometry(2, 30, ClientWidth - 2, 30);

    StatusArea = new TStatusGridArea(client);
    StatusArea->setGeometry(0, 64, 196, 444);

    PageControl = new QTabWidget(client);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(ClientWidth - 593 - 4, 64, 593, 441);
    PageControl->setUsesScrollButtons(false);
    PageControl->tabBar()->setMouseTracking(true); // hot-tracked tabs
    TabSheet_SwitchMode = new TPageSwitchMode;
    TabSheet_Input = new TPageInput;
    TabSheet_Output = new TPageOutput;
    TabSheet_Image = new TPageImage;
    TabSheet_Audio = new TPageAudio;
    TabSheet_FrameAlert = new TPageFrameAlert;
    TabSheet_Effect = new TPageEffect;
    PageControl->addTab(TabSheet_SwitchMode, QString(Constante::PageSwitchMode));
    PageControl->addTab(TabSheet_Input, QString(Constante::PageInput));
    PageControl->addTab(TabSheet_Output, QString(Constante::PageOutput));
    PageControl->addTab(TabSheet_Image, QString(Constante::PageImage));
    PageControl->addTab(TabSheet_Audio, QString(Constante::PageAudio));
    PageControl->addTab(TabSheet_FrameAlert, QString(Constante::PageFrameAlert));
    PageControl->addTab(TabSheet_Effect, QString(Constante::PageEffect));

    PnlUpdater = new TUpdateNotice(client);
    PnlUpdater->move(PageControl->x() + (593 - PnlUpdater->width()) / 2,
                     PageControl->y() + 441 / 2 - PnlUpdater->height() / 2);
    LblUpdater = PnlUpdater->LblUpdater;
    BtnOkUpdater = PnlUpdater->BtnOkUpdater;

    StatusBar = new TMainStatusBar(client);
    StatusBar->setGeometry(0, ClientHeight - TMainStatusBar::BarHeight, ClientWidth,
                           TMainStatusBar::BarHeight);
    StatusBar->StateProvider = [this] { return statusBarState(); };

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    TimerStatus = new QTimer(this);
    TimerStatus->setObjectName(QStringLiteral("TimerStatus"));
    TimerStatus->setInterval(2000);

    adjustSize();
    setFixedSize(sizeHint());
}

void TForm_MAIN::connectHandlers()
{
    auto guard = [](auto&& fn) { return [fn] { tesso::guarded(fn); }; };
    connect(Timer1, &QTimer::timeout, this, guard([this] { Timer1Timer(); }));
    connect(TimerStatus, &QTimer::timeout, this, guard([this] { TimerStatusTimer(); }));
    connect(PageControl, &QTabWidget::currentChanged, this, guard([this] {
                PageControlChanging();
                PageControlChange();
            }));
    connect(Menus->MenuFileExit, &QAction::triggered, this, guard([this] { MenuFileExitClick(); }));
    connect(Menus->ToolButton_Exit, &QAction::triggered, this, guard([this] { MenuFileExitClick(); }));
    connect(Menus->MenuAboutMachine, &QAction::triggered, this, guard([this] { MenuAboutMachineClick(); }));
    connect(Menus->ToolButton_About, &QAction::triggered, this, guard([this] { MenuAboutMachineClick(); }));
    for (QAction* com : Menus->MenuCOM) {
        const int n = com->data().toInt();
        connect(com, &QAction::triggered, this, guard([this, n] { MenuCOMClick(n); }));
    }
    connect(Menus->MenuMIPConfig, &QAction::triggered, this, guard([this] { MenuMIPConfigClick(); }));
    connect(Menus->MenuMachineLANSetup, &QAction::triggered, this,
            guard([this] { MenuMachineLANSetupClick(); }));
}

// The window's own handlers of the driver's events; the pages bind theirs through their tables.
void TForm_MAIN::bindDriver()
{
    m_display = std::make_unique<TMainDisplay>(*this, *m_router);
    m_identity = std::make_unique<TDeviceIdentity>(*this, *m_router);
    m_subscriptions.push_back(m_router->subscribe(_STORE, [this] { RefreshStatusBar(); }));
    const TMainRoutines routines = m_display->Routines();
    PnlBtnInputs->BindTo(*m_router, routines, &m_imageList);
    TabSheet_SwitchMode->BindTo(*m_router);
    TabSheet_Input->BindTo(*m_router, routines);
    TabSheet_Output->BindTo(*m_router, routines);
    TabSheet_Image->BindTo(*m_router, *Conversion);
    TabSheet_Effect->BindTo(*m_router);
    TabSheet_FrameAlert->BindTo(*m_router, routines);
    m_transitions = std::make_unique<TTransitions>(*this, *m_router);
    m_audio = std::make_unique<TAudioIndicator>(*m_router, TabSheet_Audio->SpeedButton_Amute,
                                                Menus->ToolButton_Audio, StatusBar);
    TabSheet_Audio->BindTo(*m_router, routines);
    m_controls = std::make_unique<TControlsMenu>(*Menus, *m_router, m_prompts, this);
    m_settingsMenu = std::make_unique<TDeviceSettingsMenu>(*Menus, *m_router, m_prompts, this);
    m_labels->ConnectMenus(m_prompts, this, [this] { return static_cast<std::int64_t>(m_driver->DEV()); });
}

StatusBarState TForm_MAIN::statusBarState() const
{
    return {IsSupportedModel(m_driver->DEV()), m_blinkPhase, m_connection->LinkText(), m_driver->STORE()};
}

// ---- Start-up -----------------------------------------------------------------------------------

void TForm_MAIN::FormCreate()
{
    StatusArea->SetUpStatusGrid();
}

void TForm_MAIN::Initialise(const SecondaryWindows& windows)
{
    m_windows = windows;
    m_connection->setDialogs(m_windows.IPConfigDlg, m_windows.Rs232LanDlg);
    m_identity->setAbout(m_windows.About);

    // 1. The debug console talks to this window's driver.
    if (m_windows.Debug)
        m_windows.Debug->setDriver(m_driver.get(), m_router.get());

    // 2. Frame numbers.
    TabSheet_FrameAlert->FillFrameNumbers();

    // 3. Output sync items; the binding shows the device's choice on them again.
    TabSheet_Output->SetSyncItems(
        {QString(Constante::SyncHV), QString(Constante::SyncCompositeTtl), QString(Constante::SyncSog)});

    // 4. Debug key: window-wide Ctrl+Insert, acting only with the pointer over the first panel.
    auto* hotKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), this);
    hotKey->setObjectName(QStringLiteral("DebugHotKey"));
    hotKey->setContext(Qt::WindowShortcut);
    connect(hotKey, &QShortcut::activated, this,
            [this] { tesso::guarded([this] { DebugHotKey(QCursor::pos()); }); });

    // 5. Shared value mapping of the picture page.
    Conversion->setValMinDriver(0);
    Conversion->setValMaxDriver(255);
    Conversion->setValMinAffichage(-128);
    Conversion->setValMaxAffichage(127);

    // 6. The effect buttons carry their tags 1, 2 and 3 from their making.

    // 7. The five ordered lists.
    InputFrames.assign(TabSheet_Input->FrameInput.begin(), TabSheet_Input->FrameInput.end());
    InputButtons.assign(PnlBtnInputs->BtnInput.begin(), PnlBtnInputs->BtnInput.end());
    AudioRadioButtons.assign(TabSheet_Audio->RdoACHANM.begin(), TabSheet_Audio->RdoACHANM.end());
    InputMenuItems.assign(Menus->MenuInput.begin(), Menus->MenuInput.end());
    AudioMenuItems.assign(Menus->MenuAudio.begin(), Menus->MenuAudio.end());

    // 8. Idle glyphs.
    for (QToolButton* button : InputButtons)
        button->setIcon(m_imageList[0]);
    PnlBtnInputs->BtnBlack->setIcon(m_imageList[0]);
    PnlBtnInputs->BtnFreeze->setIcon(m_imageList[0]);

    // 9. Position and first page.
    move(20, 20);
    PageControl->setCurrentIndex(0);
    m_currentPage = 0;

    // 10. Centred notices.
    centreLabel(TabSheet_Output->LblOutputNotAvailableComputerInput, TabSheet_Output);
    centreLabel(TabSheet_Image->LblImageNotAvailableComputerInput, TabSheet_Image);
    centreLabel(TabSheet_Image->LblImageNoInputSignal, TabSheet_Image);

    // 11. Main timer.
    m_blinkPhase = 0;
    Timer1->setInterval(MainTimerInterval);
    PnlUpdater->setCountdown(TUpdateNotice::CountdownTicks);
    Timer1->start();

    // 12. No model yet.
    ApplyDeviceModel(0);

    // 13. The black delay window appears inside the main window.
    if (m_windows.SyncTime) {
        m_windows.SyncTime->setParent(centralWidget(), Qt::Widget);
        m_windows.SyncTime->hide();
    }

    // 15. Program version, then 16., 17.
    m_versionText = TAbout_Tesso::VersionText(TESSO_VERSION_MAJOR, TESSO_VERSION_MINOR, TESSO_VERSION_PATCH,
                                              TESSO_VERSION_TWEAK);
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    setStartUpTexts();

    // 18.
    LoadConnectionSettings();

    // 19.
    Menus->SetToolBarHints();
    TabSheet_SwitchMode->GroupBox_Seamless->setFixedWidth(585);

    // 20. The standby items and their windows; "Ok" in the projector message window stores the
    // message in the device.
    m_standby = std::make_unique<TStandbyMenu>(
        *Menus, *m_router,
        TStandbyMenu::Windows{m_windows.Standby, m_windows.SyncTime, m_windows.MessageProjector},
        centralWidget());
}

void TForm_MAIN::centreLabel(QWidget* label, const QWidget* page)
{
    // The pages have their final size only once the page control is laid out.
    const QSize pageSize = PageControl->currentWidget() ? PageControl->currentWidget()->size() : page->size();
    label->move(pageSize.width() / 2 - label->width() / 2, pageSize.height() / 2 - label->height() / 2);
}

void TForm_MAIN::setStartUpTexts()
{
    const QString lanSetup = TextFormat::Format(Constante::LanSetupFormat, {QString(Constante::ProgramName)});
    Menus->MenuMachineLANSetup->setText(lanSetup);
    if (m_windows.Rs232LanDlg)
        m_windows.Rs232LanDlg->setWindowTitle(lanSetup);
    const QString about = TextFormat::Format(
        Constante::AboutCaptionFormat, {QString(Constante::ProgramName), QString(Constante::RemoteControl)});
    Menus->MenuAboutMachine->setText(about);
    if (m_windows.About) {
        m_windows.About->setWindowTitle(about);
        m_windows.About->Label_version->setText(m_versionText);
    }
}

// ---- Closing ------------------------------------------------------------------------------------

void TForm_MAIN::closeEvent(QCloseEvent* event)
{
    tesso::guarded([this] { FormClose(); });
    event->accept();
}

void TForm_MAIN::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    tesso::guarded([this] { m_driver->ClosePort(); });
    Timer1->stop();
    SaveConnectionSettings();
    InputFrames.clear();
    InputButtons.clear();
    AudioRadioButtons.clear();
    InputMenuItems.clear();
    AudioMenuItems.clear();
    emit closed();
}

// ---- Timers -------------------------------------------------------------------------------------

void TForm_MAIN::Timer1Timer()
{
    // 1. Images 2 and 3 trade places, so anything showing image 3 blinks.
    if (m_imageList.size() >= 4)
        std::swap(m_imageList[2], m_imageList[3]);
    // 2., 3.
    updateBlinkingGlyphs();
    PnlUpdater->Tick();
    // 4., 5.
    m_blinkPhase = m_blinkPhase == 0 ? 1 : 0;
    RefreshStatusBar();
    // 6. The indicators, in this order.
    m_audio->Tick();
    m_identity->CycleAboutLogo();
    m_transitions->PreselectedInputBlink();
    m_transitions->TakeButtonBlink();
    m_transitions->SelectedEffectBlink();
}

void TForm_MAIN::updateBlinkingGlyphs()
{
    PnlBtnInputs->BtnFreeze->setIcon(m_imageList[m_driver->IFRZM() ? 3 : 0]);
    PnlBtnInputs->BtnBlack->setIcon(m_imageList[m_driver->OBLACK() ? 3 : 0]);
}

void TForm_MAIN::TimerStatusTimer()
{
    TimerStatus->stop();
    TabSheet_FrameAlert->LblFrameNotAvailable->hide();
}

// ---- Pages, menus -------------------------------------------------------------------------------

void TForm_MAIN::PageControlChanging()
{
    if (m_currentPage >= 0)
        PageControl->tabBar()->setTabTextColor(m_currentPage, QColor());
}

void TForm_MAIN::PageControlChange()
{
    UpdatePagesForInput();
    m_currentPage = PageControl->currentIndex();
    PageControl->tabBar()->setTabTextColor(m_currentPage, palette().color(QPalette::Highlight));
}

void TForm_MAIN::MenuFileExitClick()
{
    if (m_prompts.Confirm(this, QString(Constante::AreYouSure)))
        close();
}

void TForm_MAIN::MenuAboutMachineClick()
{
    if (!m_windows.About)
        return;
    m_windows.About->show();
    m_windows.About->raise();
}

void TForm_MAIN::DebugHotKey(const QPoint& globalPointer)
{
    const QPoint p = StatusBar->mapFromGlobal(globalPointer);
    const bool overFirstPanel =
        p.x() >= 2 && p.x() <= StatusBar->PanelWidth(0) && p.y() >= 2 && p.y() <= StatusBar->height();
    if (overFirstPanel && m_windows.Debug) {
        m_windows.Debug->show();
        m_windows.Debug->raise();
    }
}

// ---- Settings, labels, device model ------------------------------------------------------------

void TForm_MAIN::LoadConnectionSettings()
{
    m_connection->Load();
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    RefreshStatusBar();
}
