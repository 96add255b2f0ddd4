#include "ReceivedPane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ConsoleLayout.h"
#include "DebugTexts.h"
#include "ReceivedLogModel.h"

namespace tesso
{

namespace
{
constexpr int RowHeight = 14;

void setUpGrid(QTableView* grid, const QFont& font)
{
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setFont(font);
}
} // namespace

ReceivedPane::ReceivedPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel_Received"));
    Label_Received = new QLabel(QString(DebugTexts::Received), this);
    Label_Received->setObjectName(QStringLiteral("Label_Received"));
    QFont bold = Label_Received->font();
    bold.setBold(true);
    Label_Received->setFont(bold);
    QFont small = font();
    small.setPixelSize(11);

    StringGrid_Title = new QTableWidget(1, ReceivedLogModel::ColumnCount, this);
    StringGrid_Title->setObjectName(QStringLiteral("StringGrid_Title"));
    setUpGrid(StringGrid_Title, small);
    // One row of the grid's own small font.
    const int titleHeight = QFontMetrics(small).height() + 3;
    StringGrid_Title->verticalHeader()->setDefaultSectionSize(titleHeight);
    StringGrid_Title->setFixedHeight(titleHeight);
    StringGrid_Title->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid_Title->setFrameShape(QFrame::NoFrame);
    StringGrid_Title->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid_Title->setFocusPolicy(Qt::NoFocus);
    for (int column = 0; column < ReceivedLogModel::ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(QString::fromUtf8(DebugTexts::Columns[column]));
        item->setBackground(palette().color(QPalette::Button));
        StringGrid_Title->setItem(0, column, item);
    }

    ReceivedLog = new ReceivedLogModel(this);
    StringGrid_Received = new QTableView(this);
    StringGrid_Received->setObjectName(QStringLiteral("StringGrid_Received"));
    StringGrid_Received->setModel(ReceivedLog);
    setUpGrid(StringGrid_Received, small);
    StringGrid_Received->verticalHeader()->setDefaultSectionSize(RowHeight);
    StringGrid_Received->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid_Received->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid_Received->setMouseTracking(true);
    StringGrid_Received->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette logPalette = StringGrid_Received->palette();
    logPalette.setColor(QPalette::Base, logPalette.color(QPalette::ToolTipBase));
    logPalette.setColor(QPalette::Text, logPalette.color(QPalette::ToolTipText));
    StringGrid_Received->setPalette(logPalette);

    Edit_Find = new QLineEdit(this);
    Edit_Find->setObjectName(QStringLiteral("Edit_Find"));
    Edit_Find->setPlaceholderText(QString(DebugTexts::FindPlaceholder));
    Edit_Find->setClearButtonEnabled(true);
    Label_RowLimit = new QLabel(QString(DebugTexts::RowLimitFormat).arg(ReceivedLogModel::RowLimit), this);
    Label_RowLimit->setObjectName(QStringLiteral("Label_RowLimit"));
    Label_RowLimit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_RowLimit->setFont(small);
    Label_RowLimit->setWordWrap(true); // in a narrow pane, on two lines
    Label_Received->setBuddy(StringGrid_Received);
    Edit_Find->setAccessibleName(QStringLiteral("Find in the log"));

    auto* findRow = new QHBoxLayout;
    findRow->setSpacing(4);
    findRow->addWidget(Edit_Find, 2);
    findRow->addWidget(Label_RowLimit, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 2, 5, 0);
    layout->setSpacing(0);
    layout->addWidget(Label_Received);
    layout->addSpacing(2);
    layout->addWidget(StringGrid_Title);
    layout->addWidget(StringGrid_Received, 1);
    layout->addSpacing(1);
    layout->addLayout(findRow);

    QScrollBar* bar = StringGrid_Received->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
        if (!m_autoScrolling)
            m_follow = value >= bar->maximum();
    });
    connect(ReceivedLog, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_follow)
            ScrollToEnd();
    });
    connect(ReceivedLog, &QAbstractItemModel::modelReset, this, [this] { m_follow = true; });
}

void ReceivedPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void ReceivedPane::Layout()
{
    const int column = ConsoleLayout::Round(std::max(0, width() - 10) / 5.0);
    StringGrid_Title->horizontalHeader()->setDefaultSectionSize(column);
    StringGrid_Received->horizontalHeader()->setDefaultSectionSize(column);
}

void ReceivedPane::ScrollToEnd()
{
    m_autoScrolling = true;
    StringGrid_Received->scrollToBottom();
    m_autoScrolling = false;
    m_follow = true;
}

bool ReceivedPane::FindNext(bool forward)
{
    ReceivedLog->Flush();
    const QString text = Edit_Find->text();
    if (text.isEmpty())
        return true;
    const QModelIndex current = StringGrid_Received->currentIndex();
    const int from = current.isValid() ? current.row() + (forward ? 1 : -1)
                                       : (forward ? 0 : ReceivedLog->LoggedRows() - 1);
    const int row = ReceivedLog->Find(text, from, forward);
    if (row < 0)
        return false;
    const QModelIndex index = ReceivedLog->index(row, 0);
    StringGrid_Received->setCurrentIndex(index);
    StringGrid_Received->selectRow(row);
    StringGrid_Received->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // Looking at an older reply: new ones must not pull the view away.
    m_follow = row == ReceivedLog->LoggedRows() - 1;
    return true;
}

} // namespace tesso
