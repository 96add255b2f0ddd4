#include "SendMemo.h"

#include <QKeyEvent>
#include <QTextBlock>

#include "ErrorReport.h"

namespace tesso
{

SendMemo::SendMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Memo_Send"));
    setMaximumBlockCount(MaxLines);
}

QString SendMemo::CaretLine() const
{
    return textCursor().block().text();
}

void SendMemo::AppendLines(const QString& text)
{
    appendPlainText(text);
}

void SendMemo::Remember(const QString& line)
{
    if (line.isEmpty() || (!m_history.isEmpty() && m_history.last() == line))
        return;
    m_history << line;
    if (m_history.size() > HistoryLimit)
        m_history.removeFirst();
}

void SendMemo::keyPressEvent(QKeyEvent* event)
{
    tesso::guarded([&] { emit keyPressed(event); });
    const bool up = event->key() == Qt::Key_Up, down = event->key() == Qt::Key_Down;
    if ((up || down) && event->modifiers() == Qt::NoModifier && recall(up ? -1 : 1))
        return;
    if (!up && !down)
        m_recalled = -1;
    QPlainTextEdit::keyPressEvent(event);
}

bool SendMemo::recall(int step)
{
    if (m_history.isEmpty() || textCursor().blockNumber() != document()->blockCount() - 1)
        return false;
    const QString line = CaretLine();
    const bool browsing = m_recalled >= 0 && m_recalled < m_history.size() && m_history[m_recalled] == line;
    if (!browsing && !line.isEmpty())
        return false;
    int next = browsing ? m_recalled + step : (step < 0 ? static_cast<int>(m_history.size()) - 1 : -1);
    if (next < 0 && browsing && step < 0)
        next = 0; // the oldest stays
    if (next >= m_history.size() || next < 0) {
        m_recalled = -1;
        replaceLastLine(QString());
        return true;
    }
    m_recalled = next;
    replaceLastLine(m_history[next]);
    return true;
}

void SendMemo::replaceLastLine(const QString& text)
{
    QTextCursor cursor(document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    setTextCursor(cursor);
}

} // namespace tesso
