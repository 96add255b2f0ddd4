#include "CompactCombo.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QVariant>

#include "CompactButton.h"
#include "ErrorReport.h"

namespace tesso
{

namespace
{

// Names the combo that opened a shared menu last; only that combo answers the menu's signals.
const char* const kMenuOwnerProperty = "tessoSmallComboOwner";

// Qt reads '&' in a menu text as an accelerator mark; doubling it shows the text as written.
QString menuText(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

CompactCombo::CompactCombo(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setReadOnly(true);
    m_edit->setMouseTracking(true);
    m_edit->installEventFilter(this);

    m_button = new CompactButton(this);
    m_button->setMouseTracking(true);
    m_button->installEventFilter(this);
    connect(m_button, &CompactButton::clicked, this, [this] { tesso::guarded([this] { openList(); }); });

    m_fontColor = m_edit->palette().color(QPalette::Text);
    setFocusProxy(m_edit);
    resize(DefaultWidth, DefaultHeight);
    layoutChildren();
}

CompactCombo::~CompactCombo()
{
    disconnectSharedMenu();
}

QSize CompactCombo::sizeHint() const
{
    const QFontMetrics metrics(m_edit->font());
    // At least as wide as a short entry, so that an empty chooser does not shrink to its button.
    int text = metrics.horizontalAdvance(QStringLiteral("Normal"));
    for (int i = 0; i < choiceCount(); ++i)
        text = std::max(text, metrics.horizontalAdvance(captionAt(i)));
    const int frame =
        m_edit->hasFrame() ? 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_edit) : 0;
    const int height = std::max(m_edit->sizeHint().height(), DefaultHeight);
    // Frame, the field's own text margin and the square button at the right.
    return {text + frame + 8 + height, height};
}

void CompactCombo::setAccessibleName(const QString& name)
{
    QWidget::setAccessibleName(name);
    m_edit->setAccessibleName(name);
}

QFont CompactCombo::Font() const
{
    return m_edit->font();
}

void CompactCombo::setFont(const QFont& font)
{
    m_edit->setFont(font);
}

void CompactCombo::setFontColor(const QColor& color)
{
    m_fontColor = color;
    applyFontColor();
}

QColor CompactCombo::Color() const
{
    return m_edit->palette().color(QPalette::Base);
}

void CompactCombo::setColor(const QColor& color)
{
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Base, color);
    m_edit->setPalette(pal);
}

QString CompactCombo::Text() const
{
    return m_edit->text();
}

void CompactCombo::setPopUpMenu(QMenu* menu)
{
    freeBuiltMenu();
    disconnectSharedMenu();
    m_popUpMenu = menu;
    updateGeometry(); // other choices, other width
    setItemIndex(0);
}

int CompactCombo::choiceCount() const
{
    if (m_popUpMenu)
        return static_cast<int>(m_popUpMenu->actions().size());
    return static_cast<int>(m_items.size());
}

QString CompactCombo::captionAt(int index) const
{
    if (m_popUpMenu)
        return m_popUpMenu->actions().at(index)->text();
    return m_items.at(index);
}

void CompactCombo::setItemIndex(int index)
{
    const int before = m_itemIndex;
    if (index >= 0 && index < choiceCount()) {
        m_itemIndex = index;
        m_edit->setText(captionAt(index));
    } else {
        m_itemIndex = -1;
        m_edit->clear();
    }
    if (m_itemIndex != before)
        emit changed();
}

void CompactCombo::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    const bool single = style == BorderStyle::bsSingle;
    m_edit->setFrame(single);
    m_button->setBevelWidth(single ? 2 : 1);
    layoutChildren();
}

void CompactCombo::setDroppedDown(bool dropped)
{
    m_droppedDown = dropped;
    if (dropped)
        openList();
}

void CompactCombo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void CompactCombo::layoutChildren()
{
    const int w = width();
    const int h = height();
    m_edit->setGeometry(0, 0, w, h);
    if (m_borderStyle == BorderStyle::bsSingle) {
        // Inside the field's 2-pixel frame; too small a control leaves the button where it was.
        if (h > 4 && w > 2)
            m_button->setGeometry(w - 2 - (h - 4), 2, h - 4, h - 4);
    } else {
        m_button->setGeometry(w - h, 0, h, h);
    }
    // Keeps a long text from running under the button.
    m_edit->setTextMargins(0, 0, m_button->width(), 0);
    m_button->raise();
}

void CompactCombo::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyFontColor();
}

void CompactCombo::applyFontColor()
{
    // The button-shadow colour as the system shows it, not the one dimmed for disabled widgets.
    const QColor color = isEnabled() ? m_fontColor : palette().color(QPalette::Active, QPalette::Dark);
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Text, color);
    m_edit->setPalette(pal);
}

bool CompactCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit && watched != m_button)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        tesso::guarded(
            [&] { emit pointerMoved(move->modifiers(), move->buttons(), move->position().toPoint()); });
        break;
    }
    case QEvent::FocusIn:
        if (watched == m_edit)
            tesso::guarded([this] { emit focusEntered(); });
        break;
    case QEvent::FocusOut:
        if (watched == m_edit)
            tesso::guarded([this] { emit focusLeft(); });
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CompactCombo::openList()
{
    const QPoint at = mapToGlobal(QPoint(0, height()));
    if (m_popUpMenu)
        openSharedMenu(at);
    else
        openBuiltMenu(at);
}

bool CompactCombo::claims(const QMenu* menu) const
{
    return menu->property(kMenuOwnerProperty).value<QObject*>() == this;
}

void CompactCombo::openSharedMenu(const QPoint& at)
{
    QMenu* menu = m_popUpMenu;
    menu->setProperty(kMenuOwnerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    if (!m_sharedShowConnection) {
        m_sharedShowConnection = connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (claims(menu))
                tesso::guarded([this] { emit listOpened(); });
        });
        m_sharedTriggerConnection = connect(menu, &QMenu::triggered, this, [this, menu](QAction* action) {
            if (claims(menu))
                tesso::guarded([&] { choose(menu, action); });
        });
    }
    menu->popup(at);
}

void CompactCombo::openBuiltMenu(const QPoint& at)
{
    freeBuiltMenu(); // one left open and closed without a choice
    auto* menu = new QMenu(this);
    for (const QString& item : std::as_const(m_items))
        menu->addAction(menuText(item));
    connect(menu, &QMenu::aboutToShow, this, [this] { tesso::guarded([this] { emit listOpened(); }); });
    connect(menu, &QMenu::triggered, this,
            [this, menu](QAction* action) { tesso::guarded([&] { choose(menu, action); }); });
    m_ownMenu = menu;
    menu->popup(at);
}

void CompactCombo::choose(QMenu* menu, QAction* action)
{
    const int position = static_cast<int>(menu->actions().indexOf(action));
    if (position < 0)
        return; // an entry of a submenu is no choice of this list
    setItemIndex(position);
    if (menu == m_ownMenu)
        freeBuiltMenu();
    emit choiceMade();
}

void CompactCombo::freeBuiltMenu()
{
    if (!m_ownMenu)
        return;
    // Deferred: a choice arrives from inside the menu's own signal.
    m_ownMenu->hide();
    m_ownMenu->deleteLater();
    m_ownMenu = nullptr;
}

void CompactCombo::disconnectSharedMenu()
{
    disconnect(m_sharedShowConnection);
    disconnect(m_sharedTriggerConnection);
    m_sharedShowConnection = {};
    m_sharedTriggerConnection = {};
    if (m_popUpMenu && claims(m_popUpMenu))
        m_popUpMenu->setProperty(kMenuOwnerProperty, QVariant());
}

} // namespace tesso
