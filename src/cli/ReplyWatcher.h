#pragma once
// Tells which variable each matched reply line updated, once the driver has applied it.
//
// A matched line raises OnRecString before its value is stored, then the variable's change
// event. The change event alone is not enough: the state machine raises OnDEVchange on its own
// when it declares the device absent, and the address octets and ports raise no change event.
// So a change event counts as a reply only right after OnRecString, and an octet or port line is
// held until the driver is done with it (the next matched line, or the event loop's next turn).

#include <functional>
#include <optional>

#include <QByteArray>
#include <QObject>

#include "Catalogue.h"

class TMirex_d;

class ReplyWatcher
{
  public:
    using Handler = std::function<void(tVAR index, const QByteArray& line)>;

    explicit ReplyWatcher(TMirex_d& driver);
    ~ReplyWatcher();
    ReplyWatcher(const ReplyWatcher&) = delete;
    ReplyWatcher& operator=(const ReplyWatcher&) = delete;

    // Replaces the handler; a line still held goes to the previous handler first.
    void listen(Handler handler);
    void flush();
    // The driver reported an error: the line it was applying did not change anything.
    void lineFailed() { m_lineOpen = false; }

    // The octet and port variables, which the driver stores without a change event, and whether
    // the driver accepts the value of such a line.
    static std::optional<tVAR> addressVariable(const QByteArray& line);
    static bool addressValueFits(tVAR index, const QByteArray& line);

  private:
    void lineMatched();
    void variableChanged(tVAR index);
    void deliver(tVAR index, const QByteArray& line);

    TMirex_d& m_driver;
    Handler m_handler;
    bool m_lineOpen = false;
    QByteArray m_line;
    std::optional<tVAR> m_heldAddress;
    QByteArray m_heldLine;
    QObject m_context; // drops queued flushes when the watcher goes away
};
