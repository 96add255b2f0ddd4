#include "StatusGridArea.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "DeviceLists.h"
#include "ReadableColours.h"
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

// "Machine status:" read without its colon.
QString shownCaption(QString caption)
{
    while (caption.endsWith(QLatin1Char(':')) || caption.endsWith(QLatin1Char(' ')))
        caption.chop(1);
    return caption;
}

} // namespace

StatusGridArea::StatusGridArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PnlStatusArea"));
    Button_Take = new QPushButton(QString(Texts::Take), this);
    Button_Take->setObjectName(QStringLiteral("Button_Take"));

    SpeedButton_Cut = effectButton("SpeedButton_Cut", QString(Texts::Cut), 1, this);
    SpeedButton_Fade = effectButton("SpeedButton_Fade", QString(Texts::Fade), 2, this);
    SpeedButton_Title = effectButton("SpeedButton_Title", QString(Texts::Title), 3, this);

    LblStatus = new QLabel(QString(Texts::MachineStatus), this);
    LblStatus->setObjectName(QStringLiteral("LblStatus"));
    QFont bold = LblStatus->font();
    bold.setBold(true);
    LblStatus->setFont(bold);

    GrdStatus = new QTableWidget(Rows, 2, this);
    GrdStatus->setObjectName(QStringLiteral("GrdStatus"));
    GrdStatus->horizontalHeader()->hide();
    GrdStatus->horizontalHeader()->setStretchLastSection(true);
    GrdStatus->verticalHeader()->hide();
    GrdStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdStatus->setShowGrid(false);
    // Read only, but reachable: a screen reader walks the rows with the arrow keys.
    GrdStatus->setFocusPolicy(Qt::TabFocus);
    GrdStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdStatus->setSelectionMode(QAbstractItemView::NoSelection);
    GrdStatus->setCursor(Qt::ForbiddenCursor);
    GrdStatus->setAccessibleName(shownCaption(QString(Texts::MachineStatus)));
    LblStatus->setBuddy(GrdStatus);
    // A long label is cut, not elided: "..." is what an unknown value looks like here.
    GrdStatus->setTextElideMode(Qt::ElideNone);
    GrdStatus->setWordWrap(false);
    QFont small = GrdStatus->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    GrdStatus->setFont(small);

    const char* const headers[4] = {"PnlStatusInput", "PnlStatusReference", "PnlStatusOutput",
                                    "PnlStatusFrame"};
    const QString captions[4] = {QString(Texts::StatusInput), QString(Texts::StatusReference),
                                 QString(Texts::StatusOutput), QString(Texts::StatusFrame)};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(captions[i]);
        panel->setObjectName(QString::fromLatin1(headers[i]));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setAutoFillBackground(true);
        panel->setFont(bold);
        HeaderPanels[static_cast<std::size_t>(i)] = panel;
    }
    applyColours();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 0, 4, 0);
    column->setSpacing(4);
    column->addWidget(Button_Take);
    auto* effects = new QHBoxLayout;
    effects->setSpacing(2);
    for (QToolButton* button : {SpeedButton_Cut, SpeedButton_Fade, SpeedButton_Title}) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        effects->addWidget(button);
    }
    column->addLayout(effects);
    column->addWidget(LblStatus);
    column->addWidget(GrdStatus);
    column->addStretch(1);
}

void StatusGridArea::SetUpStatusGrid()
{
    const QFontMetrics metrics(GrdStatus->font());
    const int valueRow = std::max(18, metrics.height() + 4);
    const int headerRow = std::max(valueRow, HeaderPanels[0]->sizeHint().height() + 2);
    int labelWidth = 0;
    for (int row = 0; row < Rows; ++row) {
        const QString label = QString::fromLatin1(Texts::StatusRowLabels[row]);
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
        GrdStatus->setRowHeight(row, valueRow);
        auto* labelItem = new QTableWidgetItem(label);
        labelItem->setData(Qt::AccessibleTextRole, shownCaption(label));
        GrdStatus->setItem(row, 0, labelItem);
        GrdStatus->setItem(row, 1, new QTableWidgetItem);
    }
    // Each header panel takes its row whole: a caption over both columns.
    for (int i = 0; i < 4; ++i) {
        const int row = HeaderRows[i];
        QLabel* panel = HeaderPanels[static_cast<std::size_t>(i)];
        GrdStatus->setSpan(row, 0, 1, 2);
        GrdStatus->setRowHeight(row, headerRow);
        GrdStatus->item(row, 0)->setData(Qt::AccessibleTextRole, panel->text());
        GrdStatus->setCellWidget(row, 0, panel);
    }
    const int labelColumn = labelWidth + 8;
    GrdStatus->setColumnWidth(0, labelColumn);
    // Room for the signal and output format names, the longer values the grid shows.
    int valueColumn = 0;
    auto widen = [&](const auto& names) {
        for (const char* name : names)
            valueColumn = std::max(valueColumn, metrics.horizontalAdvance(QString::fromLatin1(name)) + 8);
    };
    widen(DeviceLists::SignalFormat);
    widen(DeviceLists::OutputFormatNames);
    const int frame = 2 * GrdStatus->frameWidth();
    int height = frame;
    for (int row = 0; row < Rows; ++row)
        height += GrdStatus->rowHeight(row);
    GrdStatus->setFixedHeight(height);
    // The column keeps this width; the pages beside it take what the window gains.
    GrdStatus->setFixedWidth(labelColumn + valueColumn + frame);
    for (int row = 0; row < Rows; ++row)
        speakRow(row);
    ResetStatusGrid();
    GrdStatus->clearSelection();
    StatusRowMarks.assign(Rows, 0);
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
        if (cells.text[r] && item->text() != *cells.text[r]) {
            item->setText(*cells.text[r]);
            speakRow(row);
        }
        if (!cells.mark[r] || StatusRowMarks[r] == *cells.mark[r])
            continue;
        StatusRowMarks[r] = *cells.mark[r];
        QFont font = GrdStatus->font();
        font.setBold(StatusRowMarks[r] != 0);
        item->setFont(font);
        markRow(row);
    }
}

void StatusGridArea::speakRow(int row)
{
    QTableWidgetItem* value = GrdStatus->item(row, 1);
    if (!value || GrdStatus->cellWidget(row, 0))
        return; // a caption row says its caption
    // A screen reader reads each value with the label of its row.
    const QString label = GrdStatus->item(row, 0)->data(Qt::AccessibleTextRole).toString();
    value->setData(Qt::AccessibleTextRole,
                   label.isEmpty() ? value->text() : label + QStringLiteral(": ") + value->text());
}

void StatusGridArea::markRow(int row)
{
    QTableWidgetItem* item = GrdStatus->item(row, 1);
    if (!item)
        return;
    // A fault row keeps its red; a normal one takes the grid's text colour.
    if (StatusRowMarks[static_cast<std::size_t>(row)] != 0)
        item->setForeground(warningRed(GrdStatus->palette().color(QPalette::Base)));
    else
        item->setData(Qt::ForegroundRole, QVariant());
}

void StatusGridArea::applyColours()
{
    // The grid is drawn like a tool tip where the palette's tool-tip colours read well, else like
    // any list.
    const QPalette own = palette();
    QColor base = own.color(QPalette::ToolTipBase);
    QColor text = own.color(QPalette::ToolTipText);
    if (contrastRatio(base, text) < 4.5) {
        base = own.color(QPalette::Base);
        text = own.color(QPalette::Text);
    }
    QPalette grid = GrdStatus->palette();
    grid.setColor(QPalette::Base, base);
    grid.setColor(QPalette::Text, text);
    GrdStatus->setPalette(grid);
    for (int row = 0; row < Rows && row < static_cast<int>(StatusRowMarks.size()); ++row)
        markRow(row);
}

void StatusGridArea::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColours();
}

QString StatusGridArea::Cell(int column, int row) const
{
    const QTableWidgetItem* item = GrdStatus->item(row, column);
    return item ? item->text() : QString();
}

} // namespace tesso
