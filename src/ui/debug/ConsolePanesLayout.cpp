#include "ConsolePanesLayout.h"

#include <algorithm>

#include <QWidget>

#include "ConsoleLayout.h"

namespace tesso
{

namespace
{
enum Part { Send, Strip, Received, Progress, PartCount };
} // namespace

ConsolePanesLayout::ConsolePanesLayout(QWidget* parent, QWidget* sendPane, QWidget* strip,
                                       QWidget* receivedPane, QWidget* progressBar)
    : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : {sendPane, strip, receivedPane, progressBar})
        addWidget(part);
}

ConsolePanesLayout::~ConsolePanesLayout()
{
    for (QLayoutItem* item : m_items)
        delete item;
}

void ConsolePanesLayout::addItem(QLayoutItem* item)
{
    m_items.push_back(item);
}

QLayoutItem* ConsolePanesLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* ConsolePanesLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = m_items[static_cast<std::size_t>(index)];
    m_items.erase(m_items.begin() + index);
    return item;
}

QSize ConsolePanesLayout::minimumSize() const
{
    if (count() < PartCount)
        return {};
    const QSize send = m_items[Send]->minimumSize();
    const QSize received = m_items[Received]->minimumSize();
    // The rule gives both panes the same width at the centred divider.
    const int pane = std::max(send.width(), received.width());
    const int height = std::max({send.height(), m_items[Strip]->minimumSize().height(), received.height()});
    return {ConsoleLayout::StripWidth + 2 * pane + 1, height + ConsoleLayout::ProgressHeight};
}

void ConsolePanesLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    if (count() < PartCount)
        return;
    const ConsoleLayout l = ConsoleLayout::Compute(rect.width(), rect.height(), m_offset);
    m_offset = l.offset;
    m_items[Send]->setGeometry(l.sendPane.translated(rect.topLeft()));
    m_items[Strip]->setGeometry(l.strip.translated(rect.topLeft()));
    m_items[Received]->setGeometry(l.receivedPane.translated(rect.topLeft()));
    m_items[Progress]->setGeometry(l.progressBar.translated(rect.topLeft()));
    if (placed)
        placed();
}

} // namespace tesso
