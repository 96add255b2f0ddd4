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
        memo->setFixedSize(120, 90);
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
    GrdStatus->setColumnWidth(0, 75);
    GrdStatus->setColumnWidth(1, 125);
    GrdStatus->setFixedSize(202, 5 * 24);
    const char* const labels[5] = {"Elapsed time :", "Progress", "Speed :", "Width :", "Height :"};
    for (int row = 0; row < 5; ++row) {
        GrdStatus->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(labels[row])));
        GrdStatus->setItem(row, 1, new QTableWidgetItem);
    }
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
