#include "LineSchedule.h"

#include <algorithm>

namespace tesso::sim
{

namespace
{

constexpr std::int64_t NsPerSecond = 1'000'000'000;
// A run is restarted from its last due time after this many bytes, so that the products below
// stay far from overflowing; each restart rounds by under a nanosecond.
constexpr std::int64_t RunRebase = 1 << 20;

} // namespace

std::int64_t LineSchedule::dueOf(std::int64_t byteInRun) const
{
    return m_runStart + byteInRun * BitsPerByte * NsPerSecond / m_runBaud;
}

void LineSchedule::push(const QByteArray& bytes, int baud, std::int64_t nowNs)
{
    if (bytes.isEmpty())
        return;
    const std::int64_t start = std::max(nowNs, m_lineFree);
    if (baud <= 0) {
        m_slices.push_back({bytes, start});
        m_lineFree = start;
        m_runBaud = 0;
        return;
    }
    if (m_lineFree < nowNs || baud != m_runBaud || m_runBytes >= RunRebase) {
        m_runStart = start;
        m_runBytes = 0;
        m_runBaud = baud;
    }
    const auto perSlice = std::max<std::int64_t>(1, SliceNs * baud / (BitsPerByte * NsPerSecond));
    for (qsizetype from = 0; from < bytes.size(); from += perSlice) {
        const qsizetype count = std::min<qsizetype>(perSlice, bytes.size() - from);
        m_runBytes += count;
        m_slices.push_back({bytes.mid(from, count), dueOf(m_runBytes)});
    }
    m_lineFree = m_slices.back().due;
}

QByteArray LineSchedule::takeDue(std::int64_t nowNs)
{
    QByteArray due;
    while (!m_slices.empty() && m_slices.front().due <= nowNs) {
        due += m_slices.front().bytes;
        m_lastTaken = m_slices.front().due;
        m_slices.pop_front();
    }
    return due;
}

std::optional<std::int64_t> LineSchedule::nextDue() const
{
    if (m_slices.empty())
        return std::nullopt;
    return m_slices.front().due;
}

void LineSchedule::clear()
{
    m_slices.clear();
    m_lineFree = INT64_MIN;
    m_runBaud = 0;
    m_runBytes = 0;
}

} // namespace tesso::sim
