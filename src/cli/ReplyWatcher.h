#pragma once
// Tells which variable each matched reply line updated, once the driver has applied it.
//
// The driver raises OnRecString for a matched line before it stores the value, and the address
// octets and ports raise no change event at all; so the line is held until the driver is done
// with it (the next matched line, or the event loop's next turn) and then reported with the
// variable that LastReplyIndex names.

#include <functional>

#include <QByteArray>
#include <QObject>

#include "Catalogue.h"

class TMirex_d;

class ReplyWatcher {
public:
    using Handler = std::function<void(tVAR index, const QByteArray& line)>;

    explicit ReplyWatcher(TMirex_d& driver);
    ~ReplyWatcher();
    ReplyWatcher(const ReplyWatcher&) = delete;
    ReplyWatcher& operator=(const ReplyWatcher&) = delete;

    // Replaces the handler; a line still held goes to the previous handler first.
    void listen(Handler handler);
    void flush();
    // The line held was not applied (the driver reported an error for it).
    void discardPending() { m_pending = false; }

private:
    void lineMatched();

    TMirex_d& m_driver;
    Handler m_handler;
    bool m_pending = false;
    QByteArray m_line;
    QObject m_context; // drops queued flushes when the watcher goes away
};
