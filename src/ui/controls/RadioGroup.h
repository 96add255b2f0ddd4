#pragma once
// A titled group of exclusive radio buttons whose item list can be replaced and whose choice is
// an index (-1 when none), laid out in a given number of columns.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace tesso
{

class RadioGroup : public QGroupBox
{
    Q_OBJECT

  public:
    explicit RadioGroup(const QString& title, QWidget* parent = nullptr);

    // Replaces every item; "&&" in an item shows as one "&". The choice becomes -1.
    void setItems(const QStringList& items);
    QStringList items() const { return m_items; }
    int count() const { return static_cast<int>(m_buttons.size()); }
    QRadioButton* button(int index) const;

    void setColumns(int columns);
    int ItemIndex() const;
    void setItemIndex(int index);

  signals:
    void itemClicked(int index);

  private:
    void rebuild();

    QStringList m_items;
    int m_columns = 1;
    std::vector<QRadioButton*> m_buttons;
    QButtonGroup* m_group = nullptr;
    QGridLayout* m_layout = nullptr;
};

} // namespace tesso
