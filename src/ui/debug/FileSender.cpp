#include "FileSender.h"

#include <algorithm>

#include <QProgressBar>
#include <QStringList>

#include "CommandFile.h"
#include "ConsoleSender.h"
#include "DebugPrompts.h"
#include "DebugTexts.h"
#include "DialKnob.h"
#include "ErrorReport.h"
#include "IntervalDial.h"
#include "SendMemo.h"
#include "TimedSend.h"

namespace tesso
{

FileSender::FileSender(ConsoleSender* sender, SendMemo* memo, QProgressBar* progress, QWidget* area,
                       QObject* parent)
    : QObject(parent), timedSend(new TimedSend(this)), m_sender(sender), m_memo(memo), m_progress(progress),
      m_area(area)
{
    timedSend->Send = [this](const QByteArray& line) { return m_sender->sendBytes(line, true); };
    connect(timedSend, &TimedSend::lineSent, this,
            [this](const QByteArray& line) { m_memo->AppendLines(QString::fromLatin1(line)); });
    connect(timedSend, &TimedSend::progressed, m_progress, &QProgressBar::setValue);
    connect(timedSend, &TimedSend::finished, this,
            [this](bool, const QString& failure) { timedSendFinished(failure); });
}

void FileSender::sendTextFile()
{
    QWidget* window = m_area->window();
    const QString fileName = m_prompts->OpenTextFile(window, QString(DebugTexts::TextFileFilter));
    if (fileName.isEmpty())
        return;
    QString error;
    const std::optional<QList<QByteArray>> lines = CommandFile::Read(fileName, error);
    if (!lines) {
        tesso::reportError(error);
        return;
    }
    const QByteArray text = CommandFile::Joined(*lines);
    switch (m_prompts->AskTemporize(window)) {
    case DebugPrompts::Pace::Cancelled:
        return;
    case DebugPrompts::Pace::AtOnce:
        sendAtOnce(*lines, text);
        return;
    case DebugPrompts::Pace::Paced:
        StartTimedSend(text);
        return;
    }
}

void FileSender::sendAtOnce(const QList<QByteArray>& lines, const QByteArray& text)
{
    if (text.isEmpty())
        return;
    // Sent into a closed link, the file would look sent.
    const QString failure = m_sender->whyNotSend(true);
    if (!failure.isEmpty()) {
        tesso::reportError(failure);
        return;
    }
    QStringList shown;
    for (const QByteArray& line : lines)
        shown << QString::fromLatin1(line);
    m_memo->AppendLines(shown.join(QLatin1Char('\n')));
    m_sender->SendTextDirect(QString::fromLatin1(text));
}

void FileSender::StartTimedSend(const QByteArray& text)
{
    const QList<QByteArray> lines = CommandFile::SplitLines(text);
    if (lines.isEmpty())
        return;
    m_progress->setMaximum(std::max(1, static_cast<int>(CommandFile::Joined(lines).size())));
    m_sender->sendMode = ConsoleSender::SendMode::Direct;
    showDial();
    timedSend->Start(lines);
}

void FileSender::showDial()
{
    if (!Dial) {
        Dial = new IntervalDial(m_area);
        Dial->Knob->setSelected(DialKnob::PositionCount);
        connect(Dial, &IntervalDial::intervalChanged, timedSend, &TimedSend::SetInterval);
        connect(Dial, &IntervalDial::closed, timedSend, &TimedSend::Cancel);
        Dial->move(50, 50);
    }
    Dial->setInterval(timedSend->Interval());
    Dial->show();
    Dial->raise();
}

void FileSender::timedSendFinished(const QString& failure)
{
    if (Dial)
        Dial->deleteLater(); // its close button may be what ended the send
    Dial = nullptr;
    m_progress->setValue(0);
    emit pacedSendEnded();
    if (!failure.isEmpty())
        tesso::reportError(failure);
}

} // namespace tesso
