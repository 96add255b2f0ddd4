#include "ReplyWatcher.h"

#include <QMetaObject>

#include "Mirex_d.h"

ReplyWatcher::ReplyWatcher(TMirex_d& driver) : m_driver(driver)
{
    m_driver.OnRecString = [this](TMirex_d*, int) { lineMatched(); };
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto index = static_cast<tVAR>(i);
        m_driver.changeEvent(index) = [this, index](TMirex_d*, int) { variableChanged(index); };
    }
}

ReplyWatcher::~ReplyWatcher()
{
    m_driver.OnRecString = nullptr;
    for (int i = 0; i < tesso::VariableCount; ++i)
        m_driver.changeEvent(static_cast<tVAR>(i)) = nullptr;
}

void ReplyWatcher::listen(Handler handler)
{
    flush();
    m_handler = std::move(handler);
}

std::optional<tVAR> ReplyWatcher::addressVariable(const QByteArray& line)
{
    for (const tVAR index : {_IP4, _IP3, _IP2, _IP1, _PORT})
        if (line.startsWith(ReplyMnemonics[index]))
            return index;
    return std::nullopt;
}

bool ReplyWatcher::addressValueFits(tVAR index, const QByteArray& line)
{
    const QByteArray rest = line.mid(static_cast<int>(qstrlen(ReplyMnemonics[index])));
    const tesso::NumberScan scan = tesso::scanNumber(rest.constData(), rest.constData() + rest.size());
    return scan.value <= 2147483647LL;
}

void ReplyWatcher::lineMatched()
{
    flush(); // the previous line has been applied by now
    m_line = m_driver.receivedString();
    m_lineOpen = true;
    if (const std::optional<tVAR> address = addressVariable(m_line);
        address && addressValueFits(*address, m_line)) {
        m_heldAddress = address;
        m_heldLine = m_line;
        m_lineOpen = false;
    }
    QMetaObject::invokeMethod(
        &m_context, [this] { flush(); }, Qt::QueuedConnection);
}

void ReplyWatcher::variableChanged(tVAR index)
{
    if (!m_lineOpen)
        return; // raised by the state machine, not by a reply
    m_lineOpen = false;
    deliver(index, m_line);
}

void ReplyWatcher::flush()
{
    m_lineOpen = false;
    if (!m_heldAddress)
        return;
    const tVAR index = *m_heldAddress;
    m_heldAddress.reset();
    deliver(index, m_heldLine);
}

void ReplyWatcher::deliver(tVAR index, const QByteArray& line)
{
    if (m_handler)
        m_handler(index, line);
}
