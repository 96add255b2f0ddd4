#include "QuickSendButtons.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ErrorReport.h"

namespace tesso
{

QuickSendButtons::QuickSendButtons(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel_Description"));
    setCursor(Qt::SplitHCursor);
    // The buttons give up height down to their text's when the console is low, and scroll below
    // that. A press beside them reaches the strip, which is the divider.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* column = new QWidget;
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(2, 0, 2, 0);
    buttons->setSpacing(0);
    for (int n = 0; n < ButtonCount; ++n) {
        Record& r = m_records[static_cast<std::size_t>(n)];
        r.n = n;
        r.button = new QPushButton(QStringLiteral("..."), column);
        r.button->setObjectName(QStringLiteral("BitBtn_Description%1").arg(n + 1));
        r.button->setAccessibleName(accessibleName(r));
        r.button->setProperty("tag", n);
        r.button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Maximum);
        r.button->setMinimumHeight(r.button->fontMetrics().height() + 4);
        r.button->setCursor(Qt::PointingHandCursor);
        r.button->installEventFilter(this);
        buttons->addWidget(r.button);
    }
    buttons->addStretch();
    scroll->setWidget(column);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

QString QuickSendButtons::accessibleName(const Record& r)
{
    const QString name = QStringLiteral("Quick send %1").arg(r.n + 1);
    return r.Descriptor.isEmpty() ? name : name + QStringLiteral(": ") + r.Descriptor;
}

void QuickSendButtons::Load(const std::array<Debug2007Ini::Button, ButtonCount>& buttons)
{
    for (std::size_t n = 0; n < buttons.size(); ++n) {
        Record& r = m_records[n];
        r.Descriptor = buttons[n].Descriptor;
        r.StringToSend = buttons[n].StringToSend;
        if (r.Descriptor.isEmpty()) {
            r.button->setText(QString());
            r.button->setAccessibleName(accessibleName(r));
        } else {
            showRecord(r);
        }
    }
}

std::array<Debug2007Ini::Button, QuickSendButtons::ButtonCount> QuickSendButtons::Saved() const
{
    std::array<Debug2007Ini::Button, ButtonCount> buttons;
    for (std::size_t n = 0; n < buttons.size(); ++n)
        buttons[n] = {m_records[n].Descriptor, m_records[n].StringToSend};
    return buttons;
}

void QuickSendButtons::pressButton(int n, Qt::MouseButton button)
{
    if (n < 0 || n >= ButtonCount)
        return;
    Record& r = m_records[static_cast<std::size_t>(n)];
    if (button == Qt::LeftButton) {
        emit sendRequested(r.StringToSend);
        return;
    }
    if (button != Qt::RightButton || !AskText)
        return;
    if (const auto descriptor =
            AskText(QStringLiteral("Descriptor"), QStringLiteral("Enter Descriptor"), r.Descriptor))
        r.Descriptor = Debug2007Ini::CleanDescriptor(*descriptor);
    if (const auto text =
            AskText(QStringLiteral("StringToSend"), QStringLiteral("Enter String To Send"), r.StringToSend))
        r.StringToSend = Debug2007Ini::CleanStringToSend(*text);
    showRecord(r);
    emit edited();
}

void QuickSendButtons::showRecord(const Record& r)
{
    r.button->setText(r.Descriptor);
    r.button->setAccessibleName(accessibleName(r));
    r.button->setToolTip(r.Descriptor + QStringLiteral("\r\n") + r.StringToSend);
}

bool QuickSendButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant tag = watched->property("tag");
        if (tag.isValid()) {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            const int n = tag.toInt();
            tesso::guarded([&] { pressButton(n, button); });
            // The left press goes on so the button looks pressed; the others stop here.
            return button != Qt::LeftButton;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuickSendButtons::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragX = qRound(event->globalPosition().x());
    }
}

void QuickSendButtons::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int x = qRound(event->globalPosition().x());
    const int dx = x - m_dragX;
    m_dragX = x;
    if (dx != 0)
        tesso::guarded([&] { emit dragged(dx); });
}

void QuickSendButtons::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

} // namespace tesso
