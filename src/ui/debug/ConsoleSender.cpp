#include "ConsoleSender.h"

#include <QKeyEvent>
#include <QProgressBar>

#include "DebugTexts.h"
#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "SendMemo.h"

namespace tesso
{

ConsoleSender::ConsoleSender(SendMemo* memo, QProgressBar* progress, QObject* parent)
    : QObject(parent), m_memo(memo), m_progress(progress)
{
}

void ConsoleSender::setDriver(DeviceDriver* driver)
{
    m_driver = driver;
}

ConsoleSender::SendMode ConsoleSender::ComputeSendMode(bool direct, bool transmitCR)
{
    if (direct)
        return transmitCR ? SendMode::DirectWithCR : SendMode::Direct;
    return transmitCR ? SendMode::LineWithCR : SendMode::Line;
}

void ConsoleSender::sendTypedKey(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QString typed = event->text();
    if (enter)
        typed = QStringLiteral("\r");
    else if (event->key() == Qt::Key_Backspace)
        typed = QStringLiteral("\b");
    else if (event->key() == Qt::Key_Delete)
        typed.clear(); // moves the caret; it is no character
    if (enter)
        m_memo->Remember(m_memo->CaretLine());
    if (sendMode == SendMode::DirectWithCR || sendMode == SendMode::Direct) {
        if (!typed.isEmpty() && !(sendMode == SendMode::Direct && enter))
            sendTyped(typed);
        return;
    }
    if (!enter)
        return;
    const QString line = m_memo->CaretLine();
    if (line.isEmpty() || line == QStringLiteral("\b"))
        return;
    sendTyped(sendMode == SendMode::LineWithCR ? line + QLatin1Char('\r') : line);
}

void ConsoleSender::sendTyped(const QString& text)
{
    if (!m_driver || refusesToSend())
        return;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            // Converted, it would go out as "?", which the device reads as a query.
            emit notice(QString(DebugTexts::NoSingleByte).arg(c));
            return;
        }
    }
    m_driver->sendText(text.toLatin1());
}

void ConsoleSender::SendTextDirect(const QString& text)
{
    if (text.isEmpty() || !m_driver || refusesToSend())
        return;
    const SendMode remembered = sendMode;
    sendMode = SendMode::Direct;
    m_progress->setMaximum(static_cast<int>(text.size()));
    QString failure;
    for (qsizetype i = 0; i < text.size() && failure.isEmpty(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            // Dropped, as Enter is in this mode.
        } else if (c.unicode() > 0xFF) {
            emit notice(QString(DebugTexts::NoSingleByte).arg(c));
        } else {
            failure = sendBytes(QByteArray(1, static_cast<char>(c.unicode())), false);
        }
        m_progress->setValue(static_cast<int>(i + 1));
    }
    m_progress->setValue(0);
    sendMode = remembered;
    if (!failure.isEmpty())
        tesso::reportError(failure);
}

QString ConsoleSender::whyNotSend(bool needOpenLink) const
{
    if (!m_driver)
        return QString(DebugTexts::LinkClosed);
    if (m_driver->linkMode() == LinkMode::Raw)
        return QString(DebugTexts::FrameTransferHoldsLine);
    if (needOpenLink && !m_driver->isLinkOpen())
        return QString(DebugTexts::LinkClosed);
    return {};
}

QString ConsoleSender::sendBytes(const QByteArray& bytes, bool needOpenLink)
{
    if (QString reason = whyNotSend(needOpenLink); !reason.isEmpty())
        return reason;
    try {
        m_driver->sendText(bytes);
    } catch (const TessoError& e) {
        return e.text();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return {};
}

bool ConsoleSender::refusesToSend()
{
    if (m_driver && m_driver->linkMode() == LinkMode::Raw) {
        emit notice(QString(DebugTexts::FrameTransferHoldsLine));
        return true;
    }
    return false;
}

} // namespace tesso
