#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace tesso
{

RadioGroup::RadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_layout->setContentsMargins(8, 4, 8, 4);
    m_layout->setVerticalSpacing(2);
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItems(const QStringList& items)
{
    m_items = items;
    rebuild();
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? m_buttons[static_cast<std::size_t>(index)] : nullptr;
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    rebuild();
}

int RadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* b = button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: uncheck all, which an exclusive group does not allow directly.
    m_group->setExclusive(false);
    for (QRadioButton* b : m_buttons)
        b->setChecked(false);
    m_group->setExclusive(true);
}

void RadioGroup::rebuild()
{
    for (QRadioButton* b : m_buttons) {
        m_group->removeButton(b);
        b->hide();
        b->deleteLater();
    }
    m_buttons.clear();
    const int rows = (static_cast<int>(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* b = new QRadioButton(m_items.at(i), this);
        m_group->addButton(b, i);
        m_layout->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
        m_buttons.push_back(b);
    }
}

} // namespace tesso
