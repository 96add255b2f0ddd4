#include "Unit_Main.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "Constante.h"
#include "Conversion.h"
#include "ErrorReport.h"
#include "FrmInput.h"
#include "GlyphImages.h"
#include "InputButtonRow.h"
#include "MainMenus.h"
#include "MainStatusBar.h"
#include "ModelTable.h"
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
      m_settings(settingsDirectory, QString(Constante::ApplicationTitle)), m_prompts(prompts),
      m_imageList(GlyphImages::ButtonGlyphs())
{
    setObjectName(QStringLiteral("Form_MAIN"));
    setWindowTitle(QString(Constante::ApplicationTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Conversion = std::make_unique<TConversion>();
    buildLayout();
    connectHandlers();
    bindDriverEvents();
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
    if (m_driver) {
        // No driver event may reach a half-destroyed window.
        m_driver->OnDEVchange = nullptr;
        m_driver->OnVERVchange = nullptr;
        m_driver->OnSTOREchange = nullptr;
    }
}

// ---- Layout -------------------------------------------------------------------------------------

void TForm_MAIN::buildLayout()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

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

    PnlUpdater = new QFrame(client);
    PnlUpdater->setObjectName(QStringLiteral("PnlUpdater"));
    PnlUpdater->setFrameShape(QFrame::Panel);
    PnlUpdater->setFrameShadow(QFrame::Raised);
    PnlUpdater->setAutoFillBackground(true);
    PnlUpdater->setGeometry(PageControl->x() + (593 - 504) / 2, PageControl->y() + 441 / 2 - 57 / 2, 504, 57);
    auto* updaterPicture = new QLabel(PnlUpdater);
    updaterPicture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    updaterPicture->setGeometry(8, 12, 32, 32);
    LblUpdater = new QLabel(PnlUpdater);
    LblUpdater->setObjectName(QStringLiteral("LblUpdater"));
    LblUpdater->setWordWrap(true);
    LblUpdater->setGeometry(48, 4, 400, 49);
    BtnOkUpdater = new QPushButton(QString(Constante::Ok), PnlUpdater);
    BtnOkUpdater->setObjectName(QStringLiteral("BtnOkUpdater"));
    BtnOkUpdater->setGeometry(456, 16, 40, 24);
    PnlUpdater->hide();

    StatusBar = new TMainStatusBar(client);
    StatusBar->setGeometry(0, ClientHeight - TMainStatusBar::BarHeight, ClientWidth,
                           TMainStatusBar::BarHeight);
    StatusBar->StateProvider = [this] {
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
    };

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
    connect(BtnOkUpdater, &QPushButton::clicked, this, guard([this] { BtnOkUpdaterClick(); }));
}

void TForm_MAIN::bindDriverEvents()
{
    m_driver->OnDEVchange = [this](TMirex_d*, int) { DriverDEVChange(); };
    m_driver->OnVERVchange = [this](TMirex_d*, int) { DriverVERVChange(); };
    m_driver->OnSTOREchange = [this](TMirex_d*, int) { RefreshStatusBar(); };
}

// ---- Start-up -----------------------------------------------------------------------------------

void TForm_MAIN::FormCreate()
{
    StatusArea->SetUpStatusGrid();
}

void TForm_MAIN::Initialise(const SecondaryWindows& windows)
{
    m_windows = windows;

    // 1. The debug console talks to this window's driver.
    if (m_windows.Debug)
        m_windows.Debug->setDriver(m_driver.get());

    // 2. Frame numbers.
    QComboBox* frames = TabSheet_FrameAlert->CboFrameNumber;
    frames->clear();
    for (int i = 1; i <= 10; ++i)
        frames->addItem(TextFormat::Format(Constante::FrameNumberFormat, i));
    frames->setCurrentIndex(0);

    // 3. Output sync items.
    TabSheet_Output->RdoOutputSync->setItems(
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
    m_updateCountdown = 10000 / MainTimerInterval;
    Timer1->start();

    // 12. No model yet.
    ApplyDeviceModel(0);

    // 13. The black delay window appears inside the main window.
    if (m_windows.SyncTime) {
        m_windows.SyncTime->setParent(centralWidget(), Qt::Widget);
        m_windows.SyncTime->hide();
    }

    // 15. Program version.
    initialiseVersion();

    // 16., 17.
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

    m_initialised = true;
}

void TForm_MAIN::centreLabel(QWidget* label, const QWidget* page)
{
    // The pages have their final size only once the page control is laid out.
    const QSize pageSize = PageControl->currentWidget() ? PageControl->currentWidget()->size() : page->size();
    label->move(pageSize.width() / 2 - label->width() / 2, pageSize.height() / 2 - label->height() / 2);
}

void TForm_MAIN::initialiseVersion()
{
    m_versionText = TAbout_Tesso::VersionText(TESSO_VERSION_MAJOR, TESSO_VERSION_MINOR, TESSO_VERSION_PATCH,
                                              TESSO_VERSION_TWEAK);
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
    // 2.
    updateBlinkingGlyphs();
    // 3. The update notice hides itself when its countdown has run out.
    if (PnlUpdater->isVisibleTo(this)) {
        if (m_updateCountdown >= 1)
            --m_updateCountdown;
        else
            PnlUpdater->hide();
    }
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
    for (int step = 0; step < ModelTable::Positions; ++step) {
        position = position >= ModelTable::Positions - 1 ? 0 : position + 1;
        if (ModelTable::CodeAt(position) != 0)
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

void TForm_MAIN::selectComItem(int n)
{
    if (n >= 1 && n <= 16) {
        m_serialChoice = Menus->MenuCOM[static_cast<std::size_t>(n - 1)];
        m_serialChoice->setChecked(true);
    }
}

void TForm_MAIN::MenuCOMClick(int n)
{
    tesso::guarded([&] { m_driver->setPort(TextFormat::Format(Constante::ComDevicePathFormat, n)); });
    selectComItem(n);
    tesso::guarded([&] { m_driver->setConType(CON_RS232); });
    RefreshStatusBar();
}

void TForm_MAIN::MenuMIPConfigClick()
{
    // The menu checks the item as it is clicked; only an applied dialog keeps it so.
    if (m_windows.IPConfigDlg && m_windows.IPConfigDlg->Execute())
        m_serialChoice = Menus->MenuMIPConfig;
    if (m_serialChoice)
        m_serialChoice->setChecked(true);
    else
        Menus->MenuMIPConfig->setChecked(false);
    RefreshStatusBar();
}

void TForm_MAIN::MenuMachineLANSetupClick()
{
    if (m_windows.Rs232LanDlg)
        m_windows.Rs232LanDlg->Execute();
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

void TForm_MAIN::BtnOkUpdaterClick()
{
    m_updateCountdown = 0;
    PnlUpdater->hide();
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

// ---- Settings -----------------------------------------------------------------------------------

QString TForm_MAIN::BuildWindowTitle(std::int64_t code)
{
    QString name(Constante::ProgramName);
    if (IsSupportedModel(code)) {
        name = ModelTable::ModelName(ModelIndex(code));
        if (m_windows.About)
            m_windows.About->setLogoIndex(ModelIndex(code));
    }
    if (m_windows.About)
        m_windows.About->RefreshLogo();
    return TextFormat::Format(Constante::WindowTitleFormat, {name, QString(Constante::RemoteControl)});
}

void TForm_MAIN::LoadConnectionSettings()
{
    ConnectionValues v = m_settings.ReadConnection();
    tesso::guarded([&] {
        m_driver->setIpRemoteAddress(v.RemoteIp);
        m_driver->setIpRemotePort(v.RemotePort);
        m_driver->setIpLocalPort(v.LocalPort);
    });
    if (v.Port == -1) {
        m_prompts.Information(this, QString(Constante::SelectPort));
        v.Port = 0;
        v.IpEnable = 0;
        tesso::guarded([&] {
            m_driver->setIpRemoteAddress(QString(Constante::DefaultRemoteIp));
            m_driver->setIpRemotePort(10500);
            m_driver->setIpLocalPort(10500);
        });
    }
    // A hand-edited port outside COM1..COM16 falls back to COM1.
    if (v.Port < 0 || v.Port > 15)
        v.Port = 0;
    // The link text of the status bar is read from the network dialog's fields: they start with the
    // saved address rather than the dialog's design values.
    if (m_windows.IPConfigDlg)
        m_windows.IPConfigDlg->LoadFromDriver();

    if (v.IpEnable == 1 || v.IpEnable == 2) {
        tesso::guarded([&] { m_driver->setConType(v.IpEnable == 1 ? CON_UDP : CON_TCP); });
        m_serialChoice = Menus->MenuMIPConfig;
        m_serialChoice->setChecked(true);
    } else {
        tesso::guarded([&] { m_driver->setConType(CON_RS232); });
        Menus->MenuCOM[static_cast<std::size_t>(v.Port)]->trigger();
    }
    setWindowTitle(BuildWindowTitle(m_driver->DEV()));
    RefreshStatusBar();
}

void TForm_MAIN::SaveConnectionSettings()
{
    ConnectionValues v;
    v.Port = std::max(0, Menus->CheckedComIndex());
    v.RemoteIp = m_driver->IpRemoteAddress();
    v.RemotePort = m_driver->IpRemotePort();
    v.LocalPort = m_driver->IpLocalPort();
    v.IpEnable = static_cast<int>(m_driver->ConType());
    m_settings.WriteConnection(v); // a failure is not worth stopping the exit for
}

void TForm_MAIN::LoadInputLabels(std::int64_t code)
{
    if (!IsSupportedModel(code))
        return;
    const int position = ModelIndex(code);
    const int n = ModelTable::InputCount(position);
    InputLabels defaults;
    defaults.Black = QString(Constante::Black);
    for (int k = 1; k <= n; ++k) {
        defaults.Inputs << ModelTable::DefaultInputLabel(position, k);
        defaults.Audios << TextFormat::Format(Constante::AudioLabelFormat, k);
    }
    InputLabels labels;
    if (m_settings.ReadLabels(ModelTable::ModelName(position), defaults, labels)) {
        PnlBtnInputs->BtnBlack->setText(labels.Black);
        for (int k = 1; k <= n; ++k) {
            Menus->MenuInput[static_cast<std::size_t>(k - 1)]->setText(labels.Inputs.at(k - 1));
            Menus->MenuAudio[static_cast<std::size_t>(k - 1)]->setText(labels.Audios.at(k - 1));
        }
    } else {
        for (int k = 1; k <= n; ++k) {
            Menus->MenuInput[static_cast<std::size_t>(k - 1)]->setText(
                TextFormat::Format(Constante::InputLabelFormat, k));
            Menus->MenuAudio[static_cast<std::size_t>(k - 1)]->setText(
                TextFormat::Format(Constante::AudioLabelFormat, k));
        }
    }
    ApplyInputLabels();
}

void TForm_MAIN::ApplyInputLabels()
{
    const int n = inputCount();
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const QString input = Menus->MenuInput[i]->text();
        const QString audio = Menus->MenuAudio[i]->text();
        PnlBtnInputs->BtnInput[i]->setText(input);
        if (TFrameInput* frame = TabSheet_Input->FrameInput[i])
            frame->Lbl->setText(input);
        TabSheet_Audio->RdoACHANM[i]->setText(audio + QStringLiteral(" (") + input + u')');
    }
    m_inputLabelTable = QStringList{QString(Constante::InternalRate)};
    for (int k = 1; k <= n; ++k)
        m_inputLabelTable << PnlBtnInputs->BtnInput[static_cast<std::size_t>(k - 1)]->text();
    SaveInputLabels(m_driver->DEV());
}

void TForm_MAIN::SaveInputLabels(std::int64_t code)
{
    if (!IsSupportedModel(code))
        return;
    const int position = ModelIndex(code);
    const int n = ModelTable::InputCount(position);
    InputLabels labels;
    labels.Black = PnlBtnInputs->BtnBlack->text();
    for (int k = 1; k <= n; ++k) {
        labels.Inputs << Menus->MenuInput[static_cast<std::size_t>(k - 1)]->text();
        labels.Audios << Menus->MenuAudio[static_cast<std::size_t>(k - 1)]->text();
    }
    m_settings.WriteLabels(ModelTable::ModelName(position), labels);
}

int TForm_MAIN::inputCount() const
{
    return ModelTable::InputCount(ModelIndex(m_driver->DEV()));
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
    const int n = ModelTable::InputCount(position);
    PnlBtnInputs->LayOutInputs(n);
    for (int i = 0; i < 8; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool shown = i <= n - 1;
        QToolButton* button = PnlBtnInputs->BtnInput[at];
        button->setEnabled(true);
        button->setToolTip(ModelTable::ConnectorName(i + 1));
        button->setVisible(shown);
        if (TFrameInput* frame = TabSheet_Input->FrameInput[at])
            frame->setVisible(shown);
        TabSheet_Audio->RdoACHANM[at]->setVisible(shown);
        Menus->MenuInput[at]->setVisible(shown);
        Menus->MenuAudio[at]->setVisible(shown);
    }
    Menus->MenuMachineLANSetup->setVisible(true);
    TabSheet_SwitchMode->RadioGroup_SWITCHMODE->setVisible(true);
    TabSheet_Input->StaticText_ReferenceAR->setVisible(true);
    PageControl->setTabVisible(PageControl->indexOf(TabSheet_Effect),
                               ModelTable::EffectChoiceCount(position) != 0);
}

void TForm_MAIN::DriverVERVChange()
{
    const std::uint32_t verv = m_driver->VERV();
    const int expected = ModelTable::ExpectedFirmware(ModelIndex(m_driver->DEV()));
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
    LblUpdater->setText(text);
    PnlUpdater->show();
    PnlUpdater->raise();
    m_updateCountdown = 10000 / MainTimerInterval;
}

// ---- Status bar ---------------------------------------------------------------------------------

void TForm_MAIN::RefreshStatusBar()
{
    StatusBar->update();
}

QString TForm_MAIN::StatusPanelText(int panel) const
{
    return StatusBar->PanelText(panel);
}
