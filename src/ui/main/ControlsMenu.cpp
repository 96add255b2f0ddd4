#include "ControlsMenu.h"

#include <QAction>
#include <QActionGroup>

#include "BindingTable.h"
#include "ErrorReport.h"
#include "MainMenus.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

namespace
{
constexpr std::uint32_t MenuKeysLocked = 1;  // bit 0
constexpr std::uint32_t InputKeysLocked = 2; // bit 1
constexpr std::uint32_t AllKeysLocked = MenuKeysLocked | InputKeysLocked;
} // namespace

ControlsMenu::ControlsMenu(MainMenus& menus, EventRouter& router, UserPrompts& prompts, QWidget* window)
    : m_menus(menus), m_router(router), m_prompts(prompts), m_window(window)
{
    m_bindings = std::make_unique<BindingTable>(router);
    // The items' tags are the values: pull-down Auto 1 and Off 0, black delay 0, 1 and 2.
    m_bindings->Bind({{_EPD, menus.PullDownGroup, ControlKind::MenuGroup},
                      {_OSYNCTIME, menus.BlackDelayGroup, ControlKind::MenuGroup}});
    m_subscriptions.push_back(router.subscribe(_LOCK, [this] { showLock(); }));

    auto on = [](QAction* action, auto handler) {
        QObject::connect(action, &QAction::triggered, action, [handler] { tesso::guarded(handler); });
    };
    for (QAction* lock : {menus.MenuLockAll, menus.MenuLockMenu, menus.MenuLockInput})
        on(lock, [this, lock] {
            showLock(); // the check marks stay the device's until it answers
            setLock(lock->data().toInt());
        });
    on(menus.MenuEraseAll, [this] { eraseAll(); });
    on(menus.ToolButton_EraseAll, [this] { eraseAll(); });
    on(menus.MenuDefaultValues, [this] { restoreDefaultValues(); });
    on(menus.ToolButton_DefaultValues, [this] { restoreDefaultValues(); });
}

ControlsMenu::~ControlsMenu() = default;

void ControlsMenu::setLock(int tag)
{
    DeviceDriver* driver = m_router.driver();
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

void ControlsMenu::showLock()
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    const std::uint32_t lock = driver->LOCK();
    m_menus.MenuLockAll->setChecked((lock & AllKeysLocked) == AllKeysLocked);
    m_menus.MenuLockMenu->setChecked((lock & MenuKeysLocked) != 0);
    m_menus.MenuLockInput->setChecked((lock & InputKeysLocked) != 0);
}

void ControlsMenu::eraseAll()
{
    if (m_prompts.Confirm(m_window, QString(Texts::ConfirmEraseAll)))
        if (DeviceDriver* driver = m_router.driver())
            driver->setERAPOS(true);
}

void ControlsMenu::restoreDefaultValues()
{
    if (m_prompts.Confirm(m_window, QString(Texts::ConfirmDefaultValues)))
        if (DeviceDriver* driver = m_router.driver())
            driver->setFRESET(true);
}

} // namespace tesso
