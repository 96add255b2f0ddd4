#include "SimOutput.h"

#include <algorithm>

#include "SimGuard.h"

namespace tesso::sim
{

SimOutput::SimOutput(QObject* parent) : QObject(parent), m_noise(m_faults.noiseSeed)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { guarded([this] { pump(); }); });
}

void SimOutput::setFaults(const FaultOptions& faults)
{
    m_faults = faults;
    m_silent = false;
    m_noise.seed(faults.noiseSeed);
}

void SimOutput::setChunking(int size, int gapMs)
{
    m_faults.chunkSize = size;
    m_faults.chunkGapMs = gapMs;
}

QString SimOutput::printable(const QByteArray& bytes)
{
    QString out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

void SimOutput::reply(const QByteArray& line)
{
    if (m_silent)
        return;
    if (m_faults.silenceAfterReplies >= 0 && m_replies >= m_faults.silenceAfterReplies) {
        m_silent = true;
        emit logLine(QStringLiteral("silent from now on (after %1 replies)").arg(m_replies));
        return;
    }
    QByteArray data = line;
    if (m_faults.noiseBytes > 0 && m_replies > 0)
        data.prepend(noiseLine());
    ++m_replies;
    std::function<void()> then;
    if (m_faults.disconnectAfterReplies >= 0 && m_replies == m_faults.disconnectAfterReplies) {
        then = [this] {
            emit logLine(QStringLiteral("dropping the connection (after %1 replies)").arg(m_replies));
            emit disconnectRequested();
        };
    }
    emit logLine(QStringLiteral(">> ") + printable(line.left(line.size() - 2)));
    enqueue(data, std::move(then));
}

void SimOutput::raw(const QByteArray& bytes)
{
    if (!m_silent)
        enqueue(bytes, {});
}

void SimOutput::then(std::function<void()> action)
{
    enqueue(QByteArray(), std::move(action));
}

void SimOutput::endBatch()
{
    m_batching = false;
    pump();
}

QByteArray SimOutput::noiseLine()
{
    // Garbage that a controller must drop: no CR, no LF, and no NUL (which a socket reader may
    // take for the end of its data), ended by CR LF so that it stays a line of its own.
    QByteArray line;
    line.reserve(m_faults.noiseBytes + 2);
    while (line.size() < m_faults.noiseBytes) {
        const auto c = static_cast<char>(m_noise.bounded(1, 256));
        if (c != '\r' && c != '\n')
            line.append(c);
    }
    line += "\r\n";
    return line;
}

void SimOutput::enqueue(const QByteArray& bytes, std::function<void()> then)
{
    const qint64 due = m_clock.elapsed() + std::max(0, m_faults.replyDelayMs);
    // Everything one received chunk causes leaves together; an action closes its entry so that
    // what follows it waits for it.
    if (!m_queue.empty() && !m_queue.back().then && (m_batching || m_queue.back().due >= due)) {
        m_queue.back().bytes += bytes;
        m_queue.back().then = std::move(then);
    } else {
        m_queue.push_back({bytes, due, std::move(then)});
    }
    if (!m_batching)
        pump();
}

void SimOutput::pump()
{
    // A receiver of sendBytes may answer at once and come back here; the outer loop goes on.
    if (m_pumping)
        return;
    m_pumping = true;
    m_timer.stop();
    while (!m_queue.empty()) {
        Outgoing& head = m_queue.front();
        const qint64 now = m_clock.elapsed();
        if (head.due > now) {
            m_timer.start(int(head.due - now));
            break;
        }
        const int chunk = m_faults.chunkSize;
        if (chunk > 0 && head.bytes.size() > chunk) {
            const QByteArray piece = head.bytes.left(chunk);
            head.bytes.remove(0, chunk);
            emit sendBytes(piece);
            m_timer.start(m_faults.chunkGapMs);
            break;
        }
        const Outgoing item = std::move(head);
        m_queue.pop_front();
        if (!item.bytes.isEmpty())
            emit sendBytes(item.bytes);
        if (item.then)
            item.then();
        if (chunk > 0 && !item.bytes.isEmpty() && !m_queue.empty()) {
            m_timer.start(m_faults.chunkGapMs);
            break;
        }
    }
    m_pumping = false;
}

} // namespace tesso::sim
