#include "SimFrameSession.h"

#include "SimGuard.h"
#include "SimOutput.h"

namespace tesso::sim
{

namespace
{

QByteArray escaped(char code)
{
    QByteArray b;
    b.append(FrameReceiver::Esc);
    b.append(code);
    return b;
}

} // namespace

SimFrameSession::SimFrameSession(SimOutput& output, QObject* parent) : QObject(parent), m_output(output)
{
    for (QTimer* t : {&m_readyTimer, &m_paceTimer, &m_idleTimer})
        t->setSingleShot(true);
    connect(&m_readyTimer, &QTimer::timeout, this, [this] { guarded([this] { readyTimerFired(); }); });
    connect(&m_paceTimer, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (m_active && m_held) {
                m_held = false;
                send(FrameReceiver::Dc1);
                // The sender was silent because we held it; its time starts now.
                restartIdleTimer();
            }
        });
    });
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (!m_active)
                return;
            log(QStringLiteral("raw mode: nothing received for %1 ms, picture dropped").arg(m_idleMs));
            ++m_picturesDropped;
            leave();
        });
    });
}

void SimFrameSession::setPacing(int everyBlocks, int holdMs)
{
    m_faults.paceEveryBlocks = everyBlocks;
    m_faults.paceHoldMs = holdMs;
}

void SimFrameSession::setReadyTiming(int readyDelayMs, int repeatMs)
{
    m_readyDelayMs = readyDelayMs;
    m_readyRepeatMs = repeatMs;
}

void SimFrameSession::enter()
{
    m_active = true;
    m_dataSeen = false;
    m_readySent = false;
    m_held = false;
    m_endSent = false;
    m_dataWhileHeld = false;
    m_frame.begin();
    log(QStringLiteral("raw mode on: waiting for a %1 x %2 picture")
            .arg(FrameReceiver::Width)
            .arg(FrameReceiver::Height));
    // A serial link changes speed only after the FAEXEC reply has left at the old one.
    m_output.then([this] {
        emit rawModeChanged(true);
        if (!m_faults.noReadySignal)
            m_readyTimer.start(m_readyDelayMs);
    });
    restartIdleTimer();
}

void SimFrameSession::restartIdleTimer()
{
    if (m_idleMs > 0)
        m_idleTimer.start(m_idleMs);
}

void SimFrameSession::leave()
{
    m_active = false;
    m_held = false;
    m_readyTimer.stop();
    m_paceTimer.stop();
    m_idleTimer.stop();
    log(QStringLiteral("raw mode off: %1 blocks, %2 lines, %3 pixels")
            .arg(m_frame.blocksEnded())
            .arg(m_frame.linesEnded())
            .arg(m_frame.pixelsReceived()));
    // Queued first, so that the text the device sends after raw mode leaves at the text speed.
    m_output.then([this] { emit rawModeChanged(false); });
    emit finished();
}

void SimFrameSession::send(char code)
{
    m_output.raw(escaped(code));
}

void SimFrameSession::readyTimerFired()
{
    // The first ready signal always goes out: a stray byte (a controller's keep-alive) before it
    // must not leave the sender waiting for ever.
    if (!m_active || m_faults.noReadySignal || (m_dataSeen && m_readySent))
        return;
    m_readySent = true;
    send(FrameReceiver::Dc1);
    if (m_readyRepeatMs > 0)
        m_readyTimer.start(m_readyRepeatMs);
}

void SimFrameSession::receive(char byte)
{
    m_dataSeen = true;
    // Only the end of a block or line restarts the idle time: a controller's keep-alive text may
    // still arrive while raw (it never contains ESC) and must not keep a deserted raw mode alive.
    switch (m_frame.push(byte)) {
    case FrameReceiver::Event::Data:
        if (m_held)
            m_dataWhileHeld = true;
        return;
    case FrameReceiver::Event::BlockEnd:
        restartIdleTimer();
        blockEnded();
        return;
    case FrameReceiver::Event::LineEnd:
        restartIdleTimer();
        send(FrameReceiver::Ack);
        if (m_frame.linesEnded() % 48 == 0)
            log(QStringLiteral("raw mode: %1 lines").arg(m_frame.linesEnded()));
        return;
    case FrameReceiver::Event::End:
        send(FrameReceiver::Ack);
        finishPicture();
        leave();
        return;
    case FrameReceiver::Event::Cancel:
        log(QStringLiteral("raw mode: cancelled by the sender, picture dropped"));
        ++m_picturesDropped;
        leave();
        return;
    case FrameReceiver::Event::None:
    case FrameReceiver::Event::Unknown:
        return;
    }
}

void SimFrameSession::blockEnded()
{
    const int blocks = m_frame.blocksEnded();
    if (m_dataWhileHeld) {
        ++m_blocksWhileHeld;
        m_dataWhileHeld = false;
    }
    if (m_faults.abortAfterBlocks >= 0 && blocks >= m_faults.abortAfterBlocks) {
        log(QStringLiteral("raw mode: abort code after %1 blocks").arg(blocks));
        send(FrameReceiver::Can);
        ++m_picturesDropped;
        leave();
        return;
    }
    if (m_faults.endAfterBlocks >= 0 && blocks >= m_faults.endAfterBlocks && !m_endSent) {
        // The end code in place of the acknowledgement; the sender's ESC EOT is answered as usual,
        // and the picture, incomplete, is dropped then.
        log(QStringLiteral("raw mode: end code after %1 blocks").arg(blocks));
        m_endSent = true;
        send(FrameReceiver::Eot);
        return;
    }
    if (m_faults.paceEveryBlocks > 0 && blocks % m_faults.paceEveryBlocks == 0) {
        // Wait first, then the acknowledgement, so that the sender holds its next block.
        m_output.raw(escaped(FrameReceiver::Dc3) + escaped(FrameReceiver::Ack));
        m_held = true;
        m_idleTimer.stop();
        m_paceTimer.start(m_faults.paceHoldMs);
    } else {
        send(FrameReceiver::Ack);
    }
}

void SimFrameSession::finishPicture()
{
    if (!m_frame.complete()) {
        log(QStringLiteral(
                "raw mode: picture incomplete (%1 lines, %2 irregular, %3 pixels dropped), not kept")
                .arg(m_frame.linesEnded())
                .arg(m_frame.irregularLines())
                .arg(m_frame.pixelsDropped()));
        ++m_picturesDropped;
        return;
    }
    ++m_picturesReceived;
    m_lastPicture = m_frame.picture();
    emit pictureKept();
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

} // namespace tesso::sim
