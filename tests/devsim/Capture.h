#pragma once
// Helpers shared by the simulator's tests: capturing what the device sends, and reading reply
// lines with a parser of the tests' own (neither the driver's nor the simulator's).

#include <utility>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QObject>

#include "SimDevice.h"

using namespace tesso;

namespace tesso::sim::test
{

// Everything a device emits, in order, with where its raw mode and its drops came.
class Capture
{
  public:
    explicit Capture(SimDevice& device)
    {
        QObject::connect(&device, &SimDevice::sendBytes, &m_context,
                         [this](const QByteArray& b) { bytes += b; });
        QObject::connect(&device, &SimDevice::disconnectRequested, &m_context,
                         [this] { disconnectsAt.push_back(bytes.size()); });
        QObject::connect(&device, &SimDevice::rawModeChanged, &m_context, [this](bool raw) {
            rawChangesAt.push_back({bytes.size(), raw});
        });
    }

    // Reply lines received so far, without CR LF; a trailing partial line is left out.
    QList<QByteArray> lines() const
    {
        QList<QByteArray> out = bytes.split('\n');
        out.removeLast();
        for (QByteArray& l : out)
            if (l.endsWith('\r'))
                l.chop(1);
        return out;
    }
    void clear()
    {
        bytes.clear();
        disconnectsAt.clear();
        rawChangesAt.clear();
    }

    QByteArray bytes;
    // Bytes handed out before each event.
    std::vector<qsizetype> disconnectsAt;
    std::vector<std::pair<qsizetype, bool>> rawChangesAt;

  private:
    QObject m_context;
};

// "BRG128" -> ("BRG", 128) given the mnemonic list; the longest mnemonic followed only by digits.
inline std::pair<QByteArray, long long> splitReply(const QByteArray& line)
{
    int digits = 0;
    while (digits < line.size() && line.at(line.size() - 1 - digits) >= '0' &&
           line.at(line.size() - 1 - digits) <= '9')
        ++digits;
    const QByteArray head = line.left(line.size() - digits);
    const QByteArray tail = line.right(digits);
    return {head, tail.isEmpty() ? -1 : tail.toLongLong()};
}

} // namespace tesso::sim::test
