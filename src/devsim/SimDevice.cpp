#include "SimDevice.h"

#include <algorithm>

#include "SimGuard.h"

namespace tesso::sim
{

namespace
{

// Variables whose non-zero set runs an action: it answers 1, does its work, reports what changed
// and answers 0. A zero is stored like any other value.
struct Action {
    tVAR index;
    void (DeviceState::*run)();
};
constexpr Action Actions[] = {
    {_FRESET, &DeviceState::factoryReset},   {_PRESETM, &DeviceState::resetPicture},
    {_ERAPOS, &DeviceState::resetFraming},   {_AUTOCAD, &DeviceState::resetFraming},
    {_LANRESET, &DeviceState::resetNetwork}, {_LANSTORE, nullptr},
};

} // namespace

SimDevice::SimDevice(Model model, QObject* parent) : QObject(parent), m_state(model), m_frames(m_output)
{
    connect(&m_output, &SimOutput::sendBytes, this, &SimDevice::sendBytes);
    connect(&m_output, &SimOutput::disconnectRequested, this, &SimDevice::disconnectRequested);
    connect(&m_output, &SimOutput::logLine, this, &SimDevice::logLine);
    connect(&m_frames, &SimFrameSession::rawModeChanged, this, &SimDevice::rawModeChanged);
    connect(&m_frames, &SimFrameSession::pictureReceived, this, &SimDevice::pictureReceived);
    connect(&m_frames, &SimFrameSession::logLine, this, &SimDevice::logLine);
    connect(&m_frames, &SimFrameSession::finished, this, [this] {
        m_parser.reset();
        endFrameOperation();
    });
    connect(&m_frames, &SimFrameSession::pictureKept, this, [this] {
        const std::uint32_t slot = m_state.value(_FANUMBER);
        if (!m_state.frames().store(slot, m_frames.lastPicture()))
            log(QStringLiteral("no frame memory %1, picture not stored").arg(slot));
    });

    for (QTimer* t : {&m_takeTimer, &m_storeTimer, &m_captureTimer})
        t->setSingleShot(true);
    connect(&m_takeTimer, &QTimer::timeout, this, [this] { guarded([this] { finishTake(); }); });
    connect(&m_captureTimer, &QTimer::timeout, this, [this] { guarded([this] { finishCapture(); }); });
    connect(&m_storeTimer, &QTimer::timeout, this, [this] { guarded([this] { storeTimerFired(); }); });
}

void SimDevice::setFaults(const FaultOptions& faults)
{
    m_output.setFaults(faults);
    m_frames.setFaults(faults);
}

void SimDevice::setStoreTiming(int delayMs, int holdMs)
{
    m_storeDelayMs = delayMs;
    m_storeHoldMs = holdMs;
    if (delayMs < 0)
        m_storeTimer.stop();
}

// ---- Text protocol ---------------------------------------------------------------------------

void SimDevice::receive(const QByteArray& bytes)
{
    if (!m_frames.active())
        log(QStringLiteral("<< ") + SimOutput::printable(bytes));
    m_output.beginBatch();
    for (char b : bytes) {
        if (m_frames.active()) {
            m_frames.receive(b);
            continue;
        }
        m_scratch.clear();
        m_parser.push(b, m_scratch);
        // handle() may switch to raw mode; the commands of this byte are complete anyway.
        const std::vector<DeviceCommand> done = m_scratch;
        for (const DeviceCommand& c : done)
            handle(c);
    }
    m_output.endBatch();
}

void SimDevice::handle(const DeviceCommand& command)
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

void SimDevice::handleSet(const DeviceCommand& c)
{
    if (c.overflow) {
        log(QStringLiteral("value too long for %1, ignored").arg(QLatin1String(ReplyMnemonics[c.index])));
        reply(c.index);
        return;
    }
    if (c.index == _TAKE) {
        if (c.value != 0)
            startTake();
        else
            reply(_TAKE);
        return;
    }
    if (c.value != 0 && runAction(c))
        return;
    if (c.index == _FAEXEC && m_captureTimer.isActive()) {
        // Busy recording: the request is answered, not taken.
        reply(_FAEXEC);
        return;
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
    if (isKeptSetting(c.index))
        scheduleStore();
    if (c.index == _ICHNM && m_state.value(_AUTOTAKE) != 0)
        startTake();
    if (c.index == _FAEXEC && c.value != 0)
        startFrameOperation();
}

bool SimDevice::runAction(const DeviceCommand& c)
{
    const Action* action = nullptr;
    for (const Action& a : Actions)
        if (a.index == c.index)
            action = &a;
    if (!action)
        return false;
    if (c.index == _FRESET) {
        m_takeTimer.stop();
        m_captureTimer.stop();
    }
    const Snapshot before = snapshot();
    m_state.store(c.index, 1);
    reply(c.index);
    if (action->run)
        (m_state.*(action->run))();
    m_state.recomputeDerived();
    m_state.store(c.index, 0);
    reportChanged(before, false, c.index);
    reply(c.index);
    scheduleStore();
    return true;
}

void SimDevice::dumpAll()
{
    for (int i = 0; i < VariableCount; ++i) {
        const auto v = static_cast<tVAR>(i);
        if (v == _PCHAN) {
            // Every input's settings, each after the PCHAN that addresses it, so that a
            // controller learns all of them from one dump; then the current PCHAN again.
            for (int n = 1; n <= m_state.inputCount(); ++n) {
                m_output.reply(DeviceState::replyLine(_PCHAN, std::uint32_t(n)));
                for (tVAR p : PerInputVariables)
                    m_output.reply(DeviceState::replyLine(p, m_state.perInput(p, n)));
            }
        } else if (v == _PADIP) {
            // Likewise the addresses.
            for (int a = 1; a <= DeviceState::Addresses; ++a) {
                m_output.reply(DeviceState::replyLine(_PADIP, std::uint32_t(a)));
                for (tVAR p : AddressVariables)
                    m_output.reply(DeviceState::replyLine(p, m_state.perAddress(p, a)));
            }
        } else if (v == _DIESE) {
            // The last line of the dump reports the query-all as done.
            m_output.reply(DeviceState::replyLine(_DIESE, 1));
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
    for (const VariableRule& rule : Rules) {
        if (!rule.has(OnAir))
            continue;
        reply(rule.index);
        before[rule.index] = m_state.value(rule.index);
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
    if (m_frames.active()) {
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

// ---- Frame memory -----------------------------------------------------------------------------

void SimDevice::startFrameOperation()
{
    const std::uint32_t mode = m_state.value(_FAMODEM);
    const std::uint32_t slot = m_state.value(_FANUMBER);
    if (mode == 1) {
        m_captureSlot = slot;
        m_captureTimer.start(std::max(0, m_captureMs));
        return;
    }
    if (mode == 2 && m_state.value(_FATRMODE) == 0) {
        m_parser.reset();
        m_frames.enter();
        return;
    }
    if (mode == 3)
        m_state.frames().erase(slot);
    else
        log(QStringLiteral("frame operation %1 (transfer format %2) not offered, nothing done")
                .arg(mode)
                .arg(m_state.value(_FATRMODE)));
    endFrameOperation();
}

void SimDevice::finishCapture()
{
    const QImage live = FrameMemory::inputPicture(m_state.value(_ICHM), m_state.value(_IPSIGM) != 0);
    if (!m_state.frames().store(m_captureSlot, live))
        log(QStringLiteral("no frame memory %1, nothing captured").arg(m_captureSlot));
    endFrameOperation();
}

// Every frame operation ends the same way, so that a controller sees the memory's state before
// the request is reported done.
void SimDevice::endFrameOperation()
{
    m_state.recomputeDerived();
    reply(_FAREC);
    reply(_FASTAT);
    m_state.store(_FAEXEC, 0);
    reply(_FAEXEC);
}

// ---- Reports ----------------------------------------------------------------------------------

SimDevice::Snapshot SimDevice::snapshot() const
{
    Snapshot s{};
    for (int i = 0; i < VariableCount; ++i)
        s[i] = m_state.value(static_cast<tVAR>(i));
    return s;
}

void SimDevice::reportChanged(const Snapshot& before, bool derivedOnly, tVAR except)
{
    for (const VariableRule& rule : Rules) {
        if (rule.index == except || (derivedOnly && !rule.has(Derived)))
            continue;
        if (m_state.value(rule.index) != before[rule.index])
            reply(rule.index);
    }
}

void SimDevice::reply(tVAR index)
{
    if ((index == _STBION || index == _STBIOFF) && m_messageIndexOffset != 0)
        return m_output.reply(DeviceState::replyLine(index, m_state.value(index) + m_messageIndexOffset));
    m_output.reply(m_state.replyLine(index));
}

} // namespace tesso::sim
