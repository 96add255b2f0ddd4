#include "MainMenus.h"

#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "Constante.h"
#include "SerialLink.h"
#include "TextFormat.h"

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

QString withoutAccessMarks(QString caption)
{
    return caption.remove(u'&');
}

} // namespace

TMainMenus::TMainMenus(QMainWindow* window) : QObject(window)
{
    QMenuBar* bar = window->menuBar();
    buildFile(bar);
    buildControls(bar);
    buildCustomize(bar);
    buildAbout(bar);
    buildToolBar(window);
}

void TMainMenus::buildFile(QMenuBar* bar)
{
    MenuFile = bar->addMenu(QString(Constante::MenuFile));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuFileSaveSettings = item(MenuFile, "MenuFileSaveSettings", QString(Constante::MenuSaveSettings));
    MenuFileRestoreSettings =
        item(MenuFile, "MenuFileRestoreSettings", QString(Constante::MenuRestoreSettings));
    MenuFile->addSeparator();
    MenuFileExit = item(MenuFile, "MenuFileExit", QString(Constante::MenuFileExit));
}

void TMainMenus::buildControls(QMenuBar* bar)
{
    MenuControls = bar->addMenu(QString(Constante::MenuControls));
    MenuControls->setObjectName(QStringLiteral("MenuControls"));

    MenuPullDown = submenu(MenuControls, "MenuPullDown", QString(Constante::MenuPullDown));
    PullDownGroup = new QActionGroup(this);
    MenuPullDownAuto = radio(MenuPullDown, PullDownGroup, "MenuPullDownAuto", QString(Constante::Auto), 1);
    MenuPulldownOff = radio(MenuPullDown, PullDownGroup, "MenuPulldownOff", QString(Constante::Off), 0);
    MenuPulldownOff->setChecked(true);

    MenuBlackDelay = submenu(MenuControls, "MenuBlackDelay", QString(Constante::MenuBlackDelay));
    BlackDelayGroup = new QActionGroup(this);
    MenuBlackDelayShort =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayShort", QString(Constante::Short), 0);
    MenuBlackDelayMedium =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayMedium", QString(Constante::Medium), 1);
    MenuBlackDelayLong =
        radio(MenuBlackDelay, BlackDelayGroup, "MenuBlackDelayLong", QString(Constante::Long), 2);
    MenuBlackDelayRange = item(MenuBlackDelay, "MenuBlackDelayRange", QString(Constante::BlackDelayRange));
    MenuBlackDelayRange->setVisible(false);

    QMenu* autoTake = submenu(MenuControls, "MenuAutoTake", QString(Constante::MenuAutoTake));
    MenuItem_AutoTake = autoTake->menuAction();
    MenuItem_AutoTake->setObjectName(QStringLiteral("MenuItem_AutoTake"));
    AutoTakeGroup = new QActionGroup(this);
    MenuItem_AutoTake_On = radio(autoTake, AutoTakeGroup, "MenuItem_AutoTake_On", QString(Constante::On), 1);
    MenuItem_AutoTake_Off =
        radio(autoTake, AutoTakeGroup, "MenuItem_AutoTake_Off", QString(Constante::Off), 0);

    MenuStandBy = submenu(MenuControls, "MenuStandBy", QString(Constante::MenuStandBy));
    MenuStandByOnOff = submenu(MenuStandBy, "MenuStandByOnOff", QString(Constante::MenuStandBy));
    auto* standBy = new QActionGroup(this);
    MenuStandByOn = radio(MenuStandByOnOff, standBy, "MenuStandByOn", QString(Constante::On), 1);
    MenuStandByOff = radio(MenuStandByOnOff, standBy, "MenuStandByOff", QString(Constante::Off), 0);
    MenuStandByTimer = item(MenuStandBy, "MenuStandByTimer", QString(Constante::MenuStandByTimer));
    MenuStandBy->addSeparator();
    MenuBaudRate = submenu(MenuStandBy, "MenuBaudRate", QString(Constante::MenuBaudRate));
    auto* baud = new QActionGroup(this);
    MenuBaud[0] = radio(MenuBaudRate, baud, "MenuBaud19200", QString(Constante::Baud19200), 3);
    MenuBaud[1] = radio(MenuBaudRate, baud, "MenuBaud9600", QString(Constante::Baud9600), 2);
    MenuBaud[2] = radio(MenuBaudRate, baud, "MenuBaud2400", QString(Constante::Baud2400), 1);
    MenuBaud[3] = radio(MenuBaudRate, baud, "MenuBaud1200", QString(Constante::Baud1200), 0);
    MenuRegisterCodes = submenu(MenuStandBy, "MenuRegisterCodes", QString(Constante::MenuRegisterCodes));
    MenuMessageOn = item(MenuRegisterCodes, "MenuMessageOn", QString(Constante::MessageOn));
    MenuMessageOff = item(MenuRegisterCodes, "MenuMessageOff", QString(Constante::MessageOff));

    MenuKeyLocking = submenu(MenuControls, "MenuKeyLocking", QString(Constante::MenuKeyLocking));
    MenuLockAll = item(MenuKeyLocking, "MenuLockAll", QString(Constante::All), 3);
    MenuKeyLocking->addSeparator();
    MenuLockMenu = item(MenuKeyLocking, "MenuLockMenu", QString(Constante::Menu), 1);
    MenuLockInput = item(MenuKeyLocking, "MenuLockInput", QString(Constante::Input), 2);
    for (QAction* lock : {MenuLockAll, MenuLockMenu, MenuLockInput})
        lock->setCheckable(true);

    MenuEraseAll = item(MenuControls, "MenuEraseAll", QString(Constante::MenuEraseAll));
    MenuDefaultValues = item(MenuControls, "MenuDefaultValues", QString(Constante::MenuDefaultValues));
    MenuMachineLANSetup = item(MenuControls, "MenuMachineLANSetup", QString());
    MenuMachineLANSetup->setVisible(false);

    MenuNoSignalAutolock =
        submenu(MenuControls, "MenuNoSignalAutolock", QString(Constante::MenuNoSignalAutolock));
    item(MenuNoSignalAutolock, "MenuAutolockOn", QString(Constante::On));
    item(MenuNoSignalAutolock, "MenuAutolockOff", QString(Constante::Off));
    MenuNoSignalAutolock->menuAction()->setVisible(false);
    MenuTransition = item(MenuControls, "MenuTransition", QString(Constante::MenuTransition));
    MenuTransition->setVisible(false);

    buildSerialPort();
}

void TMainMenus::buildSerialPort()
{
    MenuSerialPort = submenu(MenuControls, "MenuSerialPort", QString(Constante::MenuSerialPort));
    SerialPortGroup = new QActionGroup(this);
    // The handlers decide what stays checked (a cancelled network dialog keeps the old choice).
    SerialPortGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 16; ++n) {
        const QString caption = TextFormat::Format(Constante::ComFormat, n);
        QAction* action = radio(MenuSerialPort, SerialPortGroup, "", caption, n);
        action->setObjectName(QStringLiteral("MenuCOM%1").arg(n));
        // Which device the item opens on this system (COMn or the TESSO_COMn override).
        action->setStatusTip(caption + QStringLiteral(" = ") + SerialLink::devicePath(caption));
        action->setToolTip(action->statusTip());
        MenuCOM[static_cast<std::size_t>(n - 1)] = action;
    }
    MenuSerialPort->setToolTipsVisible(true);
    MenuSerialPort->addSeparator();
    MenuMIPConfig =
        radio(MenuSerialPort, SerialPortGroup, "MenuMIPConfig", QString(Constante::LanSetupItem), 0);
}

void TMainMenus::buildCustomize(QMenuBar* bar)
{
    MenuCustomize = bar->addMenu(QString(Constante::MenuCustomize));
    MenuCustomize->setObjectName(QStringLiteral("MenuCustomize"));
    for (int k = 1; k <= 8; ++k) {
        QAction* action = item(MenuCustomize, "", TextFormat::Format(Constante::InputLabelFormat, k), k);
        action->setObjectName(QStringLiteral("MenuInput%1").arg(k));
        MenuInput[static_cast<std::size_t>(k - 1)] = action;
    }
    MenuCustomize->addSeparator();
    for (int k = 1; k <= 8; ++k) {
        QAction* action = item(MenuCustomize, "", TextFormat::Format(Constante::AudioLabelFormat, k), k);
        action->setObjectName(QStringLiteral("MenuAudio%1").arg(k));
        MenuAudio[static_cast<std::size_t>(k - 1)] = action;
    }
    MenuCustomize->addSeparator();
    MenuCustomizeDefault = item(MenuCustomize, "MenuCustomizeDefault", QString(Constante::Default));
}

void TMainMenus::buildAbout(QMenuBar* bar)
{
    MenuAbout = bar->addMenu(QString(Constante::MenuAbout));
    MenuAbout->setObjectName(QStringLiteral("MenuAbout"));
    MenuAboutMachine = item(MenuAbout, "MenuAboutMachine", QString(Constante::MenuAboutItem));
}

void TMainMenus::buildToolBar(QMainWindow* window)
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
                                       withoutAccessMarks(QString(Constante::MenuEraseAll)));
    ToolButton_DefaultValues = actionButton("ToolButton_DefaultValues", QStyle::SP_DialogResetButton,
                                            withoutAccessMarks(QString(Constante::MenuDefaultValues)));
    ToolBar->addSeparator();
    ToolButton_Audio = actionButton("ToolButton_Audio", QStyle::SP_MediaVolume, QString(Constante::Mute));
    ToolButton_Audio->setToolTip(QString(Constante::Mute));
    ToolBar->addSeparator();
    ToolButton_Exit = actionButton("ToolButton_Exit", QStyle::SP_DialogCloseButton, QString(Constante::Exit));
    ToolButton_About =
        actionButton("ToolButton_About", QStyle::SP_MessageBoxInformation, QString(Constante::MenuAboutItem));
}

void TMainMenus::SetToolBarHints()
{
    ToolButton_SerialPort->setToolTip(withoutAccessMarks(MenuSerialPort->title()));
    ToolButton_KeyLocking->setToolTip(withoutAccessMarks(MenuKeyLocking->title()));
    ToolButton_StandBy->setToolTip(withoutAccessMarks(MenuStandBy->title()));
    ToolButton_EraseAll->setToolTip(withoutAccessMarks(MenuEraseAll->text()));
    ToolButton_DefaultValues->setToolTip(withoutAccessMarks(MenuDefaultValues->text()));
    ToolButton_Exit->setToolTip(withoutAccessMarks(MenuFileExit->text()));
    ToolButton_About->setToolTip(withoutAccessMarks(MenuAboutMachine->text()));
    // Assistive technology reads and reaches the buttons by name: the name is the hint.
    for (QAction* action : ToolBar->actions())
        if (QWidget* button = ToolBar->widgetForAction(action); button && !action->isSeparator())
            button->setAccessibleName(button->toolTip().isEmpty() ? action->toolTip() : button->toolTip());
}

int TMainMenus::CheckedComIndex() const
{
    for (int i = 0; i < 16; ++i)
        if (MenuCOM[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return -1;
}

TMainMenus::~TMainMenus() = default;
