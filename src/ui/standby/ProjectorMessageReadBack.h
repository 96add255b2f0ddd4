#pragma once
// ProjectorMessageReadBack: reads one projector message back from the device into the message
// window, a cell at a time: it addresses the cell (STBION / STBIOFF), asks for its character
// (STBON / STBOFF) and, on the answer, moves to the next cell until the device reports the
// terminating 0. The buffer is indexed by the cell this side asked for, never by the index the
// device reports; that index only has to confirm it. The read stops at the end of the message,
// when the device does not move to the cell asked for, after the last cell a message may fill,
// and whenever the window stops it (RunRead cleared by Ok, Cancel or Clear).
//
// After "Ok" stored a message, it is read back the same way without the window, once the device
// has answered the store's last cell, and compared with what was typed: a device keeps fewer
// characters than the window allows, and the user is told how many it kept.

#include <array>
#include <cstdint>
#include <vector>

#include <QPointer>

#include "EventRouter.h"
#include "ProjectorMessageWindow.h"

namespace tesso
{

class ProjectorMessageReadBack
{
  public:
    ProjectorMessageReadBack(EventRouter& router, ProjectorMessageWindow& window);

    // Starts over with the "on" (0) or "off" (1) message: the window is emptied and shown.
    void Start(int onOff);

    // Checks the message just stored (0 "on", 1 "off") against what was typed.
    void Verify(int onOff, std::vector<std::uint8_t> typed);

    // The handling of a report of the message's character (STBON for 0, STBOFF for 1).
    void CharacterReported(int onOff);

  private:
    enum class Mode { Idle, IntoWindow, AwaitingStoreEnd, Verifying };

    void request(std::uint32_t cell);
    void finish();
    void compareWithTyped();

    EventRouter& m_router;
    QPointer<ProjectorMessageWindow> m_window;
    Mode m_mode = Mode::Idle;
    std::vector<std::uint8_t> m_typed;
    int m_message = 0;
    std::uint32_t m_cell = 0; // the cell asked for, and so the number of cells read
    std::array<std::uint8_t, ProjectorMessageWindow::Cells> m_buffer{};
    std::array<Subscription, 2> m_subscriptions;
};

} // namespace tesso
