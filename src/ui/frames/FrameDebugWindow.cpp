#include "FrameDebugWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>

namespace tesso
{

FrameDebugWindow::FrameDebugWindow(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("FormFrameDebug"));
    setWindowTitle(QStringLiteral("Frame Debug"));
    auto* layout = new QHBoxLayout(this);
    auto* debug = new QGroupBox(QStringLiteral("Debug"), this);
    auto* debugLayout = new QHBoxLayout(debug);
    for (int i = 0; i < 2; ++i) {
        auto* memo = new QPlainTextEdit(debug);
        memo->setReadOnly(true);
        memo->setAccessibleName(QStringLiteral("Debug log %1").arg(i + 1));
        // About twenty characters by six lines, in the memo's own font.
        memo->setFixedSize(memo->fontMetrics().averageCharWidth() * 20,
                           memo->fontMetrics().lineSpacing() * 6);
        debugLayout->addWidget(memo);
    }
    auto* status = new QGroupBox(QStringLiteral("Status"), this);
    auto* statusLayout = new QHBoxLayout(status);
    GrdStatus = new QTableWidget(5, 2, status);
    GrdStatus->setObjectName(QStringLiteral("GrdStatus"));
    GrdStatus->horizontalHeader()->hide();
    GrdStatus->verticalHeader()->hide();
    GrdStatus->setShowGrid(false);
    GrdStatus->setFrameShape(QFrame::NoFrame);
    GrdStatus->setAccessibleName(QStringLiteral("Status"));
    GrdStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const char* const labels[5] = {"Elapsed time :", "Progress", "Speed :", "Width :", "Height :"};
    for (int row = 0; row < 5; ++row) {
        GrdStatus->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(labels[row])));
        GrdStatus->setItem(row, 1, new QTableWidgetItem);
    }
    // The captions' column as wide as the widest, the values' as a long progress, the rows as the
    // font: the grid shows all of them whatever the font.
    GrdStatus->resizeColumnToContents(0);
    GrdStatus->setColumnWidth(
        1, GrdStatus->fontMetrics().horizontalAdvance(QStringLiteral("414720/414720 pixels")) +
               GrdStatus->fontMetrics().averageCharWidth() * 2);
    GrdStatus->resizeRowsToContents();
    int height = 0;
    for (int row = 0; row < GrdStatus->rowCount(); ++row)
        height += GrdStatus->rowHeight(row);
    GrdStatus->setFixedSize(GrdStatus->columnWidth(0) + GrdStatus->columnWidth(1) + 2, height);
    statusLayout->addWidget(GrdStatus);
    layout->addWidget(debug);
    layout->addWidget(status);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrameDebugWindow::setValue(int row, const QString& text)
{
    GrdStatus->item(row, 1)->setText(text);
}

QString FrameDebugWindow::Value(int row) const
{
    return GrdStatus->item(row, 1)->text();
}

void FrameDebugWindow::ShowElapsed(const QTime& time)
{
    setValue(0, QLocale().toString(time, QLocale::LongFormat));
}

void FrameDebugWindow::ShowProgress(int done, int total)
{
    setValue(1, QStringLiteral("%1/%2 pixels").arg(done).arg(total));
}

void FrameDebugWindow::ShowSpeed(qint64 bytesPerSecond)
{
    setValue(2, QStringLiteral("%1 Bytes/s").arg(bytesPerSecond));
}

void FrameDebugWindow::ShowWidth(int pixels)
{
    setValue(3, QStringLiteral("%1 pixels").arg(pixels));
}

void FrameDebugWindow::ShowHeight(int lines)
{
    setValue(4, QStringLiteral("%1 lines").arg(lines));
}

void FrameDebugWindow::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = this->screen())
        move(screen->geometry().width() - frameGeometry().width(), 0);
    QWidget::showEvent(event);
}

} // namespace tesso
