#include "Unit_Main.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "ConnectionMenu.h"
#include "Constante.h"
#include "Conversion.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "FrmInput.h"
#include "GlyphImages.h"
#include "InputButtonRow.h"
#include "InputLabels.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageFrameAlert.h"
#include "PageImage.h"
#include "PageInput.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "StatusGridArea.h"
#include "TextFormat.h"
#include "Unit_About.h"
#include "Unit_Debug2007.h"
#include "Unit_MessageProjector.h"
#include "Unit_Standby.h"
#include "Unit_Sync_Time.h"
#include "UpdateNotice.h"
#include "UserPrompts.h"
#include "ipconfig.h"
#include "rs232lansetup.h"

namespace
{

QString hex4(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

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
    for (QWidget* window :
         {static_cast<QWidget*>(m_windows.Debug), m_windows.Gradient, m_windows.FrameFormat,
          m_windows.FrameDebug, static_cast<QWidget*>(m_windows.SyncTime),
          static_cast<QWidget*>(m_windows.Standby), static_cast<QWidget*>(m_windows.About),
          m_windows.TransferFrame, static_cast<QWidget*>(m_windows.Rs232LanDlg),
          static_cast<QWidget*>(m_windows.IPConfigDlg), static_cast<QWidget*>(m_windows.MessageProjector)})
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
    connect(Menus->MenuStandByTimer, &QAction::triggered, this, [this] {
        if (m_windows.Standby) {
            m_windows.Standby->show();
            m_windows.Standby->raise();
        }
    });
}

// The window's own handlers of the driver's events; the pages bind theirs through their tables.
void TForm_MAIN::bindDriver()
{
    m_subscriptions.push_back(m_router->subscribe(_DEV, [this] { DriverDEVChange(); }));
    m_subscriptions.push_back(m_router->subscribe(_VERV, [this] { DriverVERVChange(); }));
    m_subscriptions.push_back(m_router->subscribe(_STORE, [this] { RefreshStatusBar(); }));
    PnlBtnInputs->BindTo(*m_router);
    TabSheet_SwitchMode->BindTo(*m_router);
    TabSheet_Output->BindTo(*m_router);
    TabSheet_Audio->BindTo(*m_router);
    Menus->BindTo(*m_router);
}

StatusBarState TForm_MAIN::statusBarState() const
{
    StatusBarState state;
    state.Connected = IsSupportedModel(m_driver->DEV());
    state.BlinkPhase = m_blinkPhase;
    QString address = m_driver->IpRemoteAddress();
    QString port = QString::number(m_driver->IpRemotePort());
    if (m_windows.IPConfigDlg) {
        address = m_windows.IPConfigDlg->ERemoteAddr->text();
        port = m_windows.IPConfigDlg->ERemotePort->text();
    }
    state.LinkText = TMainStatusBar::LinkText(m_driver->ConType(), m_driver->Port(), address, port);
    state.Storing = m_driver->STORE();
    return state;
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

    // 1. The debug console talks to this window's driver.
    if (m_windows.Debug)
        m_windows.Debug->setDriver(m_driver.get());

    // 2. Frame numbers.
    QComboBox* frames = TabSheet_FrameAlert->CboFrameNumber;
    frames->clear();
    for (int i = 1; i <= 10; ++i)
        frames->addItem(TextFormat::Format(Constante::FrameNumberFormat, i));
    frames->setCurrentIndex(0);

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

    // 6. Effect button tags.
    StatusArea->SpeedButton_Cut->setProperty("Tag", 1);
    StatusArea->SpeedButton_Fade->setProperty("Tag", 2);
    StatusArea->SpeedButton_Title->setProperty("Tag", 3);

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

    // 20. "Ok" in the projector message window stores the message in the device.
    if (m_windows.MessageProjector)
        m_windows.MessageProjector->OnMSGOKChange = [this](TForm_MessageProjector*, int onOff, int count,
                                                           const std::uint8_t* codes) {
            MessageProjectorOK(onOff, count, codes);
        };
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
    // 6. (the audio and transition indicators join here with their pages)
    cycleAboutLogo();
}

void TForm_MAIN::updateBlinkingGlyphs()
{
    PnlBtnInputs->BtnFreeze->setIcon(m_imageList[m_driver->IFRZM() ? 3 : 0]);
    PnlBtnInputs->BtnBlack->setIcon(m_imageList[m_driver->OBLACK() ? 3 : 0]);
}

void TForm_MAIN::cycleAboutLogo()
{
    if (IsSupportedModel(m_driver->DEV()) || !m_windows.About)
        return;
    int position = m_windows.About->LogoIndex();
    for (int step = 0; step < tesso::ModelTable::Positions; ++step) {
        position = position >= tesso::ModelTable::Positions - 1 ? 0 : position + 1;
        if (tesso::ModelTable::CodeAt(position) != 0)
            break;
    }
    m_windows.About->setLogoIndex(position);
    m_windows.About->RefreshLogo();
}

void TForm_MAIN::TimerStatusTimer()
{
    TimerStatus->stop();
    TabSheet_FrameAlert->LblFrameNotAvailable->hide();
}

int TForm_MAIN::UpdateNoticeCountdown() const
{
    return PnlUpdater->Countdown();
}

void TForm_MAIN::BtnOkUpdaterClick()
{
    PnlUpdater->BtnOkUpdaterClick();
}

// ---- Pages, menus -------------------------------------------------------------------------------

void TForm_MAIN::PageControlChanging()
{
    if (m_currentPage >= 0)
        PageControl->tabBar()->setTabTextColor(m_currentPage, QColor());
}

void TForm_MAIN::PageControlChange()
{
    // The pages' availability for the current input joins here with the pages' contents.
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

void TForm_MAIN::MenuCOMClick(int n)
{
    m_connection->MenuCOMClick(n);
}

void TForm_MAIN::MenuMIPConfigClick()
{
    m_connection->MenuMIPConfigClick();
}

void TForm_MAIN::MenuMachineLANSetupClick()
{
    m_connection->MenuMachineLANSetupClick();
}

void TForm_MAIN::MessageProjectorOK(int onOff, int count, const std::uint8_t* codes)
{
    // Cell by cell: the index first, then the character; a 0 after the last one ends the message.
    const int n = codes ? std::clamp(count, 0, 255) : 0;
    auto store = [this, onOff](std::uint32_t index, std::uint32_t code) {
        if (onOff == 0) {
            m_driver->setSTBION(index);
            m_driver->setSTBON(code);
        } else {
            m_driver->setSTBIOFF(index);
            m_driver->setSTBOFF(code);
        }
    };
    for (int i = 0; i < n; ++i)
        store(static_cast<std::uint32_t>(i), codes[i]);
    store(static_cast<std::uint32_t>(n), 0);
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

// ---- Settings and labels ------------------------------------------------------------------------

QString TForm_MAIN::BuildWindowTitle(std::int64_t code)
{
    QString name(Constante::ProgramName);
    if (IsSupportedModel(code)) {
        name = QString::fromLatin1(tesso::ModelTable::OfCode(code).name);
        if (m_windows.About)
            m_windows.About->setLogoIndex(ModelIndex(code));
    }
    if (m_windows.About)
        m_windows.About->RefreshLogo();
    return TextFormat::Format(Constante::WindowTitleFormat, {name, QString(Constante::RemoteControl)});
}

void TForm_MAIN::LoadConnectionSettings()
{
    m_connection->Load();
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    RefreshStatusBar();
}

void TForm_MAIN::SaveConnectionSettings()
{
    m_connection->Save();
}

void TForm_MAIN::LoadInputLabels(std::int64_t code)
{
    m_labels->Load(code);
}

void TForm_MAIN::SaveInputLabels(std::int64_t code)
{
    m_labels->Save(code);
}

void TForm_MAIN::ApplyInputLabels()
{
    m_labels->Apply(m_driver->DEV());
}

QStringList TForm_MAIN::InputLabelTable() const
{
    return m_labels->Table();
}

// ---- Device model -------------------------------------------------------------------------------

void TForm_MAIN::DriverDEVChange()
{
    const std::uint32_t dev = m_driver->DEV();
    if (m_windows.About)
        m_windows.About->Label_D->setText(TextFormat::Format(Constante::LabelDFormat, {hex4(dev)}));
    if (dev == m_appliedModel)
        return;
    if (IsSupportedModel(dev))
        LoadInputLabels(dev);
    ApplyDeviceModel(dev);
    RefreshStatusBar();
}

void TForm_MAIN::ApplyDeviceModel(std::int64_t code)
{
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    m_appliedModel = code;
    if (!IsSupportedModel(code)) {
        for (QToolButton* button : PnlBtnInputs->BtnInput)
            button->setEnabled(false);
        return;
    }
    const int position = ModelIndex(code);
    const int n = tesso::ModelTable::InputCount(position);
    PnlBtnInputs->LayOutInputs(n);
    for (int i = 0; i < 8; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool shown = i <= n - 1;
        QToolButton* button = PnlBtnInputs->BtnInput[at];
        button->setEnabled(true);
        button->setToolTip(QString::fromLatin1(tesso::ModelTable::ConnectorName(i + 1)));
        button->setVisible(shown);
        TabSheet_Input->FrameInput[at]->setVisible(shown);
        TabSheet_Audio->RdoACHANM[at]->setVisible(shown);
        Menus->MenuInput[at]->setVisible(shown);
        Menus->MenuAudio[at]->setVisible(shown);
    }
    Menus->MenuMachineLANSetup->setVisible(true);
    TabSheet_SwitchMode->RadioGroup_SWITCHMODE->setVisible(true);
    TabSheet_Input->StaticText_ReferenceAR->setVisible(true);
    PageControl->setTabVisible(PageControl->indexOf(TabSheet_Effect),
                               tesso::ModelTable::EffectChoiceCount(position) > 0);
}

void TForm_MAIN::DriverVERVChange()
{
    const std::uint32_t verv = m_driver->VERV();
    const int expected = tesso::ModelTable::ExpectedFirmware(ModelIndex(m_driver->DEV()));
    if (static_cast<std::int64_t>(verv) > expected)
        ShowUpdateNotice(
            TextFormat::Format(Constante::NewSoftwareFormat, {QString(Constante::SoftwareDescription)}));
    else if (static_cast<std::int64_t>(verv) < expected)
        ShowUpdateNotice(TextFormat::Format(Constante::NewFirmwareFormat, {QString(Constante::ProgramName)}));
    if (m_windows.About)
        m_windows.About->label_v->setText(TextFormat::Format(Constante::LabelVFormat, {hex4(verv)}));
}

void TForm_MAIN::ShowUpdateNotice(const QString& text)
{
    PnlUpdater->ShowNotice(text);
}

// ---- Status bar ---------------------------------------------------------------------------------

void TForm_MAIN::RefreshStatusBar()
{
    StatusBar->Refresh();
}

QString TForm_MAIN::StatusPanelText(int panel) const
{
    return StatusBar->PanelText(panel);
}
