#include "ProjectorMessageReadBack.h"

namespace
{

struct MessageVariables {
    tVAR index;
    tVAR character;
};
constexpr MessageVariables Variables[2] = {{_STBION, _STBON}, {_STBIOFF, _STBOFF}};

} // namespace

TProjectorMessageReadBack::TProjectorMessageReadBack(TEventRouter& router, TForm_MessageProjector& window)
    : m_router(router), m_window(&window)
{
    for (int message = 0; message < 2; ++message)
        m_subscriptions[static_cast<std::size_t>(message)] =
            router.subscribe(Variables[message].character, [this, message] { CharacterReported(message); });
}

void TProjectorMessageReadBack::Start(int onOff)
{
    TMirex_d* driver = m_router.driver();
    if (!m_window || !driver)
        return;
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
    driver->setQueryVar(Variables[m_message].character);
}

void TProjectorMessageReadBack::CharacterReported(int onOff)
{
    const TMirex_d* driver = m_router.driver();
    if (!m_window || !m_window->RunRead() || onOff != m_message || !driver)
        return;
    const std::uint32_t index = driver->mirrorValue(Variables[m_message].index);
    const std::uint32_t code = driver->mirrorValue(Variables[m_message].character);
    // Past the cells a message may fill, or back at a cell already read: the device did not follow.
    if (index >= static_cast<std::uint32_t>(TForm_MessageProjector::MaxCharacters) || index < m_cell)
        return finish();
    // Ahead of the cell asked for: a late answer to an earlier read; ours is still to come.
    if (index > m_cell)
        return;
    if (code == 0)
        return finish();
    if (code <= 255)
        m_buffer[m_cell] = static_cast<std::uint8_t>(code);
    ++m_cell;
    if (m_cell >= static_cast<std::uint32_t>(TForm_MessageProjector::MaxCharacters))
        return finish();
    request(m_cell);
}

void TProjectorMessageReadBack::request(std::uint32_t cell)
{
    if (TMirex_d* driver = m_router.driver()) {
        driver->setVariable(Variables[m_message].index, cell);
        driver->setQueryVar(Variables[m_message].character);
    }
}

void TProjectorMessageReadBack::finish()
{
    m_window->setRunRead(false);
    for (std::uint32_t i = 0; i < m_cell; ++i)
        if (m_buffer[i] != 0)
            m_window->setMSG_Edit_Message(m_buffer[i]);
    m_buffer.fill(0);
    m_cell = 0;
}
