#include "StatusGridArea.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "Texts.h"

namespace tesso
{

namespace
{

QToolButton* effectButton(const char* name, const QString& caption, int tag, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon); // the blinking glyph beside the caption
    button->setProperty("Tag", tag);
    return button;
}

} // namespace

StatusGridArea::StatusGridArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PnlStatusArea"));
    Button_Take = new QPushButton(QString(Texts::Take), this);
    Button_Take->setObjectName(QStringLiteral("Button_Take"));
    Button_Take->setGeometry(4, 0, 184, 30);

    SpeedButton_Cut = effectButton("SpeedButton_Cut", QString(Texts::Cut), 1, this);
    SpeedButton_Fade = effectButton("SpeedButton_Fade", QString(Texts::Fade), 2, this);
    SpeedButton_Title = effectButton("SpeedButton_Title", QString(Texts::Title), 3, this);
    SpeedButton_Cut->setGeometry(4, 34, 60, 24);
    SpeedButton_Fade->setGeometry(66, 34, 60, 24);
    SpeedButton_Title->setGeometry(128, 34, 60, 24);

    LblStatus = new QLabel(QString(Texts::MachineStatus), this);
    LblStatus->setObjectName(QStringLiteral("LblStatus"));
    QFont bold = LblStatus->font();
    bold.setBold(true);
    LblStatus->setFont(bold);
    LblStatus->setGeometry(4, 64, 184, 18);

    GrdStatus = new QTableWidget(Rows, 2, this);
    GrdStatus->setObjectName(QStringLiteral("GrdStatus"));
    GrdStatus->horizontalHeader()->hide();
    GrdStatus->verticalHeader()->hide();
    GrdStatus->verticalHeader()->setDefaultSectionSize(18);
    GrdStatus->verticalHeader()->setMinimumSectionSize(18);
    GrdStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdStatus->setShowGrid(false);
    GrdStatus->setEnabled(false);
    GrdStatus->setFocusPolicy(Qt::NoFocus);
    GrdStatus->setSelectionMode(QAbstractItemView::NoSelection);
    GrdStatus->setCursor(Qt::ForbiddenCursor);
    GrdStatus->setStyleSheet(QStringLiteral("QTableWidget { background: #ffffe1; color: black; }"));
    GrdStatus->setGeometry(4, 84, 188, Rows * 18 + 4);
    // A long label is cut, not elided: "..." is what an unknown value looks like here.
    GrdStatus->setTextElideMode(Qt::ElideNone);
    QFont small = GrdStatus->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    GrdStatus->setFont(small);

    const char* const headers[4] = {"PnlStatusInput", "PnlStatusReference", "PnlStatusOutput",
                                    "PnlStatusFrame"};
    const QString captions[4] = {QString(Texts::StatusInput), QString(Texts::StatusReference),
                                 QString(Texts::StatusOutput), QString(Texts::StatusFrame)};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(captions[i], this);
        panel->setObjectName(QString::fromLatin1(headers[i]));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setAutoFillBackground(true);
        panel->setFont(bold);
        HeaderPanels[static_cast<std::size_t>(i)] = panel;
    }
}

void StatusGridArea::SetUpStatusGrid()
{
    GrdStatus->setColumnWidth(0, 75);
    GrdStatus->setColumnWidth(1, GrdStatus->width() - 5 - 75);
    for (int row = 0; row < Rows; ++row) {
        GrdStatus->setRowHeight(row, 18);
        GrdStatus->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(Texts::StatusRowLabels[row])));
        GrdStatus->setItem(row, 1, new QTableWidgetItem);
    }
    ResetStatusGrid();
    GrdStatus->clearSelection();
    StatusRowMarks.assign(Rows, 0);
    // Each header panel covers its row: as wide as the grid minus 4, 2 pixels right of and below
    // the row's first cell.
    for (int i = 0; i < 4; ++i) {
        const int row = HeaderRows[i];
        const QRect cell = GrdStatus->visualRect(GrdStatus->model()->index(row, 0));
        const QPoint topLeft = GrdStatus->viewport()->mapTo(this, cell.topLeft());
        QLabel* panel = HeaderPanels[static_cast<std::size_t>(i)];
        panel->setGeometry(topLeft.x() + 2, topLeft.y() + 2, GrdStatus->width() - 4, 16);
        panel->raise();
    }
}

void StatusGridArea::ResetStatusGrid()
{
    StatusGridCells cells;
    for (int row = 0; row < Rows; ++row) {
        cells.text[static_cast<std::size_t>(row)] = QString(Texts::Ellipsis);
        cells.mark[static_cast<std::size_t>(row)] = 0;
    }
    cells.text[Rows - 1] = QString();
    ApplyCells(cells);
}

void StatusGridArea::ApplyCells(const StatusGridCells& cells)
{
    StatusRowMarks.resize(Rows, 0);
    for (int row = 0; row < Rows; ++row) {
        QTableWidgetItem* item = GrdStatus->item(row, 1);
        if (!item)
            continue;
        const auto r = static_cast<std::size_t>(row);
        if (cells.text[r] && item->text() != *cells.text[r])
            item->setText(*cells.text[r]);
        if (!cells.mark[r] || StatusRowMarks[r] == *cells.mark[r])
            continue;
        StatusRowMarks[r] = *cells.mark[r];
        const bool fault = StatusRowMarks[r] != 0;
        QFont font = GrdStatus->font();
        font.setBold(fault);
        item->setFont(font);
        item->setForeground(fault ? QBrush(Qt::red)
                                  : QBrush(GrdStatus->palette().color(QPalette::WindowText)));
    }
}

QString StatusGridArea::Cell(int column, int row) const
{
    const QTableWidgetItem* item = GrdStatus->item(row, column);
    return item ? item->text() : QString();
}

} // namespace tesso
