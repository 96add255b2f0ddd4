#include "GradientWindow.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace tesso
{

GradientWindow::GradientWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGradient"));
    setWindowTitle(QStringLiteral("Gradient"));
    auto* layout = new QFormLayout(this);
    PnlStart = new QPushButton(this);
    PnlEnd = new QPushButton(this);
    CboDirection = new QComboBox(this);
    CboDirection->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    layout->addRow(QStringLiteral("Start"), PnlStart);
    layout->addRow(QStringLiteral("End"), PnlEnd);
    layout->addRow(QStringLiteral("Direction"), CboDirection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
    connect(PnlStart, &QPushButton::clicked, this, [this] { pick(m_start, PnlStart); });
    connect(PnlEnd, &QPushButton::clicked, this, [this] { pick(m_end, PnlEnd); });
    SetColours(m_start, m_end);
}

void GradientWindow::SetColours(const QColor& start, const QColor& end)
{
    m_start = start;
    m_end = end;
    paint(PnlStart, start);
    paint(PnlEnd, end);
}

bool GradientWindow::Horizontal() const
{
    return CboDirection->currentIndex() != 1;
}

void GradientWindow::pick(QColor& colour, QPushButton* panel)
{
    const QColor chosen = QColorDialog::getColor(colour, this);
    if (chosen.isValid()) {
        colour = chosen;
        paint(panel, chosen);
    }
}

void GradientWindow::paint(QPushButton* panel, const QColor& colour)
{
    panel->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

} // namespace tesso
