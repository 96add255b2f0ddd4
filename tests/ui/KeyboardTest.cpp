// The main window by keyboard alone: the show keys (on and off, remembered), the page keys, the
// debug console opened and used by keys, and the accessible toggle action of checkable buttons.

#include <array>
#include <functional>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "CheckableButtonAccessible.h"
#include "DebugConsole.h"
#include "KeyboardShortcuts.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "PageImage.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "SendMemo.h"
#include "ValueSlider.h"

using namespace tesso::test::mainwindow;

namespace
{

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

QString savedKey(const Harness& h)
{
    IniFile ini;
    ini.load(h.connectionFile());
    return ini.value(QString(SettingsFileKeys::SectionKeyboard), QString(SettingsFileKeys::KeyShowShortcuts))
        .value_or(QString());
}

} // namespace

TEST(Keyboard, ShowKeysActThroughTheButtonsOnlyWhileTurnedOn)
{
    ConnectedWindow h;
    activate(h.main.get());
    KeyboardShortcuts& keys = h.main->Keyboard();
    QWidget* focus = h.main->PageControl->tabBar();
    focus->setFocus();

    ASSERT_FALSE(keys.MenuKeyboardShowControl->isChecked()) << "off by default";
    QTest::keyClick(focus, Qt::Key_3);
    QTest::keyClick(focus, Qt::Key_T);
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_TRUE(keys.ShowCommands[2]->shortcut().isEmpty()) << "the menu shows no key while off";

    keys.MenuKeyboardShowControl->trigger();
    EXPECT_EQ(savedKey(h), QStringLiteral("1"));
    EXPECT_EQ(keys.ShowCommands[2]->shortcut(), QKeySequence(Qt::Key_3));
    EXPECT_EQ(keys.ShowCommands[8]->text(), QStringLiteral("TAKE"));
    // The same commands as the buttons' clicks; the keypad's digits too.
    h.button(3)->click();
    h.main->StatusArea->Button_Take->click();
    const QByteArray byClicks = h.sent();
    QTest::keyClick(focus, Qt::Key_3);
    QTest::keyClick(focus, Qt::Key_T);
    EXPECT_EQ(h.sent(), byClicks);
    ASSERT_FALSE(byClicks.isEmpty());
    QTest::keyClick(focus, Qt::Key_5, Qt::KeypadModifier);
    const QByteArray byKeypad = h.sent();
    h.button(5)->click();
    EXPECT_EQ(byKeypad, h.sent());
    const std::function<void()> clicks[] = {[&] { h.main->PnlBtnInputs->BtnBlack->click(); },
                                            [&] { h.main->PnlBtnInputs->BtnFreeze->click(); },
                                            [&] { h.main->Menus->ToolButton_Audio->trigger(); }};
    for (const int key : {0, 1, 2}) {
        QTest::keyClick(focus, std::array{Qt::Key_B, Qt::Key_F, Qt::Key_M}[key]);
        const QByteArray byKey = h.sent();
        clicks[key]();
        EXPECT_EQ(byKey, h.sent()) << key;
        EXPECT_FALSE(byKey.isEmpty()) << key;
    }
    // A hidden button is not there to be pressed; a field that takes text keeps its digits.
    h.button(8)->hide();
    QTest::keyClick(focus, Qt::Key_8);
    h.main->PageControl->setCurrentWidget(h.main->TabSheet_Image);
    QLineEdit* field = h.main->TabSheet_Image->findChild<ValueSlider*>()->Edt;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_4);
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_TRUE(field->text().endsWith(u'4'));

    keys.MenuKeyboardShortcuts->trigger();
    ASSERT_FALSE(h.prompts.informations.isEmpty());
    const QString list = h.prompts.informations.last().text;
    EXPECT_TRUE(list.contains(QStringLiteral(": on")) && list.contains(QStringLiteral("T\tTAKE")) &&
                list.contains(QStringLiteral("M\tMute")))
        << list.toStdString();

    keys.MenuKeyboardShowControl->trigger();
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_B);
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_EQ(savedKey(h), QStringLiteral("0"));
}

TEST(Keyboard, TheChoiceIsRememberedAcrossStarts)
{
    Harness h;
    h.startWith("[CONNEXION]\nPort=0\n[Keyboard]\nShowShortcuts=1\n");
    EXPECT_TRUE(h.main->Keyboard().ShowKeysOn());
    h.main->shutDown(); // rewrites the connection section
    EXPECT_EQ(savedKey(h), QStringLiteral("1"));
}

TEST(Keyboard, PagesTurnFromAnywhereAndTheConsoleOpensAndSends)
{
    ConnectedWindow h;
    activate(h.main.get());
    h.main->Keyboard().MenuKeyboardShowControl->trigger();
    QTabWidget* pages = h.main->PageControl;
    h.button(1)->setFocus(); // outside the page control
    QTest::keyClick(h.button(1), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    QTest::keyClick(h.button(1), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(h.button(1), Qt::Key_PageUp, Qt::ControlModifier);
    int last = pages->count() - 1;
    while (!pages->isTabVisible(last))
        --last;
    EXPECT_EQ(pages->currentIndex(), last) << "round the end, past hidden pages";
    EXPECT_EQ(h.sent(), QByteArray());

    QTest::keyClick(h.button(1), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    DebugConsole* console = h.main->Windows().Debug;
    ASSERT_TRUE(QTest::qWaitFor([console] { return QApplication::activeWindow() == console; }));
    QTest::keyClick(console->Memo_Send, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), last) << "the console keeps its keys";
    ASSERT_EQ(QApplication::focusWidget(), console->Memo_Send);
    QTest::keyClicks(console->Memo_Send, QStringLiteral("3CN"));
    EXPECT_EQ(h.sent(), QByteArray()) << "typed, not yet sent, and no show key";
    QTest::keyClick(console->Memo_Send, Qt::Key_Return);
    EXPECT_EQ(h.sent(), QByteArray("3CN"));
}

// The toggle action clicks: the command goes out, as with the mouse.
TEST(Keyboard, TheAccessibleToggleActionSendsTheCommand)
{
    ConnectedWindow h;
    QAbstractButton* const buttons[] = {h.button(3), h.main->PnlBtnInputs->BtnBlack,
                                        h.main->PnlBtnInputs->BtnFreeze, h.main->StatusArea->SpeedButton_Fade,
                                        h.main->TabSheet_SwitchMode->RadioGroup_SWITCHMODE->button(1)};
    for (QAbstractButton* button : buttons) {
        button->click();
        const QByteArray byClick = h.sent();
        ASSERT_FALSE(byClick.isEmpty()) << button->objectName().toStdString();
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        ASSERT_TRUE(actions && actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(h.sent(), byClick) << button->objectName().toStdString();
    }
}

// Role, name and states are Qt's own: a twin of each button asked with Qt's interface alone.
TEST(Keyboard, TheAccessibleButtonReportsWhatQtReports)
{
    CheckableButtonAccessible::installFactory();
    QWidget parents[2]; // apart, or one radio button would uncheck the other
    auto make = [](int kind, QWidget* parent) -> QAbstractButton* {
        QAbstractButton* b = kind == 1   ? static_cast<QAbstractButton*>(new QRadioButton(parent))
                             : kind == 2 ? static_cast<QAbstractButton*>(new QCheckBox(parent))
                                         : static_cast<QAbstractButton*>(new QToolButton(parent));
        b->setText(QStringLiteral("B&lack && white")); // before it is checkable, as the window does
        b->setCheckable(kind != 3);
        b->setChecked(kind == 0 || kind == 1);
        return b;
    };
    for (int kind = 0; kind < 4; ++kind) { // checkable tool button, radio, check box, tool button
        QAbstractButton* ours = make(kind, &parents[0]);
        QAbstractButton* twin = make(kind, &parents[1]);
        QAccessibleInterface* mine = QAccessible::queryAccessibleInterface(ours);
        QAccessible::removeFactory(CheckableButtonAccessible::Factory);
        QAccessibleInterface* qts = QAccessible::queryAccessibleInterface(twin);
        QAccessible::installFactory(CheckableButtonAccessible::Factory);
        ASSERT_TRUE(dynamic_cast<CheckableButtonAccessible*>(mine)) << kind;
        EXPECT_EQ(mine->role(), qts->role()) << kind;
        EXPECT_EQ(mine->text(QAccessible::Name), qts->text(QAccessible::Name)) << kind;
        EXPECT_EQ(mine->text(QAccessible::Accelerator), qts->text(QAccessible::Accelerator)) << kind;
        EXPECT_EQ(mine->state().checked, qts->state().checked) << kind;
        EXPECT_EQ(mine->state().checkable, qts->state().checkable) << kind;
        EXPECT_EQ(mine->actionInterface()->actionNames().first(),
                  qts->actionInterface()->actionNames().first())
            << kind;
    }
}
