#pragma once
// The driver calls the transfer thread makes, in the order the protocol needs them. The thread
// never touches the driver itself: an implementation hands each call to the driver's thread.

#include <cstdint>

#include <QByteArray>

#include "Catalogue.h"

namespace tesso
{

class FramePort
{
  public:
    virtual ~FramePort() = default;
    // A variable command (FAMODEM_, FATRMODE, FAEXEC) in the text protocol.
    virtual void SendVariable(tVAR variable, std::uint32_t value) = 0;
    // Frame bytes as they are.
    virtual void SendRaw(const QByteArray& bytes) = 0;
    // Kept connected, the line drained, 57600 baud, raw mode, raw reception.
    virtual void EnterRawMode() = 0;
    // Back to the text protocol at 9600 baud; raw bytes still buffered are dropped.
    virtual void LeaveRawMode() = 0;
    // The value the driver's mirror holds for a variable.
    virtual std::uint32_t MirroredValue(tVAR variable) = 0;
};

} // namespace tesso
