#include "ControlsMenu.h"

#include <QAction>
#include <QActionGroup>

#include "BindingTable.h"
#include "Constante.h"
#include "ErrorReport.h"
#include "MainMenus.h"
#include "UserPrompts.h"

namespace
{
constexpr std::uint32_t MenuKeysLocked = 1;  // bit 0
constexpr std::uint32_t InputKeysLocked = 2; // bit 1
constexpr std::uint32_t AllKeysLocked = MenuKeysLocked | InputKeysLocked;
} // namespace

TControlsMenu::TControlsMenu(TMainMenus& menus, TEventRouter& router, UserPrompts& prompts, QWidget* window)
    : m_menus(menus), m_router(router), m_prompts(prompts), m_window(window)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    // The items' tags are the values: pull-down Auto 1 and Off 0, black delay 0, 1 and 2.
    m_bindings->Bind({{_EPD, menus.PullDownGroup, ControlKind::MenuGroup},
                      {_OSYNCTIME, menus.BlackDelayGroup, ControlKind::MenuGroup}});
    m_subscriptions.push_back(router.subscribe(_LOCK, [this] { DriverLOCKChange(); }));

    auto on = [](QAction* action, auto handler) {
        QObject::connect(action, &QAction::triggered, action, [handler] { tesso::guarded(handler); });
    };
    for (QAction* lock : {menus.MenuLockAll, menus.MenuLockMenu, menus.MenuLockInput})
        on(lock, [this, lock] {
            DriverLOCKChange(); // the check marks stay the device's until it answers
            MenuLockClick(lock->data().toInt());
        });
    on(menus.MenuEraseAll, [this] { MenuEraseAllClick(); });
    on(menus.ToolButton_EraseAll, [this] { MenuEraseAllClick(); });
    on(menus.MenuDefaultValues, [this] { MenuDefaultValuesClick(); });
    on(menus.ToolButton_DefaultValues, [this] { MenuDefaultValuesClick(); });
}

TControlsMenu::~TControlsMenu() = default;

void TControlsMenu::MenuLockClick(int tag)
{
    TMirex_d* driver = m_router.driver();
    if (!driver)
        return;
    const std::uint32_t lock = driver->LOCK();
    if (tag == 3) {
        // Unlocking both keeps whatever the device holds in the other bits.
        driver->setLOCK((lock & AllKeysLocked) == AllKeysLocked ? lock & ~AllKeysLocked
                                                                : lock | AllKeysLocked);
    } else if (tag == 1 || tag == 2) {
        driver->setLOCK(lock ^ static_cast<std::uint32_t>(tag));
    }
}

void TControlsMenu::DriverLOCKChange()
{
    const TMirex_d* driver = m_router.driver();
    if (!driver)
        return;
    const std::uint32_t lock = driver->LOCK();
    m_menus.MenuLockAll->setChecked((lock & AllKeysLocked) == AllKeysLocked);
    m_menus.MenuLockMenu->setChecked((lock & MenuKeysLocked) != 0);
    m_menus.MenuLockInput->setChecked((lock & InputKeysLocked) != 0);
}

void TControlsMenu::MenuEraseAllClick()
{
    if (m_prompts.Confirm(m_window, QString(Constante::ConfirmEraseAll)))
        if (TMirex_d* driver = m_router.driver())
            driver->setERAPOS(true);
}

void TControlsMenu::MenuDefaultValuesClick()
{
    if (m_prompts.Confirm(m_window, QString(Constante::ConfirmDefaultValues)))
        if (TMirex_d* driver = m_router.driver())
            driver->setFRESET(true);
}
