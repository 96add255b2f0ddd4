#pragma once
// The console's "Envoyer un fichier texte...": a text file of commands, chosen by the user, sent
// either at once, character by character as if typed in direct mode, or paced, one line per
// interval set on the dial, while the user goes on typing in direct mode.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

class QProgressBar;

namespace tesso
{

class ConsoleSender;
class DebugPrompts;
class IntervalDial;
class SendMemo;
class TimedSend;

class FileSender : public QObject
{
    Q_OBJECT

  public:
    // sender sends the bytes, memo shows the lines sent, progress the advance; the dial shows in
    // area, whose window asks the questions.
    FileSender(ConsoleSender* sender, SendMemo* memo, QProgressBar* progress, QWidget* area,
               QObject* parent = nullptr);

    // Answers the questions (which file, how to send it); must outlive this object.
    void setPrompts(DebugPrompts* prompts) { m_prompts = prompts; }

    TimedSend* timedSend = nullptr;
    QPointer<IntervalDial> Dial; // only while a paced send runs

    // Asks for the file and how to send it, then sends it.
    void sendTextFile();
    // The paced send of the text's lines, one per tick of the interval.
    void StartTimedSend(const QByteArray& text);

  signals:
    // A paced send is over: typing follows the menu's sending mode again.
    void pacedSendEnded();

  private:
    void sendAtOnce(const QList<QByteArray>& lines, const QByteArray& text);
    void showDial();
    void timedSendFinished(const QString& failure);

    ConsoleSender* m_sender = nullptr;
    SendMemo* m_memo = nullptr;
    QProgressBar* m_progress = nullptr;
    QWidget* m_area = nullptr;
    DebugPrompts* m_prompts = nullptr;
};

} // namespace tesso
