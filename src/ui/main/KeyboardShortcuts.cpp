#include "KeyboardShortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

#include "ConnectionSettings.h"
#include "ErrorReport.h"
#include "InputButtonRow.h"
#include "MainMenus.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

namespace
{

constexpr std::size_t TakeCommand = 8;
constexpr std::size_t BlackCommand = 9;
constexpr std::size_t FreezeCommand = 10;
constexpr std::size_t MuteCommand = 11;

QKeySequence showKey(std::size_t command)
{
    if (command < TakeCommand)
        return QKeySequence(Qt::Key_1 + static_cast<int>(command));
    static const Qt::Key letters[] = {Qt::Key_T, Qt::Key_B, Qt::Key_F, Qt::Key_M};
    return QKeySequence(letters[command - TakeCommand]);
}

// The digits of the keypad too, which Qt tells apart from the row's.
QList<QKeySequence> showKeys(std::size_t command)
{
    QList<QKeySequence> keys{showKey(command)};
    if (command < TakeCommand)
        keys << QKeySequence(Qt::KeypadModifier | (Qt::Key_1 + static_cast<int>(command)));
    return keys;
}

QString keyText(const QKeySequence& key)
{
    return key.toString(QKeySequence::NativeText);
}

} // namespace

KeyboardShortcuts::KeyboardShortcuts(const Parts& parts, const ConnectionSettings& settings,
                                     UserPrompts& prompts, QWidget* window)
    : QObject(window), m_parts(parts), m_settings(settings), m_prompts(prompts), m_window(window)
{
    setObjectName(QStringLiteral("KeyboardShortcuts"));
    // A window shortcut: it acts over every control of the window (the page control alone takes
    // only Ctrl+Tab, and only while the focus is inside it), and never in another window.
    const std::pair<Qt::Key, int> pageKeys[] = {{Qt::Key_PageDown, 1}, {Qt::Key_PageUp, -1}};
    for (const auto& [key, step] : pageKeys) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), window);
        shortcut->setObjectName(step > 0 ? QStringLiteral("NextPageKey") : QStringLiteral("PreviousPageKey"));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, step = step] { tesso::guarded([&] { turnPage(step); }); });
    }
    buildMenus();
    setShowKeys(m_settings.ReadShowShortcuts(), false);
}

void KeyboardShortcuts::buildMenus()
{
    MainMenus& menus = *m_parts.Menus;
    MenuKeyboardShowControl = menus.MenuControls->addAction(QStringLiteral("Keyboard show control"));
    MenuKeyboardShowControl->setObjectName(QStringLiteral("MenuKeyboardShowControl"));
    MenuKeyboardShowControl->setCheckable(true);
    connect(MenuKeyboardShowControl, &QAction::triggered, this,
            [this](bool on) { tesso::guarded([&] { setShowKeys(on, true); }); });

    MenuShowCommands = menus.MenuControls->addMenu(QStringLiteral("Show commands"));
    MenuShowCommands->setObjectName(QStringLiteral("MenuShowCommands"));
    const char* names[] = {"MenuShowTake", "MenuShowBlack", "MenuShowFreeze", "MenuShowMute"};
    for (std::size_t i = 0; i < ShowCommands.size(); ++i) {
        QAction* action = MenuShowCommands->addAction(QString());
        action->setObjectName(i < TakeCommand ? QStringLiteral("MenuShowInput%1").arg(i + 1)
                                              : QString::fromLatin1(names[i - TakeCommand]));
        // Held down, a key acts once: a held B must not make the output flicker.
        action->setAutoRepeat(false);
        connect(action, &QAction::triggered, this, [this, i] { tesso::guarded([&] { run(i); }); });
        ShowCommands[i] = action;
        if (i + 1 == TakeCommand)
            MenuShowCommands->addSeparator();
    }
    // The open menu shows what the buttons allow; closed, every item stays able to take its key,
    // for the buttons change with the device and run() asks them at the time.
    connect(MenuShowCommands, &QMenu::aboutToShow, this, [this] { refreshItems(true); });
    connect(MenuShowCommands, &QMenu::aboutToHide, this, [this] { refreshItems(false); });
    refreshItems(false);

    MenuKeyboardShortcuts = menus.MenuHelp->addAction(QStringLiteral("Keyboard shortcuts"));
    MenuKeyboardShortcuts->setObjectName(QStringLiteral("MenuKeyboardShortcuts"));
    connect(MenuKeyboardShortcuts, &QAction::triggered, this,
            [this] { tesso::guarded([&] { m_prompts.Information(m_window, ListText()); }); });
}

bool KeyboardShortcuts::ShowKeysOn() const
{
    return MenuKeyboardShowControl->isChecked();
}

void KeyboardShortcuts::setShowKeys(bool on, bool remember)
{
    MenuKeyboardShowControl->setChecked(on);
    // Without a key the item shows none, and nothing acts on it.
    for (std::size_t i = 0; i < ShowCommands.size(); ++i)
        ShowCommands[i]->setShortcuts(on ? showKeys(i) : QList<QKeySequence>());
    if (remember)
        m_settings.WriteShowShortcuts(on);
}

void KeyboardShortcuts::refreshItems(bool open) const
{
    for (std::size_t i = 0; i < MuteCommand; ++i) {
        const QAbstractButton* shown = button(i);
        ShowCommands[i]->setText(TextFormat::WithoutAccessMarks(shown->text()));
        ShowCommands[i]->setVisible(!open || shown->isVisibleTo(m_window));
        ShowCommands[i]->setEnabled(!open || shown->isEnabled());
    }
    ShowCommands[MuteCommand]->setText(QString(Texts::Mute));
    ShowCommands[MuteCommand]->setEnabled(!open || (m_parts.Mute->isEnabled() && m_parts.Mute->isVisible()));
}

void KeyboardShortcuts::run(std::size_t command)
{
    if (command == MuteCommand) {
        if (m_parts.Mute->isEnabled() && m_parts.Mute->isVisible())
            m_parts.Mute->trigger();
        return;
    }
    // click() itself does nothing on a disabled button; a hidden one is not there to be clicked.
    if (QAbstractButton* target = button(command); target->isVisibleTo(m_window))
        target->click();
}

QAbstractButton* KeyboardShortcuts::button(std::size_t command) const
{
    if (command < TakeCommand)
        return m_parts.Inputs->BtnInput[command];
    QAbstractButton* const others[] = {m_parts.Take, m_parts.Inputs->BtnBlack, m_parts.Inputs->BtnFreeze};
    return others[command - TakeCommand];
}

void KeyboardShortcuts::turnPage(int step)
{
    QTabWidget* pages = m_parts.Pages;
    const int count = pages->count();
    int page = pages->currentIndex();
    for (int pass = 0; pass < count; ++pass) {
        page = (page + step + count) % count;
        if (pages->isTabVisible(page) && pages->isTabEnabled(page)) {
            pages->setCurrentIndex(page);
            return;
        }
    }
}

QString KeyboardShortcuts::ListText() const
{
    refreshItems(false); // the inputs' current labels
    QStringList lines;
    lines << QStringLiteral("Show keys (Controls > Keyboard show control): %1")
                 .arg(ShowKeysOn() ? QStringLiteral("on") : QStringLiteral("off"));
    for (std::size_t i = 0; i < ShowCommands.size(); ++i)
        lines << QStringLiteral("%1\t%2").arg(keyText(showKey(i)), ShowCommands[i]->text());
    lines << QString();
    lines << QStringLiteral("%1\tPrevious page").arg(keyText(QKeySequence(Qt::CTRL | Qt::Key_PageUp)));
    lines << QStringLiteral("%1\tNext page").arg(keyText(QKeySequence(Qt::CTRL | Qt::Key_PageDown)));
    lines << QStringLiteral("%1\tDebug console").arg(keyText(m_parts.Menus->MenuDebugConsole->shortcut()));
    lines << QStringLiteral("%1\tDebug console, with the pointer over the status bar's first panel")
                 .arg(keyText(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
    return lines.join(u'\n');
}

} // namespace tesso
