#include "ReplyWatcher.h"

#include <QMetaObject>

#include "Mirex_d.h"

ReplyWatcher::ReplyWatcher(TMirex_d& driver) : m_driver(driver)
{
    m_driver.OnRecString = [this](TMirex_d*, int) { lineMatched(); };
}

ReplyWatcher::~ReplyWatcher()
{
    m_driver.OnRecString = nullptr;
}

void ReplyWatcher::listen(Handler handler)
{
    flush();
    m_handler = std::move(handler);
}

void ReplyWatcher::lineMatched()
{
    flush(); // the previous line has been applied by now
    m_pending = true;
    m_line = m_driver.receivedString();
    QMetaObject::invokeMethod(&m_context, [this] { flush(); }, Qt::QueuedConnection);
}

void ReplyWatcher::flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    if (m_handler && LastReplyIndex >= 0 && LastReplyIndex < tesso::VariableCount)
        m_handler(static_cast<tVAR>(LastReplyIndex), m_line);
}
