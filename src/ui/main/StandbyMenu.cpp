#include "StandbyMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QWidget>

#include "BindingTable.h"
#include "ErrorReport.h"
#include "MainMenus.h"
#include "ProjectorMessageReadBack.h"
#include "ProjectorMessageWindow.h"
#include "StandbyWindow.h"
#include "SyncTimeWindow.h"

namespace tesso
{

namespace
{
constexpr int BlackDelayAbovePointer = 8;
} // namespace

StandbyMenu::StandbyMenu(MainMenus& menus, EventRouter& router, const Windows& windows, QWidget* client)
    : m_router(router), m_standby(windows.Standby), m_syncTime(windows.SyncTime),
      m_message(windows.MessageProjector), m_client(client)
{
    m_bindings = std::make_unique<BindingTable>(router);
    // On (tag 1) and Off (tag 0); the baud items' tags are the codes, and a code without an item
    // leaves the mark where it is.
    m_bindings->Bind({{_STANDBY, menus.MenuStandByOn->actionGroup(), ControlKind::MenuGroup},
                      {_STBRATE,
                       menus.MenuBaud[0]->actionGroup(),
                       ControlKind::MenuGroup,
                       {},
                       0,
                       {},
                       [](std::uint32_t code) { return tesso::variableRange(_STBRATE).contains(code); }}});

    if (m_standby)
        m_standby->BindTo(router);
    if (m_syncTime)
        m_syncTime->BindTo(router);
    if (m_message) {
        m_message->setDriver(router.driver());
        m_readBack = std::make_unique<ProjectorMessageReadBack>(router, *m_message);
        QObject::connect(m_message, &ProjectorMessageWindow::messageAccepted, m_message,
                         [this](int onOff, const QByteArray& codes) {
                             DeviceDriver* driver = m_router.driver();
                             if (!driver)
                                 return;
                             const auto* bytes = reinterpret_cast<const std::uint8_t*>(codes.constData());
                             const int count = static_cast<int>(codes.size());
                             ProjectorMessageWindow::StoreMessage(*driver, onOff, count, bytes);
                             if (count > 0)
                                 m_readBack->Verify(onOff, std::vector<std::uint8_t>(bytes, bytes + count));
                         });
    }

    auto on = [](QAction* action, auto handler) {
        QObject::connect(action, &QAction::triggered, action, [handler] { tesso::guarded(handler); });
    };
    on(menus.MenuStandByTimer, [this] { openStandbyTimer(); });
    on(menus.MenuMessageOn, [this] { setMessageShown(0); });
    on(menus.MenuMessageOff, [this] { setMessageShown(1); });
    on(menus.MenuBlackDelayRange, [this] { chooseBlackDelay(); });
}

StandbyMenu::~StandbyMenu() = default;

void StandbyMenu::openStandbyTimer()
{
    if (m_standby) {
        m_standby->show();
        m_standby->raise();
    }
}

void StandbyMenu::setMessageShown(int onOff)
{
    if (m_readBack)
        m_readBack->Start(onOff);
}

void StandbyMenu::chooseBlackDelay()
{
    if (!m_syncTime || !m_client)
        return;
    const QPoint pointer = m_client->mapFromGlobal(QCursor::pos());
    m_syncTime->OpenAt(pointer - QPoint(0, BlackDelayAbovePointer));
}

} // namespace tesso
