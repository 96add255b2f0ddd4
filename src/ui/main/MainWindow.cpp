#include "MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "AudioIndicator.h"
#include "ControlsMenu.h"
#include "DebugConsole.h"
#include "DeviceHub.h"
#include "DeviceModels.h"
#include "DeviceSettingsMenu.h"
#include "DisplayScale.h"
#include "ErrorReport.h"
#include "GlyphImages.h"
#include "InputButtonRow.h"
#include "IpConfigDialog.h"
#include "KeyboardShortcuts.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageFrameAlert.h"
#include "PageImage.h"
#include "PageInput.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "ProfileMenu.h"
#include "Rs232LanDialog.h"
#include "ShareDeviceMenu.h"
#include "StandbyMenu.h"
#include "StatusGridArea.h"
#include "SyncTimeWindow.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Transitions.h"
#include "UserPrompts.h"

namespace tesso
{

MainWindow::MainWindow(DriverLinks links, const QString& settingsDirectory, UserPrompts& prompts,
                       QWidget* parent)
    : QMainWindow(parent), m_driver(std::make_unique<DeviceDriver>(std::move(links))),
      m_router(std::make_unique<EventRouter>(*m_driver)), m_hub(std::make_unique<DeviceHub>(*m_driver)),
      m_settings(settingsDirectory, QString(Texts::ApplicationTitle)), m_prompts(prompts),
      m_imageList(GlyphImages::ButtonGlyphs())
{
    setObjectName(QStringLiteral("Form_MAIN"));
    setWindowTitle(QString(Texts::ApplicationTitle));
    Conversion = std::make_unique<DisplayScale>();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    buildLayout(client);
    m_connection = std::make_unique<ConnectionMenu>(*m_driver, *Menus, m_settings, m_prompts, this);
    connect(m_connection.get(), &ConnectionMenu::linkChanged, this, &MainWindow::RefreshStatusBar);
    m_sharing = new ShareDeviceMenu(*m_hub, *Menus, m_settings, m_prompts, this);
    connect(m_sharing, &ShareDeviceMenu::sharingChanged, this, &MainWindow::RefreshStatusBar);
    connect(m_hub.get(), &DeviceHub::clientCountChanged, this, &MainWindow::RefreshStatusBar);
    m_profiles = new ProfileMenu(*Menus, m_prompts, this);
    m_labels = std::make_unique<InputLabelFiles>(
        InputLabelFiles::Controls{Menus, PnlBtnInputs, TabSheet_Input, TabSheet_Audio}, m_settings);
    connectHandlers();
    bindDriver();
    FormCreate();
}

MainWindow::~MainWindow()
{
    // The hub's clients go first, while what their last signals reach is still there.
    m_hub->stop();
    // The secondary windows refer to the driver: they go before it does.
    for (QWidget* window : m_windows.All())
        delete window; // NOLINT: children of this window, destroyed early on purpose
    m_windows = SecondaryWindows{};
}

// ---- Layout -------------------------------------------------------------------------------------

void MainWindow::buildLayout(QWidget* client)
{
    // Top to bottom: the tool bar, the input buttons, the status column beside the pages, the
    // status bar. The pages take what the window gains when it grows.
    Menus = new MainMenus(this);
    Menus->ToolBar->setParent(client);

    PnlBtnInputs = new InputButtonRow(client);
    StatusArea = new StatusGridArea(client);

    PageControl = new QTabWidget(client);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(QStringLiteral("Pages"));
    PageControl->setUsesScrollButtons(false);
    PageControl->tabBar()->setMouseTracking(true); // hot-tracked tabs
    TabSheet_SwitchMode = new PageSwitchMode;
    TabSheet_Input = new PageInput;
    TabSheet_Output = new PageOutput;
    TabSheet_Image = new PageImage;
    TabSheet_Audio = new PageAudio;
    TabSheet_FrameAlert = new PageFrameAlert;
    TabSheet_Effect = new PageEffect;
    PageControl->addTab(TabSheet_SwitchMode, QString(Texts::PageSwitchMode));
    PageControl->addTab(TabSheet_Input, QString(Texts::PageInput));
    PageControl->addTab(TabSheet_Output, QString(Texts::PageOutput));
    PageControl->addTab(TabSheet_Image, QString(Texts::PageImage));
    PageControl->addTab(TabSheet_Audio, QString(Texts::PageAudio));
    PageControl->addTab(TabSheet_FrameAlert, QString(Texts::PageFrameAlert));
    PageControl->addTab(TabSheet_Effect, QString(Texts::PageEffect));

    StatusBar = new MainStatusBar(client);
    StatusBar->StateProvider = [this] { return statusBarState(); };

    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(Menus->ToolBar);
    column->addWidget(PnlBtnInputs);
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 2, 4, 2);
    middle->setSpacing(0);
    middle->addWidget(StatusArea);
    middle->addWidget(PageControl, 1);
    column->addLayout(middle, 1);
    column->addWidget(StatusBar);

    // Over the pages, outside the layout.
    PnlUpdater = new UpdateNotice(client);
    PnlUpdater->centreOver(PageControl);
    LblUpdater = PnlUpdater->LblUpdater;
    BtnOkUpdater = PnlUpdater->BtnOkUpdater;

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    TimerStatus = new QTimer(this);
    TimerStatus->setObjectName(QStringLiteral("TimerStatus"));
    TimerStatus->setInterval(2000);
}

void MainWindow::connectHandlers()
{
    auto guard = [](auto&& fn) { return [fn] { tesso::guarded(fn); }; };
    connect(Timer1, &QTimer::timeout, this, guard([this] { blinkTick(); }));
    connect(TimerStatus, &QTimer::timeout, this, guard([this] { hideFrameNotice(); }));
    connect(PageControl, &QTabWidget::currentChanged, this, guard([this] {
                pageAboutToChange();
                pageChanged();
            }));
    connect(Menus->MenuFileExit, &QAction::triggered, this, guard([this] { exitProgram(); }));
    connect(Menus->ToolButton_Exit, &QAction::triggered, this, guard([this] { exitProgram(); }));
    connect(Menus->MenuAboutMachine, &QAction::triggered, this, guard([this] { showAboutDevice(); }));
    connect(Menus->ToolButton_About, &QAction::triggered, this, guard([this] { showAboutDevice(); }));
    for (QAction* com : Menus->MenuCOM) {
        const int n = com->data().toInt();
        connect(com, &QAction::triggered, this, guard([this, n] { useComPort(n); }));
    }
    connect(Menus->MenuMIPConfig, &QAction::triggered, this, guard([this] { openIpConfig(); }));
    connect(Menus->MenuMachineLANSetup, &QAction::triggered, this, guard([this] { openDeviceLanSetup(); }));
}

// The window's own handlers of the driver's events; the pages bind theirs through their tables.
void MainWindow::bindDriver()
{
    m_display = std::make_unique<MainDisplay>(
        MainDisplay::Parts{PnlBtnInputs, StatusArea, TabSheet_SwitchMode, TabSheet_Output, TabSheet_Image,
                           TimerStatus, [this] { return InputLabelTable(); },
                           [this](bool visible) { setVisible(visible); }},
        *m_router);
    const MainRoutines routines = m_display->Routines();
    m_identity = std::make_unique<DeviceIdentity>(
        DeviceIdentity::Parts{PnlBtnInputs, StatusArea, Menus, PageControl, TabSheet_Input, TabSheet_Output,
                              TabSheet_Audio, TabSheet_SwitchMode, TabSheet_Effect, PnlUpdater,
                              [this](std::int64_t code) { LoadInputLabels(code); },
                              [this] { RefreshStatusBar(); },
                              [this](const QString& title) { setWindowTitle(title); }},
        routines, *m_router);
    m_subscriptions.push_back(m_router->subscribe(_STORE, [this] { RefreshStatusBar(); }));
    // A profile's connection file names the model last seen on its link (the client lists it).
    m_subscriptions.push_back(m_router->subscribe(_DEV, [this] {
        const std::int64_t code = m_driver->DEV();
        if (IsSupportedModel(code))
            m_connection->setLastModel(QString::fromLatin1(ModelTable::OfCode(code).name));
    }));
    PnlBtnInputs->BindTo(*m_router, routines, &m_imageList);
    TabSheet_SwitchMode->BindTo(*m_router);
    TabSheet_Input->BindTo(*m_router, routines);
    TabSheet_Output->BindTo(*m_router, routines);
    TabSheet_Image->BindTo(*m_router, *Conversion);
    TabSheet_Effect->BindTo(*m_router);
    TabSheet_FrameAlert->BindTo(*m_router, routines);
    m_transitions = std::make_unique<Transitions>(
        Transitions::Parts{PnlBtnInputs, StatusArea, Menus, PageControl, TabSheet_Output, TabSheet_SwitchMode,
                           TabSheet_Effect, centralWidget(), &m_imageList,
                           [this] { EffectButtonVisibility(); }},
        routines, *m_router);
    m_audio = std::make_unique<AudioIndicator>(*m_router, TabSheet_Audio->SpeedButton_Amute,
                                               Menus->ToolButton_Audio, StatusBar);
    TabSheet_Audio->BindTo(*m_router, routines);
    m_controls = std::make_unique<ControlsMenu>(*Menus, *m_router, m_prompts, this);
    m_settingsMenu = std::make_unique<DeviceSettingsMenu>(*Menus, *m_router, m_prompts, this);
    m_labels->ConnectMenus(m_prompts, this, [this] { return static_cast<std::int64_t>(m_driver->DEV()); });
}

StatusBarState MainWindow::statusBarState() const
{
    std::optional<int> clients;
    if (m_hub->isListening())
        clients = m_hub->clientCount();
    return {IsSupportedModel(m_driver->DEV()), m_blinkPhase, m_connection->LinkText(), m_driver->STORE(),
            clients};
}

// ---- Start-up -----------------------------------------------------------------------------------

void MainWindow::FormCreate()
{
    StatusArea->SetUpStatusGrid();
}

void MainWindow::Initialise(const SecondaryWindows& windows)
{
    m_windows = windows;
    m_connection->setDialogs(m_windows.IPConfigDlg, m_windows.Rs232LanDlg);
    m_identity->setAbout(m_windows.About);
    m_display->setTransferWindow(m_windows.TransferFrame);

    // 1. The debug console talks to this window's driver and shows what other programs send
    // through the hub.
    if (DebugConsole* console = m_windows.Debug) {
        console->setDriver(m_driver.get());
        connect(m_hub.get(), &DeviceHub::commandForwarded, console, &DebugConsole::addHubCommand);
        connect(m_hub.get(), &DeviceHub::logged, console, &DebugConsole::addHubNote);
    }

    // 2. Frame numbers.
    TabSheet_FrameAlert->FillFrameNumbers();

    // 3. Output sync items; the binding shows the device's choice on them again.
    TabSheet_Output->SetSyncItems(
        {QString(Texts::SyncHV), QString(Texts::SyncCompositeTtl), QString(Texts::SyncSog)});

    // 4. Debug key: window-wide Ctrl+Insert, acting only with the pointer over the first panel.
    auto* hotKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), this);
    hotKey->setObjectName(QStringLiteral("DebugHotKey"));
    hotKey->setContext(Qt::WindowShortcut);
    connect(hotKey, &QShortcut::activated, this,
            [this] { tesso::guarded([this] { DebugHotKey(QCursor::pos()); }); });
    connect(Menus->MenuDebugConsole, &QAction::triggered, this, &MainWindow::showDebugConsole);

    // 5. Shared value mapping of the picture page: the range its eight values share.
    const tesso::ValueRange picture = tesso::variableRange(_BRGT);
    Conversion->setDeviceMinimum(static_cast<int>(picture.minimum));
    Conversion->setDeviceMaximum(static_cast<int>(picture.maximum));
    Conversion->setShownMinimum(-128);
    Conversion->setShownMaximum(127);

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

    // 10. The notices are centred by their pages' layouts.

    // 11. Main timer.
    m_blinkPhase = 0;
    Timer1->setInterval(MainTimerInterval);
    PnlUpdater->setCountdown(UpdateNotice::CountdownTicks);
    Timer1->start();

    // 12. No model yet.
    ApplyDeviceModel(0);

    // 13. The black delay window appears inside the main window.
    if (m_windows.SyncTime) {
        m_windows.SyncTime->setParent(centralWidget(), Qt::Widget);
        m_windows.SyncTime->hide();
    }

    // 15. Program version, then 16., 17.
    m_versionText = AboutDialog::VersionText(TESSO_VERSION_MAJOR, TESSO_VERSION_MINOR, TESSO_VERSION_PATCH,
                                             TESSO_VERSION_TWEAK);
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    setStartUpTexts();

    // 18. The link, then the sharing of it as the window last left it.
    LoadConnectionSettings();
    m_sharing->Restore();

    // 19.
    Menus->SetToolBarHints();
    m_keyboard = new KeyboardShortcuts(
        {Menus, PageControl, PnlBtnInputs, StatusArea->Button_Take, Menus->ToolButton_Audio}, m_settings,
        m_prompts, this);

    // 20. The standby items and their windows; "Ok" in the projector message window stores the
    // message in the device.
    m_standby = std::make_unique<StandbyMenu>(
        *Menus, *m_router,
        StandbyMenu::Windows{m_windows.Standby, m_windows.SyncTime, m_windows.MessageProjector},
        centralWidget());
}

void MainWindow::setStartUpTexts()
{
    const QString lanSetup = TextFormat::Format(Texts::LanSetupFormat, {QString(Texts::ProgramName)});
    Menus->MenuMachineLANSetup->setText(lanSetup);
    if (m_windows.Rs232LanDlg)
        m_windows.Rs232LanDlg->setWindowTitle(lanSetup);
    const QString about = TextFormat::Format(Texts::AboutCaptionFormat,
                                             {QString(Texts::ProgramName), QString(Texts::RemoteControl)});
    Menus->MenuAboutMachine->setText(about);
    if (m_windows.About) {
        m_windows.About->setWindowTitle(about);
        m_windows.About->Label_version->setText(m_versionText);
    }
}

// ---- Closing ------------------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event)
{
    tesso::guarded([this] { shutDown(); });
    event->accept();
}

void MainWindow::shutDown()
{
    if (m_closed)
        return;
    m_closed = true;
    m_hub->stop(); // the clients go before the link they use
    tesso::guarded([this] { m_driver->closeSerialPort(); });
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

void MainWindow::blinkTick()
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

void MainWindow::updateBlinkingGlyphs()
{
    PnlBtnInputs->BtnFreeze->setIcon(m_imageList[m_driver->IFRZM() ? 3 : 0]);
    PnlBtnInputs->BtnBlack->setIcon(m_imageList[m_driver->OBLACK() ? 3 : 0]);
}

void MainWindow::hideFrameNotice()
{
    TimerStatus->stop();
    TabSheet_FrameAlert->LblFrameNotAvailable->hide();
}

// ---- Pages, menus -------------------------------------------------------------------------------

void MainWindow::pageAboutToChange()
{
    if (m_currentPage >= 0)
        PageControl->tabBar()->setTabTextColor(m_currentPage, QColor());
}

void MainWindow::pageChanged()
{
    UpdatePagesForInput();
    m_currentPage = PageControl->currentIndex();
    PageControl->tabBar()->setTabTextColor(m_currentPage, palette().color(QPalette::Highlight));
}

void MainWindow::exitProgram()
{
    if (m_prompts.Confirm(this, QString(Texts::AreYouSure)))
        close();
}

void MainWindow::showAboutDevice()
{
    if (!m_windows.About)
        return;
    m_windows.About->show();
    m_windows.About->raise();
}

void MainWindow::DebugHotKey(const QPoint& globalPointer)
{
    const QPoint p = StatusBar->mapFromGlobal(globalPointer);
    const bool overFirstPanel =
        p.x() >= 2 && p.x() <= StatusBar->PanelWidth(0) && p.y() >= 2 && p.y() <= StatusBar->height();
    if (overFirstPanel)
        showDebugConsole();
}

void MainWindow::showDebugConsole()
{
    if (!m_windows.Debug)
        return;
    m_windows.Debug->show();
    m_windows.Debug->raise();
    m_windows.Debug->activateWindow();
}

// ---- Settings, labels, device model ------------------------------------------------------------

void MainWindow::setProfileName(const QString& name)
{
    m_profileName = name;
    m_identity->setProfileName(name);
    m_profiles->setCurrent(name);
    m_connection->keepLastModel(!name.isEmpty());
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::LoadConnectionSettings()
{
    m_connection->Load();
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    RefreshStatusBar();
}

} // namespace tesso
