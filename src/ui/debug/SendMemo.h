#pragma once
// SendMemo: the send box Memo_Send. Every key press is announced by keyPressed before the box acts
// on it and is never suppressed, so typing reads as typing whatever is sent. Up and Down on the
// last line recall the lines sent before (when that line is empty or already a recalled one;
// elsewhere they move the caret as usual). The box keeps its newest MaxLines lines.

#include <QPlainTextEdit>
#include <QStringList>

namespace tesso
{

class SendMemo : public QPlainTextEdit
{
    Q_OBJECT

  public:
    static constexpr int MaxLines = 5000;
    static constexpr int HistoryLimit = 100;

    explicit SendMemo(QWidget* parent = nullptr);

    // The line that holds the caret.
    QString CaretLine() const;
    // Adds the text as new lines at the end.
    void AppendLines(const QString& text);

    // A line that was sent; an empty one or a repeat of the newest is not kept twice.
    void Remember(const QString& line);
    const QStringList& History() const { return m_history; }

  signals:
    void keyPressed(QKeyEvent* event);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool recall(int step);
    void replaceLastLine(const QString& text);

    QStringList m_history;
    int m_recalled = -1; // index in m_history of the line shown, -1 when none
};

} // namespace tesso
