#include "ProjectorMessageReadBack.h"

#include "ErrorReport.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{

struct MessageVariables {
    tVAR index;
    tVAR character;
};
constexpr MessageVariables Variables[2] = {{_STBION, _STBON}, {_STBIOFF, _STBOFF}};

} // namespace

ProjectorMessageReadBack::ProjectorMessageReadBack(EventRouter& router, ProjectorMessageWindow& window)
    : m_router(router), m_window(&window)
{
    for (int message = 0; message < 2; ++message)
        m_subscriptions[static_cast<std::size_t>(message)] =
            router.subscribe(Variables[message].character, [this, message] { CharacterReported(message); });
}

void ProjectorMessageReadBack::Start(int onOff)
{
    DeviceDriver* driver = m_router.driver();
    if (!m_window || !driver)
        return;
    m_mode = Mode::IntoWindow;
    m_message = onOff == 0 ? 0 : 1;
    m_cell = 0;
    m_buffer.fill(0);
    m_window->setRunRead(true);
    driver->setVariable(Variables[m_message].index, 0);
    m_window->setMSG_ONOFF(m_message);
    // An open window keeps no earlier message: what comes back is this one alone.
    m_window->ResetMessage();
    m_window->show();
    m_window->raise();
    driver->queryVariable(Variables[m_message].character);
}

void ProjectorMessageReadBack::Verify(int onOff, std::vector<std::uint8_t> typed)
{
    m_mode = Mode::AwaitingStoreEnd;
    m_message = onOff == 0 ? 0 : 1;
    m_typed = std::move(typed);
    m_cell = 0;
    m_buffer.fill(0);
}

void ProjectorMessageReadBack::CharacterReported(int onOff)
{
    const DeviceDriver* driver = m_router.driver();
    if (!m_window || onOff != m_message || !driver || m_mode == Mode::Idle)
        return;
    if (m_mode == Mode::IntoWindow && !m_window->RunRead())
        return;
    const std::uint32_t index = driver->mirrorValue(Variables[m_message].index);
    const std::uint32_t code = driver->mirrorValue(Variables[m_message].character);
    // The store's echoes come first; its closing 0 is the last of them (typed codes are never 0).
    if (m_mode == Mode::AwaitingStoreEnd) {
        if (code == 0) {
            m_mode = Mode::Verifying;
            request(0);
        }
        return;
    }
    // Past the cells a message may fill, or back at a cell already read: the device did not follow.
    if (index >= static_cast<std::uint32_t>(ProjectorMessageWindow::MaxCharacters) || index < m_cell)
        return finish();
    // Ahead of the cell asked for: a late answer to an earlier read; ours is still to come.
    if (index > m_cell)
        return;
    if (code == 0)
        return finish();
    if (code <= 255)
        m_buffer[m_cell] = static_cast<std::uint8_t>(code);
    ++m_cell;
    if (m_cell >= static_cast<std::uint32_t>(ProjectorMessageWindow::MaxCharacters))
        return finish();
    request(m_cell);
}

void ProjectorMessageReadBack::request(std::uint32_t cell)
{
    if (DeviceDriver* driver = m_router.driver()) {
        driver->setVariable(Variables[m_message].index, cell);
        driver->queryVariable(Variables[m_message].character);
    }
}

void ProjectorMessageReadBack::finish()
{
    if (m_mode == Mode::Verifying) {
        compareWithTyped();
    } else {
        m_window->setRunRead(false);
        for (std::uint32_t i = 0; i < m_cell; ++i)
            if (m_buffer[i] != 0)
                m_window->setMSG_Edit_Message(m_buffer[i]);
    }
    m_mode = Mode::Idle;
    m_buffer.fill(0);
    m_cell = 0;
}

void ProjectorMessageReadBack::compareWithTyped()
{
    std::size_t kept = 0;
    while (kept < m_typed.size() && kept < m_cell && m_buffer[kept] == m_typed[kept])
        ++kept;
    if (kept == m_typed.size() && m_cell == m_typed.size())
        return;
    tesso::reportError(
        TextFormat::Format(Texts::MessageNotKept, {QString::number(kept), QString::number(m_typed.size())}));
}

} // namespace tesso
