#pragma once
// What a person sees and what a screen reader hears, checked over a shown widget tree: every
// caption whole (not elided, not narrower than its text, not cut by a parent, not run into a
// sibling) and every control that takes the focus named.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QToolButton>

#include "TextFormat.h"

namespace tesso::test
{

// The text a caption shows.
inline QString shownText(const QString& text)
{
    return TextFormat::WithoutAccessMarks(text);
}

inline QString describe(const QWidget* w, const QString& text)
{
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QString::fromLatin1(w->metaObject()->className()), text,
             w->objectName().isEmpty() ? QStringLiteral("unnamed") : w->objectName());
}

inline int textWidth(const QWidget* w, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// Why the caption of `w` is not shown whole, or an empty string.
inline QString captionFault(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(text))
            return {};
        if (text.contains(QChar(0x2026)))
            return QStringLiteral("elided");
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                          -label->margin());
        if (label->wordWrap())
            return label->heightForWidth(label->width()) > label->height() ? QStringLiteral("wraps out")
                                                                           : QString();
        const QString shown = shownText(text);
        const int lines = static_cast<int>(shown.count(QLatin1Char('\n'))) + 1;
        if (textWidth(label, shown) > room.width() - std::max(0, label->indent()))
            return QStringLiteral("narrower than its text");
        if (label->fontMetrics().height() * lines > room.height() + 1)
            return QStringLiteral("lower than its text");
        return {};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
        const int need = textWidth(box, shownText(box->title())) + (box->isCheckable() ? 20 : 0) + 12;
        return box->title().isEmpty() || need <= box->width() ? QString() : QStringLiteral("title cut");
    }
    if (const auto* tool = qobject_cast<const QToolButton*>(w)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly || tool->text().isEmpty())
            return {};
        return tool->width() < tool->sizeHint().width() ? QStringLiteral("narrower than its text")
                                                        : QString();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        const QString shown = shownText(button->text());
        if (shown.isEmpty())
            return {};
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = shown;
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<const QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        const QRect room = button->style()->subElementRect(contents, &option, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        if (textWidth(button, shown) + icon > room.width())
            return QStringLiteral("narrower than its text");
        if (button->fontMetrics().height() > button->height())
            return QStringLiteral("lower than its text");
        return {};
    }
    if (const auto* bar = qobject_cast<const QTabBar*>(w)) {
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            if (!bar->rect().contains(tab) || tab.width() < textWidth(bar, shownText(bar->tabText(i))))
                return QStringLiteral("tab \"%1\" cut").arg(bar->tabText(i));
        }
    }
    return {};
}

inline bool hasCaption(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QTabBar*>(w);
}

// Inside a scroll area's viewport, being cut is what scrolling is for.
inline bool scrolls(const QWidget* w)
{
    return w->parentWidget() && qobject_cast<const QAbstractScrollArea*>(w->parentWidget()->parentWidget()) &&
           w->parentWidget() ==
               static_cast<const QAbstractScrollArea*>(w->parentWidget()->parentWidget())->viewport();
}

// Captions under `root` (shown) that are not shown whole. Widgets under `skip` are left out.
inline QStringList clippedCaptions(const QWidget* root, const QWidget* skip = nullptr)
{
    QStringList faults;
    for (const QWidget* w : root->findChildren<const QWidget*>()) {
        if (!w->isVisibleTo(root) || !hasCaption(w) || (skip && (w == skip || skip->isAncestorOf(w))))
            continue;
        const QString text = qobject_cast<const QGroupBox*>(w) ? static_cast<const QGroupBox*>(w)->title()
                             : qobject_cast<const QLabel*>(w)  ? static_cast<const QLabel*>(w)->text()
                             : qobject_cast<const QAbstractButton*>(w)
                                 ? static_cast<const QAbstractButton*>(w)->text()
                                 : QString();
        if (const QString fault = captionFault(w); !fault.isEmpty())
            faults << describe(w, text) + QStringLiteral(": ") + fault;
        if (text.isEmpty())
            continue;
        // Cut by a parent's edge.
        QRect shown(w->mapTo(w->window(), QPoint(0, 0)), w->size());
        const QRect whole = shown;
        for (const QWidget* up = w->parentWidget(); up && !scrolls(up) && !up->isWindow();
             up = up->parentWidget())
            shown &= QRect(up->mapTo(up->window(), QPoint(0, 0)), up->size());
        if (shown != whole && !scrolls(w))
            faults << describe(w, text) + QStringLiteral(": cut by its parent");
        // Run into a sibling.
        if (const QWidget* parent = w->parentWidget()) {
            for (const QWidget* other : parent->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (other != w && other->isVisibleTo(root) && !other->isWindow() &&
                    other->geometry().intersects(w->geometry()))
                    faults << describe(w, text) + QStringLiteral(": overlaps ") + describe(other, QString());
            }
        }
    }
    return faults;
}

// The name a screen reader announces for `w`: its accessible name, else its caption, else the text
// of the label that is its buddy.
inline QString spokenName(const QWidget* w)
{
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w);
        button && !shownText(button->text()).isEmpty())
        return shownText(button->text());
    for (const QLabel* label : w->window()->findChildren<const QLabel*>())
        if (label->buddy() == w && !label->text().isEmpty())
            return shownText(label->text());
    return {};
}

// Controls under `root` that take the focus but have no name a screen reader could announce.
inline QStringList unnamedControls(const QWidget* root)
{
    QStringList faults;
    for (const QWidget* w : root->findChildren<const QWidget*>()) {
        if (!w->isVisibleTo(root) || w->focusPolicy() == Qt::NoFocus ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // Parts of a compound control (the line edit of an editable list) are named by it.
        const QWidget* parent = w->parentWidget();
        if (parent && (qobject_cast<const QComboBox*>(parent) ||
                       qobject_cast<const QAbstractScrollArea*>(parent) || scrolls(w)))
            continue;
        if (spokenName(w).isEmpty())
            faults << describe(w, QString());
    }
    return faults;
}

} // namespace tesso::test
