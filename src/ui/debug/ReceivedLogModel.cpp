#include "ReceivedLogModel.h"

#include <algorithm>

#include <QDateTime>
#include <QTimer>

#include "DebugConversions.h"
#include "ErrorReport.h"

namespace tesso
{

using namespace tesso::debug;

ReceivedLogModel::ReceivedLogModel(QObject* parent) : QAbstractTableModel(parent), m_flush(new QTimer(this))
{
    m_flush->setSingleShot(true);
    m_flush->setInterval(0);
    connect(m_flush, &QTimer::timeout, this, [this] { tesso::guarded([this] { Flush(); }); });
}

void ReceivedLogModel::Append(const QByteArray& text, qint64 receivedMs, int valueFrom)
{
    // Without an event loop nothing is flushed; the queue keeps no more than a full log either.
    if (m_queued.size() >= static_cast<std::size_t>(RowLimit))
        m_queued.pop_front();
    m_queued.push_back(Row{text, receivedMs, valueFrom});
    if (!m_flush->isActive())
        m_flush->start();
}

void ReceivedLogModel::Flush()
{
    m_flush->stop();
    if (m_queued.empty())
        return;
    const int incoming = static_cast<int>(m_queued.size());
    const int excess = LoggedRows() + incoming - RowLimit;
    if (excess > 0) {
        const int dropped = std::min(excess, LoggedRows());
        if (dropped > 0) {
            beginRemoveRows(QModelIndex(), 0, dropped - 1);
            m_rows.erase(m_rows.begin(), m_rows.begin() + dropped);
            endRemoveRows();
        }
    }
    const int first = LoggedRows();
    beginInsertRows(QModelIndex(), first, first + incoming - 1);
    for (Row& row : m_queued)
        m_rows.push_back(std::move(row));
    m_queued.clear();
    endInsertRows();
}

void ReceivedLogModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_queued.clear();
    m_flush->stop();
    endResetModel();
}

QByteArray ReceivedLogModel::Text(int row) const
{
    return row >= 0 && row < LoggedRows() ? m_rows[static_cast<std::size_t>(row)].text : QByteArray();
}

qint64 ReceivedLogModel::ReceivedMs(int row) const
{
    return row >= 0 && row < LoggedRows() ? m_rows[static_cast<std::size_t>(row)].receivedMs : 0;
}

QByteArray ReceivedLogModel::SaveText(bool withTimes) const
{
    QByteArray text;
    for (const Row& row : m_rows) {
        if (withTimes)
            text += TimeText(row.receivedMs).toLatin1() + '\t';
        text += row.text + "\r\n";
    }
    return text + "\r\n";
}

int ReceivedLogModel::Find(const QString& text, int from, bool forward) const
{
    const int n = LoggedRows();
    if (text.isEmpty() || n == 0)
        return -1;
    const int start = std::clamp(from, 0, n - 1);
    for (int k = 0; k < n; ++k) {
        const int row = forward ? (start + k) % n : ((start - k) % n + n) % n;
        if (QString::fromLatin1(m_rows[static_cast<std::size_t>(row)].text)
                .contains(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

QString ReceivedLogModel::TimeText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QString ReceivedLogModel::Cell(const QByteArray& text, int column)
{
    if (column == 0)
        return QString::fromLatin1(text);
    if (column == 1)
        return QString::fromLatin1(ExtractMnemonic(text));
    const std::optional<std::uint64_t> value = ExtractValue(text);
    if (!value)
        return QStringLiteral("overflow");
    switch (column) {
    case 2:
        return QString::number(*value);
    case 3:
        return IntToBin(*value);
    default:
        return HexText(*value);
    }
}

int ReceivedLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LoggedRows() + 1;
}

int ReceivedLogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReceivedLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= LoggedRows())
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return Cell(row.text, 0);
        return row.valueFrom == NoValue ? QString() : Cell(row.text.mid(row.valueFrom), index.column());
    }
    if (role == Qt::ToolTipRole) {
        const QString time = QStringLiteral("Received %1").arg(TimeText(row.receivedMs));
        return m_hint.isEmpty() ? time : m_hint + QLatin1Char('\n') + time;
    }
    return {};
}

} // namespace tesso
