#include "VariableList.h"

#include <utility>

#include <QSignalBlocker>

#include "ErrorReport.h"
#include "VariableEntries.h"

namespace tesso
{

VariableList::VariableList(QWidget* parent)
    : QListWidget(parent), m_entries(VariableEntries::Sorted()), m_hidden(VariableEntries::Count)
{
    setObjectName(QStringLiteral("_"));
    setCursor(Qt::PointingHandCursor);
    setUniformItemSizes(true);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPixelSize(11);
    setFont(mono);
    for (const QString& text : m_entries) {
        auto* item = new QListWidgetItem(text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setSizeHint(QSize(0, 13));
        item->setToolTip(text);
    }
    setCurrentRow(0);
    RebuildHidden();
    connect(this, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { tesso::guarded([&] { reportToggle(item); }); });
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { tesso::guarded([&] { reportEntryClick(item); }); });
}

std::vector<bool> VariableList::Checks() const
{
    std::vector<bool> checks;
    checks.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i)
        checks.push_back(item(i)->checkState() == Qt::Checked);
    return checks;
}

void VariableList::SetChecks(const std::vector<bool>& checks)
{
    {
        const QSignalBlocker quiet(this);
        for (int i = 0; i < count() && i < static_cast<int>(checks.size()); ++i)
            item(i)->setCheckState(checks[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    }
    viewport()->update();
    RebuildHidden();
}

void VariableList::setAllChecked(bool state)
{
    SetChecks(std::vector<bool>(static_cast<std::size_t>(count()), state));
}

void VariableList::RebuildHidden()
{
    m_hidden.Rebuild(m_entries, Checks());
}

std::optional<QString> VariableList::ShowEntryContaining(const QString& text)
{
    for (int i = 0; i < count(); ++i) {
        if (!m_entries[i].contains(text))
            continue;
        const QSignalBlocker quiet(this);
        setCurrentRow(i);
        scrollToItem(item(i), QAbstractItemView::PositionAtTop);
        return m_entries[i];
    }
    return std::nullopt;
}

void VariableList::mouseReleaseEvent(QMouseEvent* event)
{
    // The release toggles a check box (itemChanged) before it reports the click (itemClicked).
    m_releasing = true;
    m_checkToggledByRelease = false;
    QListWidget::mouseReleaseEvent(event);
    m_releasing = false;
}

void VariableList::reportToggle(QListWidgetItem*)
{
    if (m_releasing)
        m_checkToggledByRelease = true;
    RebuildHidden();
    emit toggled();
}

void VariableList::reportEntryClick(QListWidgetItem* item)
{
    // A click on the check box only toggles it.
    if (std::exchange(m_checkToggledByRelease, false))
        return;
    if (item)
        emit entryClicked(VariableEntries::FirstWord(item->text()));
}

} // namespace tesso
