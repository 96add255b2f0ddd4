#pragma once
// Exception types raised by the driver. They never cross the Qt event loop: every entry point
// called by Qt catches them and hands them to reportError() (ErrorReport.h).

#include <stdexcept>
#include <string>

#include <QString>

namespace tesso
{

class TessoError : public std::runtime_error
{
  public:
    explicit TessoError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// A value that does not fit its target (reply values, commands too long for the link).
class ERangeError : public TessoError
{
  public:
    using TessoError::TessoError;
};

// Integer arithmetic that overflowed (value scaling).
class EIntOverflow : public TessoError
{
  public:
    using TessoError::TessoError;
};

// Serial port failures: open, terminator format.
class EComError : public TessoError
{
  public:
    using TessoError::TessoError;
};

} // namespace tesso
