#pragma once
// ReceivedLogModel: the received log behind StringGrid_Received. One row per logged reply with
// its receive time, shown in five columns (the reply, its mnemonic, its value in decimal, binary
// and hexadecimal; the last four computed when the view asks, so a row costs only its text), and
// always one empty row at the end. Replies are queued and shown in batches, so a flood costs one
// view update per batch rather than one per line; at RowLimit rows the oldest go. Commands of the
// programs that share the device, and the hub's notes, are logged among the replies.

#include <deque>

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>

class QTimer;

namespace tesso
{

class ReceivedLogModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    // A day of keep-alive replies (one every 2 s) is about 43,000 rows.
    static constexpr int RowLimit = 50000;
    static constexpr int ColumnCount = 5;

    explicit ReceivedLogModel(QObject* parent = nullptr);

    // Queues one reply; it shows at the next flush (at the latest when the event loop runs).
    // valueFrom: where the reply starts in the text, for a row that names its source first; the
    // decoded columns read from there. NoValue: a note with no decoded columns.
    static constexpr int NoValue = -1;
    void Append(const QByteArray& text, qint64 receivedMs, int valueFrom = 0);
    // Shows the queued replies now.
    void Flush();
    // "All Clear": no row but the empty one.
    void Clear();

    // Logged rows, without the empty last one; queued replies not counted.
    int LoggedRows() const { return static_cast<int>(m_rows.size()); }
    QByteArray Text(int row) const;
    qint64 ReceivedMs(int row) const;

    // Column 0 of every row, the empty last one included, each followed by CR LF; with times,
    // each reply preceded by its receive time and a tab.
    QByteArray SaveText(bool withTimes) const;
    // The next row from `from` on (backwards: before it), wrapping, whose reply contains the
    // text without regard to case; -1 when none does.
    int Find(const QString& text, int from, bool forward) const;

    // The grid's hint, shown with every row's receive time.
    void setHint(const QString& hint) { m_hint = hint; }

    static QString TimeText(qint64 ms);
    static QString Cell(const QByteArray& text, int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    struct Row {
        QByteArray text;
        qint64 receivedMs = 0;
        int valueFrom = 0;
    };
    std::deque<Row> m_rows;
    std::deque<Row> m_queued;
    QTimer* m_flush = nullptr;
    QString m_hint;
};

} // namespace tesso
