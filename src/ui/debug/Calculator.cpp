#include "Calculator.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CalcKeypad.h"
#include "ErrorReport.h"

namespace tesso
{

namespace
{
constexpr int TitleHeight = 21;
const QRect CloseArea(QPoint(290, 3), QPoint(304, 17));

// The close mark, over the title bar's own background.
QPixmap closePicture()
{
    QPixmap picture(Calculator::PanelWidth, TitleHeight);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(Qt::white, 2));
    const QRect x = CloseArea.adjusted(3, 3, -3, -3);
    p.drawLine(x.topLeft(), x.bottomRight());
    p.drawLine(x.topRight(), x.bottomLeft());
    return picture;
}
} // namespace

Calculator::Calculator(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel_Calc"));
    // A floating panel over the console's panes: placed, not laid out, and moved by its title bar.
    move(144, 224);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Active, QPalette::Highlight));
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoFillBackground(true);
    QPalette titlePalette = Image1->palette();
    titlePalette.setColor(QPalette::Window, pal.color(QPalette::Window).darker(115));
    Image1->setPalette(titlePalette);
    Image1->setPixmap(closePicture());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->installEventFilter(this);
    Label_Title = new QLabel(QStringLiteral("Calculatrice"), Image1);
    Label_Title->setObjectName(QStringLiteral("Label_Calc"));
    auto* titleRow = new QHBoxLayout(Image1);
    titleRow->setContentsMargins(4, 2, 4, 2);
    titleRow->addWidget(Label_Title);
    titleRow->addStretch();
    // As high as the title's text, at least as the close mark.
    Image1->setMinimumHeight(std::max(TitleHeight, Label_Title->sizeHint().height() + 4));
    Label_Title->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette white = Label_Title->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label_Title->setPalette(white);

    StringGrid_Calc = new QTableWidget(3, 2, this);
    StringGrid_Calc->setObjectName(QStringLiteral("StringGrid_Calc"));
    StringGrid_Calc->setAccessibleName(QStringLiteral("Calculator values"));
    StringGrid_Calc->horizontalHeader()->hide();
    StringGrid_Calc->verticalHeader()->hide();
    StringGrid_Calc->setFrameShape(QFrame::NoFrame);
    StringGrid_Calc->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid_Calc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid_Calc->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid_Calc->horizontalHeader()->setDefaultSectionSize(153);
    StringGrid_Calc->verticalHeader()->setDefaultSectionSize(24);
    QFont cellFont = StringGrid_Calc->font();
    cellFont.setPixelSize(13);
    StringGrid_Calc->setFont(cellFont);
    const QString labels[] = {QStringLiteral("Déc:"), QStringLiteral("Bin:"), QStringLiteral("Hex:")};
    for (int row = 0; row < 3; ++row) {
        auto* label = new QTableWidgetItem(labels[row]);
        label->setFlags(Qt::ItemIsEnabled);
        label->setBackground(palette().color(QPalette::Button));
        StringGrid_Calc->setItem(row, 0, label);
        auto* cell = new QLineEdit(QStringLiteral("0"));
        cell->setObjectName(QStringLiteral("ValueCell%1").arg(row));
        cell->setFrame(false);
        cell->setAccessibleName(QStringList{QStringLiteral("Decimal"), QStringLiteral("Binary"),
                                            QStringLiteral("Hexadecimal")}[row]);
        cell->installEventFilter(this);
        StringGrid_Calc->setCellWidget(row, 1, cell);
        m_cells[static_cast<std::size_t>(row)] = cell;
        connect(cell, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { tesso::guarded([&] { editRow(row, text); }); });
    }

    StringGrid_Calc->setFixedHeight(3 * StringGrid_Calc->verticalHeader()->defaultSectionSize() + 6);

    Image2 = new CalcKeypad(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(Image1);
    layout->addWidget(StringGrid_Calc);
    layout->addWidget(Image2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Image2->CurrentRow = [this] { return m_row; };
    connect(Image2, &CalcKeypad::keyPressed, this, &Calculator::pressKey);
    hide();
}

CalcEdit::Rows Calculator::Values() const
{
    return {m_cells[0]->text(), m_cells[1]->text(), m_cells[2]->text()};
}

void Calculator::setCurrentRow(int row)
{
    if (row >= CalcEdit::Decimal && row <= CalcEdit::Hexadecimal)
        m_row = row;
}

void Calculator::editRow(int row, const QString& text)
{
    setCurrentRow(row);
    showRows(CalcEdit::Edit(Values(), row, text));
}

void Calculator::pressKey(int key)
{
    if (const std::optional<QString> text =
            CalcEdit::Press(key, m_row, Values()[static_cast<std::size_t>(m_row)]))
        editRow(m_row, *text);
}

void Calculator::pressTitleBar(const QPoint& pos, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (CloseArea.contains(pos)) {
        hide();
        return;
    }
    m_dragging = true;
    m_grip = pos;
}

void Calculator::dragTitleBar(const QPoint& pos, Qt::MouseButtons buttons)
{
    if (!m_dragging || !(buttons & Qt::LeftButton)) {
        m_dragging = false;
        return;
    }
    moveWithin(this->pos() + pos - m_grip);
}

void Calculator::moveWithin(QPoint target)
{
    if (const QWidget* area = parentWidget()) {
        target.setX(std::clamp(target.x(), 0, std::max(0, area->width() - width())));
        target.setY(std::clamp(target.y(), 0, std::max(0, area->height() - height())));
    }
    move(target);
}

void Calculator::LoadDecimal(const QString& decimal)
{
    showRows(CalcEdit::FromDecimal(decimal));
}

void Calculator::showRows(const CalcEdit::Rows& rows)
{
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (m_cells[row]->text() != rows[row])
            m_cells[row]->setText(rows[row]);
}

bool Calculator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1) {
        // Cast only once the type says it is a mouse event.
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            tesso::guarded([&] { pressTitleBar(mouse->position().toPoint(), mouse->button()); });
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            tesso::guarded([&] { dragTitleBar(mouse->position().toPoint(), mouse->buttons()); });
            return true;
        }
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < 3; ++row)
            if (watched == m_cells[static_cast<std::size_t>(row)])
                setCurrentRow(row);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tesso
