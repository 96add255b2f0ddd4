#pragma once
// CompactCombo: a compact drop-down chooser whose list is a pop-up menu. A read-only text field
// fills the control and shows the chosen text; a CompactButton at its right edge opens the list at
// the control's bottom-left corner.
//
// The choices are the items of an assigned PopUpMenu (owned elsewhere and possibly shared by
// several combos: the combo that opened it last receives its clicks), or, without one, the strings
// of Items, for which a menu is built for one showing and freed after a choice.

#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAction;
class QLineEdit;

namespace tesso
{

class CompactButton;

class CompactCombo : public QWidget
{
    Q_OBJECT

  public:
    enum class BorderStyle { bsNone, bsSingle };

    static constexpr int DefaultWidth = 145;
    static constexpr int DefaultHeight = 21;

    explicit CompactCombo(QWidget* parent = nullptr);
    ~CompactCombo() override;

    // The text field's font. Qt fonts carry no colour, so the colour part of the font is the
    // separate FontColor; assigning it remembers it as the enabled-state colour. Deliberately
    // hides QWidget::setFont: the combo's own font is not what the text field shows.
    QFont Font() const;
    void setFont(const QFont& font);
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    // The name a screen reader gives the chooser: set on the combo and on its text field, which
    // is what takes the focus. Deliberately hides QWidget::setAccessibleName.
    void setAccessibleName(const QString& name);

    // The text field's background colour.
    QColor Color() const;
    void setColor(const QColor& color);

    // The text shown; read-only.
    QString Text() const;

    // Choices when no pop-up menu is assigned.
    const QStringList& Items() const { return m_items; }
    void setItems(const QStringList& items)
    {
        m_items = items;
        updateGeometry();
    }

    // Not owned. Assigning frees the combo's own built menu and selects entry 0.
    QMenu* PopUpMenu() const { return m_popUpMenu; }
    void setPopUpMenu(QMenu* menu);

    // The chosen entry, -1 for none. Writing an index outside the choices gives -1 and an empty
    // text; changed() is emitted when the value differs from before.
    int ItemIndex() const { return m_itemIndex; }
    void setItemIndex(int index);

    // The text field's border; also sets the button's bevel and lays the control out again.
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);

    // A stored flag: writing true opens the list, and the flag reads true until written again.
    bool DroppedDown() const { return m_droppedDown; }
    void setDroppedDown(bool dropped);

    // The children, for owners that need them and for tests.
    QLineEdit* textField() const { return m_edit; }
    CompactButton* button() const { return m_button; }
    // The menu built from Items while it exists.
    QMenu* builtMenu() const { return m_ownMenu; }

    // Room for the longest choice and the button, in the text field's font.
    QSize sizeHint() const override;

  signals:
    void changed();    // ItemIndex took a different value
    void choiceMade(); // after every choice made in the list, changed or not
    void listOpened();
    // The pointer moves over the text field or the button; `at` in that child's coordinates.
    void pointerMoved(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, const QPoint& at);
    void focusEntered(); // the text field gains the focus
    void focusLeft();    // the text field loses the focus

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void layoutChildren();
    void applyFontColor();
    void openList();
    void openSharedMenu(const QPoint& at);
    void openBuiltMenu(const QPoint& at);
    void choose(QMenu* menu, QAction* action);
    void freeBuiltMenu();
    void disconnectSharedMenu();
    QString captionAt(int index) const;
    bool claims(const QMenu* menu) const;
    int choiceCount() const;

    QLineEdit* m_edit = nullptr;
    CompactButton* m_button = nullptr;
    QStringList m_items;
    QPointer<QMenu> m_popUpMenu;
    QPointer<QMenu> m_ownMenu;
    QMetaObject::Connection m_sharedShowConnection;
    QMetaObject::Connection m_sharedTriggerConnection;
    int m_itemIndex = -1;
    QColor m_fontColor;
    BorderStyle m_borderStyle = BorderStyle::bsSingle;
    bool m_droppedDown = false;
};

} // namespace tesso
