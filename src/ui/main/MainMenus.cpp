#include "MainMenus.h"

#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "SerialLink.h"
#include "SerialPortScanner.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{

QAction* item(QMenu* menu, const char* name, const QString& caption, int tag = 0)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setData(tag);
    return action;
}

QAction* radio(QMenu* menu, QActionGroup* group, const char* name, const QString& caption, int tag)
{
    QAction* action = item(menu, name, caption, tag);
    action->setCheckable(true);
    group->addAction(action);
    return action;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

} // namespace

MainMenus::MainMenus(QMainWindow* window) : QObject(window)
{
    QMenuBar* bar = window->menuBar();
    buildFile(bar);
    buildControls(bar);
    buildCustomize(bar);
    buildAbout(bar);
    buildToolBar(window);
}

void MainMenus::buildFile(QMenuBar* bar)
{
    MenuFile = bar->addMenu(QString(Texts::MenuFile));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuFileSaveSettings = item(MenuFile, "MenuFileSaveSettings", QString(Texts::MenuSaveSettings));
    MenuFileRestoreSettings = item(MenuFile, "MenuFileRestoreSettings", QString(Texts::MenuRestoreSettings));
    MenuFile->addSeparator();
    MenuFileOpenDevice = item(MenuFile, "MenuFileOpenDevice", QString(Texts::MenuOpenAnotherDevice));
    MenuFileRenameProfile = item(MenuFile, "MenuFileRenameProfile", QString(Texts::MenuRenameProfile));
    MenuFileDeleteProfile = item(MenuFile, "MenuFileDeleteProfile", QString(Texts::MenuDeleteProfile));
    MenuFile->addSeparator();
    MenuFileShareDevice = item(MenuFile, "MenuFileShareDevice", QString(Texts::MenuShareDevice));
    MenuFile->addSeparator();
    MenuFileExit = item(MenuFile, "MenuFileExit", QString(Texts::MenuFileExit));
}

void MainMenus::buildControls(QMenuBar* bar)
{
    MenuControls = bar->addMenu(QString(Texts::MenuControls));
    MenuControls->setObjectName(QStringLiteral("MenuControls"));

    MenuPullDown = submenu(MenuControls, "MenuPullDown", QString(Texts::MenuPullDown));
    PullDownGroup = new QActionGroup(this);
    MenuPullDownAuto = radio(MenuPullDown, PullDownGroup, "MenuPullDownAuto", QString(Texts::Auto), 1);
    MenuPulldownOff = radio(MenuPullDown, PullDownGroup, "MenuPulldownOff", QString(Texts::Off), 0);
    MenuPulldownOff->setChecked(true);

    MenuBlackDelay = submenu(MenuControls, "MenuBlackDelay", QString(Texts::MenuBlackDelay));
    BlackDelayGroup = new QActionGroup(this);
    MenuBlackDelayShort =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayShort", QString(Texts::Short), 0);
    MenuBlackDelayMedium =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayMedium", QString(Texts::Medium), 1);
    MenuBlackDelayLong =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayLong", QString(Texts::Long), 2);
    MenuBlackDelayRange = item(MenuBlackDelay, "MenuBlackDelayRange", QString(Texts::BlackDelayRange));
    MenuBlackDelayRange->setVisible(false);

    QMenu* autoTake = submenu(MenuControls, "MenuAutoTake", QString(Texts::MenuAutoTake));
    MenuItem_AutoTake = autoTake->menuAction();
    MenuItem_AutoTake->setObjectName(QStringLiteral("MenuItem_AutoTake"));
    AutoTakeGroup = new QActionGroup(this);
    MenuItem_AutoTake_On = radio(autoTake, AutoTakeGroup, "MenuItem_AutoTake_On", QString(Texts::On), 1);
    MenuItem_AutoTake_Off = radio(autoTake, AutoTakeGroup, "MenuItem_AutoTake_Off", QString(Texts::Off), 0);

    MenuStandBy = submenu(MenuControls, "MenuStandBy", QString(Texts::MenuStandBy));
    MenuStandByOnOff = submenu(MenuStandBy, "MenuStandByOnOff", QString(Texts::MenuStandBy));
    auto* standBy = new QActionGroup(this);
    MenuStandByOn = radio(MenuStandByOnOff, standBy, "MenuStandByOn", QString(Texts::On), 1);
    MenuStandByOff = radio(MenuStandByOnOff, standBy, "MenuStandByOff", QString(Texts::Off), 0);
    MenuStandByTimer = item(MenuStandBy, "MenuStandByTimer", QString(Texts::MenuStandByTimer));
    MenuStandBy->addSeparator();
    MenuBaudRate = submenu(MenuStandBy, "MenuBaudRate", QString(Texts::MenuBaudRate));
    auto* baud = new QActionGroup(this);
    MenuBaud[0] = radio(MenuBaudRate, baud, "MenuBaud19200", QString(Texts::Baud19200), 3);
    MenuBaud[1] = radio(MenuBaudRate, baud, "MenuBaud9600", QString(Texts::Baud9600), 2);
    MenuBaud[2] = radio(MenuBaudRate, baud, "MenuBaud2400", QString(Texts::Baud2400), 1);
    MenuBaud[3] = radio(MenuBaudRate, baud, "MenuBaud1200", QString(Texts::Baud1200), 0);
    MenuRegisterCodes = submenu(MenuStandBy, "MenuRegisterCodes", QString(Texts::MenuRegisterCodes));
    MenuMessageOn = item(MenuRegisterCodes, "MenuMessageOn", QString(Texts::MessageOn));
    MenuMessageOff = item(MenuRegisterCodes, "MenuMessageOff", QString(Texts::MessageOff));

    MenuKeyLocking = submenu(MenuControls, "MenuKeyLocking", QString(Texts::MenuKeyLocking));
    MenuLockAll = item(MenuKeyLocking, "MenuLockAll", QString(Texts::All), 3);
    MenuKeyLocking->addSeparator();
    MenuLockMenu = item(MenuKeyLocking, "MenuLockMenu", QString(Texts::Menu), 1);
    MenuLockInput = item(MenuKeyLocking, "MenuLockInput", QString(Texts::Input), 2);
    for (QAction* lock : {MenuLockAll, MenuLockMenu, MenuLockInput})
        lock->setCheckable(true);

    MenuEraseAll = item(MenuControls, "MenuEraseAll", QString(Texts::MenuEraseAll));
    MenuDefaultValues = item(MenuControls, "MenuDefaultValues", QString(Texts::MenuDefaultValues));
    MenuMachineLANSetup = item(MenuControls, "MenuMachineLANSetup", QString());
    MenuMachineLANSetup->setVisible(false);

    MenuNoSignalAutolock =
        submenu(MenuControls, "MenuNoSignalAutolock", QString(Texts::MenuNoSignalAutolock));
    item(MenuNoSignalAutolock, "MenuAutolockOn", QString(Texts::On));
    item(MenuNoSignalAutolock, "MenuAutolockOff", QString(Texts::Off));
    MenuNoSignalAutolock->menuAction()->setVisible(false);
    MenuTransition = item(MenuControls, "MenuTransition", QString(Texts::MenuTransition));
    MenuTransition->setVisible(false);

    buildSerialPort();

    // The console by the menu too: the Ctrl+Insert key acts only with the pointer over the
    // first status panel, which nobody finds by chance.
    MenuControls->addSeparator();
    MenuDebugConsole = item(MenuControls, "MenuDebugConsole", QStringLiteral("Debug console"));
    MenuDebugConsole->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
}

void MainMenus::buildSerialPort()
{
    MenuSerialPort = submenu(MenuControls, "MenuSerialPort", QString(Texts::MenuSerialPort));
    SerialPortGroup = new QActionGroup(this);
    // The handlers decide what stays checked (a cancelled network dialog keeps the old choice).
    SerialPortGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 16; ++n) {
        const QString caption = TextFormat::Format(Texts::ComFormat, n);
        QAction* action = radio(MenuSerialPort, SerialPortGroup, "", caption, n);
        action->setObjectName(QStringLiteral("MenuCOM%1").arg(n));
        // Which device the item opens on this system (COMn or the TESSO_COMn override).
        action->setStatusTip(caption + QStringLiteral(" = ") + SerialLink::devicePath(caption));
        action->setToolTip(action->statusTip());
        MenuCOM[static_cast<std::size_t>(n - 1)] = action;
    }
    MenuSerialPort->setToolTipsVisible(true);
    MenuSerialPort->addSeparator();
    MenuNoSerialDevice = item(MenuSerialPort, "MenuNoSerialDevice", QStringLiteral("No serial port found"));
    MenuNoSerialDevice->setEnabled(false);
    MenuSerialDevicesEnd = MenuSerialPort->addSeparator();
    SerialPorts = new SerialPortScanner(this);
    MenuMIPConfig = radio(MenuSerialPort, SerialPortGroup, "MenuMIPConfig", QString(Texts::LanSetupItem), 0);
}

void MainMenus::buildCustomize(QMenuBar* bar)
{
    MenuCustomize = bar->addMenu(QString(Texts::MenuCustomize));
    MenuCustomize->setObjectName(QStringLiteral("MenuCustomize"));
    for (int k = 1; k <= 8; ++k) {
        QAction* action = item(MenuCustomize, "", TextFormat::Format(Texts::InputLabelFormat, k), k);
        action->setObjectName(QStringLiteral("MenuInput%1").arg(k));
        MenuInput[static_cast<std::size_t>(k - 1)] = action;
    }
    MenuCustomize->addSeparator();
    for (int k = 1; k <= 8; ++k) {
        QAction* action = item(MenuCustomize, "", TextFormat::Format(Texts::AudioLabelFormat, k), k);
        action->setObjectName(QStringLiteral("MenuAudio%1").arg(k));
        MenuAudio[static_cast<std::size_t>(k - 1)] = action;
    }
    MenuCustomize->addSeparator();
    MenuCustomizeDefault = item(MenuCustomize, "MenuCustomizeDefault", QString(Texts::Default));
}

void MainMenus::buildAbout(QMenuBar* bar)
{
    MenuAbout = bar->addMenu(QString(Texts::MenuAbout));
    MenuAbout->setObjectName(QStringLiteral("MenuAbout"));
    MenuAboutMachine = item(MenuAbout, "MenuAboutMachine", QString(Texts::MenuAboutItem));
    // Where people look for how to work the window (the keys first).
    MenuHelp = bar->addMenu(QStringLiteral("&Help"));
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
}

void MainMenus::buildToolBar(QMainWindow* window)
{
    ToolBar = new QToolBar(window);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(18, 18));
    QStyle* style = window->style();

    auto menuButton = [&](const char* name, QMenu* menu, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setIcon(style->standardIcon(icon));
        ToolBar->addWidget(button);
        return button;
    };
    auto actionButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& text) {
        QAction* action = ToolBar->addAction(style->standardIcon(icon), text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    ToolButton_SerialPort = menuButton("ToolButton_SerialPort", MenuSerialPort, QStyle::SP_DriveNetIcon);
    ToolButton_KeyLocking = menuButton("ToolButton_KeyLocking", MenuKeyLocking, QStyle::SP_DialogNoButton);
    ToolButton_StandBy = menuButton("ToolButton_StandBy", MenuStandBy, QStyle::SP_BrowserStop);
    ToolBar->addSeparator();
    ToolButton_EraseAll = actionButton("ToolButton_EraseAll", QStyle::SP_TrashIcon,
                                       TextFormat::WithoutAccessMarks(QString(Texts::MenuEraseAll)));
    ToolButton_DefaultValues =
        actionButton("ToolButton_DefaultValues", QStyle::SP_DialogResetButton,
                     TextFormat::WithoutAccessMarks(QString(Texts::MenuDefaultValues)));
    ToolBar->addSeparator();
    ToolButton_Audio = actionButton("ToolButton_Audio", QStyle::SP_MediaVolume, QString(Texts::Mute));
    ToolButton_Audio->setToolTip(QString(Texts::Mute));
    ToolButton_Audio->setCheckable(true); // down while muted
    ToolBar->addSeparator();
    ToolButton_Exit = actionButton("ToolButton_Exit", QStyle::SP_DialogCloseButton, QString(Texts::Exit));
    ToolButton_About =
        actionButton("ToolButton_About", QStyle::SP_MessageBoxInformation, QString(Texts::MenuAboutItem));
}

void MainMenus::SetToolBarHints()
{
    ToolButton_SerialPort->setToolTip(TextFormat::WithoutAccessMarks(MenuSerialPort->title()));
    ToolButton_KeyLocking->setToolTip(TextFormat::WithoutAccessMarks(MenuKeyLocking->title()));
    ToolButton_StandBy->setToolTip(TextFormat::WithoutAccessMarks(MenuStandBy->title()));
    ToolButton_EraseAll->setToolTip(TextFormat::WithoutAccessMarks(MenuEraseAll->text()));
    ToolButton_DefaultValues->setToolTip(TextFormat::WithoutAccessMarks(MenuDefaultValues->text()));
    ToolButton_Exit->setToolTip(TextFormat::WithoutAccessMarks(MenuFileExit->text()));
    ToolButton_About->setToolTip(TextFormat::WithoutAccessMarks(MenuAboutMachine->text()));
    // Assistive technology reads and reaches the buttons by name: the name is the hint.
    for (QAction* action : ToolBar->actions())
        if (QWidget* button = ToolBar->widgetForAction(action); button && !action->isSeparator())
            button->setAccessibleName(button->toolTip().isEmpty() ? action->toolTip() : button->toolTip());
}

int MainMenus::CheckedComIndex() const
{
    for (int i = 0; i < 16; ++i)
        if (MenuCOM[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return -1;
}

MainMenus::~MainMenus() = default;

} // namespace tesso
