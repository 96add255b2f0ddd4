#pragma once
// VariableList: the check list "_" under the send box. It documents the protocol's mnemonics
// and chooses which replies the received log hides (the unchecked entries' reply mnemonics).
// Only the user's clicks and toggles are reported; setting check marks from the settings file or
// from "All Checked" is silent.

#include <optional>
#include <vector>

#include <QListWidget>

#include "HiddenMnemonics.h"

namespace tesso
{

class VariableList : public QListWidget
{
    Q_OBJECT

  public:
    explicit VariableList(QWidget* parent = nullptr);

    QStringList Entries() const { return m_entries; }
    std::vector<bool> Checks() const;
    // Sets every check mark from the list (missing ones stay), then rebuilds the hidden list.
    void SetChecks(const std::vector<bool>& checks);
    // "All Checked" / "All UnChecked": every mark, then the hidden list; nothing is saved.
    void setAllChecked(bool state);

    const HiddenMnemonics& Hidden() const { return m_hidden; }
    void RebuildHidden();

    // The first entry containing the text: scrolled to the top and selected. Its text, or
    // nothing when no entry contains it.
    std::optional<QString> ShowEntryContaining(const QString& text);

  signals:
    // A check box was toggled by the user (the hidden list is rebuilt already).
    void toggled();
    // An entry was clicked (not on its check box): its first word.
    void entryClicked(const QString& firstWord);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void reportToggle(QListWidgetItem* item);
    void reportEntryClick(QListWidgetItem* item);

    bool m_releasing = false;
    bool m_checkToggledByRelease = false;
    QStringList m_entries;
    HiddenMnemonics m_hidden;
};

} // namespace tesso
