#pragma once
// The main window's keyboard: Ctrl+PageUp and Ctrl+PageDown turn the pages from anywhere in the
// window, and the show keys (inputs 1..8, TAKE, Black, Freeze, Mute) act while the operator has
// turned them on (Controls > "Keyboard show control", remembered in the connection file).
//
// Plain keys, so that they can be hit in the dark: 1..8 (the keypad's too), T, B, F and M. A field
// that takes typed text keeps them (Qt offers it the key first), and the debug console is a window
// of its own, which window shortcuts never reach. A show key does exactly what a click on its
// button does, through the button: a hidden or disabled button does nothing. The commands are also
// items of Controls > "Show commands", where their keys stand beside them while they are on;
// Help > "Keyboard shortcuts" lists every key of the window.

#include <array>

#include <QObject>

class QAbstractButton;
class QAction;
class QMenu;
class QTabWidget;
class QWidget;

namespace tesso
{

class ConnectionSettings;
class InputButtonRow;
class MainMenus;
class UserPrompts;

class KeyboardShortcuts : public QObject
{
    Q_OBJECT

  public:
    struct Parts {
        MainMenus* Menus = nullptr;
        QTabWidget* Pages = nullptr;
        InputButtonRow* Inputs = nullptr; // the inputs, Black and Freeze
        QAbstractButton* Take = nullptr;
        QAction* Mute = nullptr; // the tool bar's mute button
    };

    // Reads the operator's choice from `settings`, which must outlive this object.
    KeyboardShortcuts(const Parts& parts, const ConnectionSettings& settings, UserPrompts& prompts,
                      QWidget* window);

    QAction* MenuKeyboardShowControl = nullptr; // Controls > "Keyboard show control", checkable
    QMenu* MenuShowCommands = nullptr;          // Controls > "Show commands"
    QAction* MenuKeyboardShortcuts = nullptr;   // Help > "Keyboard shortcuts"
    // Input 1..8, TAKE, Black, Freeze, Mute, in that order.
    std::array<QAction*, 12> ShowCommands{};

    bool ShowKeysOn() const;
    // The keys and what they do, and whether the show keys are on.
    QString ListText() const;

    // Ctrl+PageDown (+1) and Ctrl+PageUp (-1): the next page shown, round the end.
    void turnPage(int step);

  private:
    void buildMenus();
    // Turns the show keys on or off; `remember` writes the choice to the connection file.
    void setShowKeys(bool on, bool remember);
    // The command's button clicked, or the mute action triggered, if it can be.
    void run(std::size_t command);
    QAbstractButton* button(std::size_t command) const; // but Mute
    // The items take their buttons' captions and, while the menu is open, whether they are
    // shown and enabled.
    void refreshItems(bool open) const;

    Parts m_parts;
    const ConnectionSettings& m_settings;
    UserPrompts& m_prompts;
    QWidget* m_window;
};

} // namespace tesso
