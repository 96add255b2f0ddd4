#include "SimDevice.h"

#include "SimGuard.h"

namespace tesso::sim {

namespace {

constexpr char Esc = FrameReceiver::Esc;

QByteArray escaped(char code)
{
    QByteArray b;
    b.append(Esc);
    b.append(code);
    return b;
}

// Bytes as a log shows them: printable ASCII as it is, the rest as <hex>.
QString printable(const QByteArray& bytes)
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

QByteArray replyText(tVAR index, std::uint32_t value)
{
    QByteArray line(ReplyMnemonics[index]);
    line += QByteArray::number(value);
    line += "\r\n";
    return line;
}

} // namespace

SimDevice::SimDevice(Model model, QObject* parent)
    : QObject(parent), m_state(model), m_noise(m_faults.noiseSeed)
{
    m_clock.start();
    for (QTimer* t : {&m_outTimer, &m_takeTimer, &m_storeTimer, &m_readyTimer, &m_paceTimer, &m_rawIdleTimer})
        t->setSingleShot(true);
    connect(&m_outTimer, &QTimer::timeout, this, [this] { guarded([this] { pump(); }); });
    connect(&m_takeTimer, &QTimer::timeout, this, [this] { guarded([this] { finishTake(); }); });
    connect(&m_storeTimer, &QTimer::timeout, this, [this] { guarded([this] { storeTimerFired(); }); });
    connect(&m_readyTimer, &QTimer::timeout, this, [this] { guarded([this] { readyTimerFired(); }); });
    connect(&m_paceTimer, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (m_raw && m_held) {
                m_held = false;
                sendRaw(escaped(FrameReceiver::Dc1));
            }
        });
    });
    connect(&m_rawIdleTimer, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (!m_raw)
                return;
            log(QStringLiteral("raw mode: nothing received for %1 ms, picture dropped").arg(m_rawIdleMs));
            ++m_picturesDropped;
            leaveRaw();
        });
    });
}

void SimDevice::setFaults(const FaultOptions& faults)
{
    m_faults = faults;
    m_noise.seed(faults.noiseSeed);
}

void SimDevice::setChunking(int size, int gapMs)
{
    m_faults.chunkSize = size;
    m_faults.chunkGapMs = gapMs;
}

void SimDevice::setPacing(int everyBlocks, int holdMs)
{
    m_faults.paceEveryBlocks = everyBlocks;
    m_faults.paceHoldMs = holdMs;
}

void SimDevice::setStoreTiming(int delayMs, int holdMs)
{
    m_storeDelayMs = delayMs;
    m_storeHoldMs = holdMs;
    if (delayMs < 0)
        m_storeTimer.stop();
}

void SimDevice::setReadyTiming(int readyDelayMs, int repeatMs)
{
    m_readyDelayMs = readyDelayMs;
    m_readyRepeatMs = repeatMs;
}

// ---- Text protocol ---------------------------------------------------------------------------

void SimDevice::receive(const QByteArray& bytes)
{
    if (!m_raw)
        log(QStringLiteral("<< ") + printable(bytes));
    m_batching = true;
    for (char b : bytes) {
        if (m_raw) {
            receiveRaw(b);
            continue;
        }
        m_scratch.clear();
        m_parser.push(b, m_scratch);
        // handle() may switch to raw mode; the commands of this byte are complete anyway.
        const std::vector<Command> done = m_scratch;
        for (const Command& c : done)
            handle(c);
    }
    m_batching = false;
    pump();
}

void SimDevice::handle(const Command& command)
{
    ++m_commands;
    ++m_commandCounts[command.index];
    if (command.index == _DIESE) {
        dumpAll();
        return;
    }
    if (!command.hasValue || command.index == _DEV) {
        reply(command.index);
        return;
    }
    handleSet(command);
}

void SimDevice::handleSet(const Command& c)
{
    if (c.overflow) {
        log(QStringLiteral("value too long for %1, ignored").arg(QLatin1String(ReplyMnemonics[c.index])));
        reply(c.index);
        return;
    }
    switch (c.index) {
    case _TAKE:
        if (c.value != 0)
            startTake();
        else
            reply(_TAKE);
        return;
    case _FRESET:
        if (c.value != 0) {
            m_takeTimer.stop();
            runAction(_FRESET, &DeviceState::factoryReset);
            return;
        }
        break;
    case _PRESETM:
        if (c.value != 0) {
            runAction(_PRESETM, &DeviceState::resetPicture);
            return;
        }
        break;
    case _ERAPOS:
    case _AUTOCAD:
        if (c.value != 0) {
            runAction(c.index, &DeviceState::resetFraming);
            return;
        }
        break;
    case _LANRESET:
        if (c.value != 0) {
            runAction(_LANRESET, &DeviceState::resetNetwork);
            return;
        }
        break;
    case _LANSTORE:
        if (c.value != 0) {
            runAction(_LANSTORE, nullptr);
            return;
        }
        break;
    default: break;
    }

    const Snapshot before = snapshot();
    const SetOutcome outcome = m_state.set(c.index, c.value);
    const QLatin1String name(ReplyMnemonics[c.index]);
    if (outcome == SetOutcome::Rejected)
        log(QStringLiteral("%1: value %2 out of range, ignored").arg(name).arg(c.value));
    else if (outcome == SetOutcome::Clamped)
        log(QStringLiteral("%1: value %2 clamped to %3").arg(name).arg(c.value).arg(m_state.value(c.index)));
    else if (outcome == SetOutcome::ReadOnly)
        log(QStringLiteral("%1: read-only, value ignored").arg(name));
    m_state.recomputeDerived();
    reply(c.index);
    reportChanged(before, true, c.index);

    const bool accepted = outcome == SetOutcome::Stored || outcome == SetOutcome::Clamped;
    if (!accepted)
        return;
    if (DeviceState::isPersistent(c.index))
        scheduleStore();
    if (c.index == _ICHNM && m_state.value(_AUTOTAKE) != 0)
        startTake();
    if (c.index == _FAEXEC && c.value != 0 && m_state.value(_FAMODEM) == 2 && m_state.value(_FATRMODE) == 0)
        enterRaw();
}

void SimDevice::runAction(tVAR index, void (DeviceState::*action)())
{
    const Snapshot before = snapshot();
    m_state.store(index, 1);
    reply(index);
    if (action)
        (m_state.*action)();
    m_state.recomputeDerived();
    m_state.store(index, 0);
    reportChanged(before, false, index);
    reply(index);
    scheduleStore();
}

void SimDevice::dumpAll()
{
    const int inputs = m_state.inputCount();
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto v = static_cast<tVAR>(i);
        if (v == _PCHAN) {
            // Every input's settings, each after the PCHAN that addresses it, so that a
            // controller learns all of them from one dump; then the current PCHAN again.
            for (int n = 1; n <= inputs; ++n) {
                output(replyText(_PCHAN, std::uint32_t(n)), true);
                for (tVAR p : {_PENA, _PRGBI, _PISTD, _PPROC, _REFASP}) {
                    std::uint32_t value = m_state.perInput(p, n);
                    if (tesso::Catalogue[p].storage == tesso::Storage::BOOL)
                        value = value != 0;
                    output(replyText(p, value), true);
                }
            }
        } else if (v == _PADIP) {
            // Likewise the three addresses.
            for (int a = 1; a <= 3; ++a) {
                output(replyText(_PADIP, std::uint32_t(a)), true);
                for (int o = 0; o < 4; ++o)
                    output(replyText(static_cast<tVAR>(_IP4 + o), m_state.octet(a, o)), true);
                output(replyText(_PORT, m_state.port(a)), true);
            }
        } else if (v == _DIESE) {
            // The last line of the dump reports the query-all as done.
            output(replyText(_DIESE, 1), true);
            continue;
        }
        reply(v);
    }
}

// ---- Take, store ------------------------------------------------------------------------------

void SimDevice::startTake()
{
    if (m_takeTimer.isActive()) {
        reply(_TAKE);
        return;
    }
    const Snapshot before = snapshot();
    // Standard switching has no effects: the take is a plain switch, effect status stays 0.
    const std::uint32_t effect = m_state.value(_SEAMLESS) ? m_state.value(_EFFECTTYPE) : 0;
    m_state.store(_TAKE, 1);
    m_state.store(_TAKEEVA, 0);
    m_state.store(_EFFECTSTATUS, effect);
    reply(_TAKE);
    reportChanged(before, true, _TAKE);

    int duration = m_takeDurationMs;
    if (duration < 0) {
        if (effect == 2)
            duration = int(m_state.value(_FADEDURATION)) * 100;
        else if (effect == 3)
            duration = int(m_state.value(_TITLEDURATION)) * 100;
        else
            duration = 150;
    }
    m_takeTimer.start(duration);
}

void SimDevice::finishTake()
{
    Snapshot before = snapshot();
    m_state.putOnAir(m_state.value(_ICHNM));
    m_state.store(_TAKE, 0);
    m_state.recomputeDerived();
    // The input on air and all of its signal values, changed or not.
    for (int i = _ICHM; i <= _IFAMM; ++i) {
        const auto v = static_cast<tVAR>(i);
        if (v == _ICHNM || v == _IPMODEM)
            continue;
        reply(v);
        before[v] = m_state.value(v);
    }
    reportChanged(before, true, _TAKE);
    reply(_TAKE);
    if (m_state.value(_AUTOTAKE) != 0 && m_state.value(_ICHNM) != m_state.value(_ICHM))
        startTake();
}

void SimDevice::scheduleStore()
{
    if (m_storeDelayMs < 0)
        return;
    if (m_storing) {
        m_storeAgain = true;
        return;
    }
    m_storeTimer.start(m_storeDelayMs);
}

void SimDevice::storeTimerFired()
{
    if (m_raw) {
        // Text in the middle of a frame transfer would only disturb it; report later.
        m_storeTimer.start(m_storeHoldMs);
        return;
    }
    if (!m_storing) {
        m_storing = true;
        m_state.store(_STORE, 1);
        reply(_STORE);
        m_storeTimer.start(m_storeHoldMs);
        return;
    }
    m_storing = false;
    m_state.store(_STORE, 0);
    reply(_STORE);
    if (m_storeAgain) {
        m_storeAgain = false;
        m_storeTimer.start(m_storeDelayMs);
    }
}

// ---- Raw frame memory -------------------------------------------------------------------------

void SimDevice::enterRaw()
{
    m_raw = true;
    m_rawDataSeen = false;
    m_held = false;
    m_dataWhileHeld = false;
    m_frame.begin();
    m_parser.reset();
    log(QStringLiteral("raw mode on: waiting for a %1 x %2 picture")
            .arg(FrameReceiver::Width)
            .arg(FrameReceiver::Height));
    enqueue(QByteArray(), Marker::RawOn);
    if (m_rawIdleMs > 0)
        m_rawIdleTimer.start(m_rawIdleMs);
}

void SimDevice::leaveRaw()
{
    m_raw = false;
    m_held = false;
    m_readyTimer.stop();
    m_paceTimer.stop();
    m_rawIdleTimer.stop();
    m_state.store(_FAEXEC, 0);
    m_parser.reset();
    log(QStringLiteral("raw mode off: %1 blocks, %2 lines, %3 pixels")
            .arg(m_frame.blocksEnded())
            .arg(m_frame.linesEnded())
            .arg(m_frame.pixelsReceived()));
    enqueue(QByteArray(), Marker::RawOff);
}

void SimDevice::readyTimerFired()
{
    if (!m_raw || m_rawDataSeen || m_faults.noReadySignal)
        return;
    sendRaw(escaped(FrameReceiver::Dc1));
    if (m_readyRepeatMs > 0)
        m_readyTimer.start(m_readyRepeatMs);
}

void SimDevice::receiveRaw(char byte)
{
    m_rawDataSeen = true;
    if (m_rawIdleMs > 0)
        m_rawIdleTimer.start(m_rawIdleMs);
    switch (m_frame.push(byte)) {
    case FrameReceiver::Event::Data:
        if (m_held)
            m_dataWhileHeld = true;
        return;
    case FrameReceiver::Event::BlockEnd: {
        const int blocks = m_frame.blocksEnded();
        if (m_dataWhileHeld) {
            ++m_blocksWhileHeld;
            m_dataWhileHeld = false;
        }
        if (m_faults.abortAfterBlocks >= 0 && blocks >= m_faults.abortAfterBlocks) {
            log(QStringLiteral("raw mode: abort code after %1 blocks").arg(blocks));
            sendRaw(escaped(FrameReceiver::Can));
            ++m_picturesDropped;
            leaveRaw();
            return;
        }
        if (m_faults.paceEveryBlocks > 0 && blocks % m_faults.paceEveryBlocks == 0) {
            // Wait first, then the acknowledgement, so that the sender holds its next block.
            sendRaw(escaped(FrameReceiver::Dc3) + escaped(FrameReceiver::Ack));
            m_held = true;
            m_paceTimer.start(m_faults.paceHoldMs);
        } else {
            sendRaw(escaped(FrameReceiver::Ack));
        }
        return;
    }
    case FrameReceiver::Event::LineEnd:
        sendRaw(escaped(FrameReceiver::Ack));
        if (m_frame.linesEnded() % 48 == 0)
            log(QStringLiteral("raw mode: %1 lines").arg(m_frame.linesEnded()));
        return;
    case FrameReceiver::Event::End:
        sendRaw(escaped(FrameReceiver::Ack));
        finishPicture();
        leaveRaw();
        return;
    case FrameReceiver::Event::Cancel:
        log(QStringLiteral("raw mode: cancelled by the sender, picture dropped"));
        ++m_picturesDropped;
        leaveRaw();
        return;
    case FrameReceiver::Event::None:
    case FrameReceiver::Event::Unknown: return;
    }
}

void SimDevice::finishPicture()
{
    if (!m_frame.complete()) {
        log(QStringLiteral("raw mode: picture incomplete (%1 lines, %2 irregular, %3 pixels dropped), not kept")
                .arg(m_frame.linesEnded())
                .arg(m_frame.irregularLines())
                .arg(m_frame.pixelsDropped()));
        ++m_picturesDropped;
        return;
    }
    ++m_picturesReceived;
    m_lastPicture = m_frame.picture();
    m_state.store(_FAREC, 1);
    m_state.recomputeDerived();
    if (m_saveFolder.isEmpty()) {
        log(QStringLiteral("raw mode: picture received"));
        emit pictureReceived(QString());
        return;
    }
    const QString file = FrameReceiver::nextFileName(m_saveFolder);
    if (FrameReceiver::saveBitmap(m_lastPicture, file)) {
        m_lastSaved = file;
        log(QStringLiteral("raw mode: picture saved as %1").arg(file));
        emit pictureReceived(file);
    } else {
        log(QStringLiteral("raw mode: cannot write %1").arg(file));
    }
}

// ---- Output -----------------------------------------------------------------------------------

SimDevice::Snapshot SimDevice::snapshot() const
{
    Snapshot s{};
    for (int i = 0; i < tesso::VariableCount; ++i)
        s[i] = m_state.value(static_cast<tVAR>(i));
    return s;
}

void SimDevice::reportChanged(const Snapshot& before, bool derivedOnly, tVAR except)
{
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto v = static_cast<tVAR>(i);
        if (v == except || (derivedOnly && !DeviceState::isDerived(v)))
            continue;
        if (m_state.value(v) != before[i])
            reply(v);
    }
}

void SimDevice::reply(tVAR index)
{
    output(m_state.replyLine(index), true);
}

void SimDevice::sendRaw(const QByteArray& bytes)
{
    output(bytes, false);
}

void SimDevice::output(const QByteArray& bytes, bool isReply)
{
    if (m_silent)
        return;
    if (isReply && m_faults.silenceAfterReplies >= 0 && m_replies >= m_faults.silenceAfterReplies) {
        m_silent = true;
        log(QStringLiteral("silent from now on (after %1 replies)").arg(m_replies));
        return;
    }
    QByteArray data = bytes;
    Marker marker = Marker::None;
    if (isReply) {
        if (m_faults.noiseBytes > 0 && m_replies > 0)
            data.prepend(noiseLine());
        ++m_replies;
        if (m_faults.disconnectAfterReplies >= 0 && m_replies == m_faults.disconnectAfterReplies)
            marker = Marker::Disconnect;
        log(QStringLiteral(">> ") + printable(bytes.left(bytes.size() - 2)));
    }
    enqueue(data, marker);
}

QByteArray SimDevice::noiseLine()
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

void SimDevice::enqueue(const QByteArray& bytes, Marker marker)
{
    const qint64 due = m_clock.elapsed() + std::max(0, m_faults.replyDelayMs);
    // Everything one received chunk causes leaves together (one write, one datagram).
    if (!m_queue.empty() && m_queue.back().marker == Marker::None && (m_batching || m_queue.back().due >= due)) {
        m_queue.back().bytes += bytes;
        m_queue.back().marker = marker;
    } else {
        m_queue.push_back({bytes, due, marker});
    }
    if (!m_batching)
        pump();
}

void SimDevice::pump()
{
    // A receiver of sendBytes may answer at once and come back here; the outer loop goes on.
    if (m_pumping)
        return;
    m_pumping = true;
    m_outTimer.stop();
    while (!m_queue.empty()) {
        Outgoing& head = m_queue.front();
        const qint64 now = m_clock.elapsed();
        if (head.due > now) {
            m_outTimer.start(int(head.due - now));
            break;
        }
        const int chunk = m_faults.chunkSize;
        if (chunk > 0 && head.bytes.size() > chunk) {
            const QByteArray piece = head.bytes.left(chunk);
            head.bytes.remove(0, chunk);
            emit sendBytes(piece);
            m_outTimer.start(m_faults.chunkGapMs);
            break;
        }
        const Outgoing item = std::move(head);
        m_queue.pop_front();
        if (!item.bytes.isEmpty())
            emit sendBytes(item.bytes);
        runMarker(item.marker);
        if (chunk > 0 && !item.bytes.isEmpty() && !m_queue.empty()) {
            m_outTimer.start(m_faults.chunkGapMs);
            break;
        }
    }
    m_pumping = false;
}

void SimDevice::runMarker(Marker marker)
{
    switch (marker) {
    case Marker::None: return;
    case Marker::Disconnect:
        log(QStringLiteral("dropping the connection (after %1 replies)").arg(m_replies));
        emit disconnectRequested();
        return;
    case Marker::RawOn:
        emit rawModeChanged(true);
        if (!m_faults.noReadySignal)
            m_readyTimer.start(m_readyDelayMs);
        return;
    case Marker::RawOff: emit rawModeChanged(false); return;
    }
}

void SimDevice::log(const QString& line)
{
    emit logLine(line);
}

} // namespace tesso::sim
