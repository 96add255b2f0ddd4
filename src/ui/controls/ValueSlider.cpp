#include "ValueSlider.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "ErrorReport.h"
#include "TrackingScrollBar.h"

namespace tesso
{

namespace
{
const char* const kTagProperty = "Tag";
constexpr int kBevelEnds = 6; // how far the middle line shows above and below the bar
} // namespace

ValueSlider::ValueSlider(QWidget* parent) : QWidget(parent)
{
    // Created before the scroll bar so that the bar covers the line and only its ends show.
    Bevel = new QFrame(this);
    Bevel->setFrameShape(QFrame::VLine);
    Bevel->setFrameShadow(QFrame::Sunken);

    Lbl = new QLabel(this);

    auto* bar = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar = bar;
    ScrollBar->setRange(0, 255);
    ScrollBar->setValue(128);
    ScrollBar->setPageStep(10);
    ScrollBar->setCursor(Qt::PointingHandCursor);
    ScrollBar->setProperty(kTagProperty, 0);
    ScrollBar->setMinimumWidth(ScrollBar->sizeHint().height() * 6);
    ScrollBar->installEventFilter(this);

    Edt = new QLineEdit(this);
    // Room for the widest value shown, "-128".
    Edt->setMaximumWidth(Edt->fontMetrics().horizontalAdvance(QStringLiteral("-8888")) + 12);

    // The line's ends show above and below the bar.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, kBevelEnds, 0, kBevelEnds);
    row->addWidget(Lbl);
    row->addWidget(ScrollBar, 1);
    row->addWidget(Edt);

    connect(ScrollBar, &QAbstractSlider::actionTriggered, this,
            [this](int action) { tesso::guarded([&] { notify(action, ScrollBar->sliderPosition()); }); });
    connect(bar, &TrackingScrollBar::scrollEnded, this,
            [this] { tesso::guarded([&] { notify(EndScroll, ScrollBar->value()); }); });
}

void ValueSlider::setCaption(const QString& caption)
{
    Lbl->setText(caption);
    ScrollBar->setAccessibleName(caption);
    Edt->setAccessibleName(caption + QStringLiteral(" value"));
}

bool ValueSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBar && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeBevel();
    return QWidget::eventFilter(watched, event);
}

void ValueSlider::placeBevel()
{
    const QRect bar = ScrollBar->geometry();
    Bevel->setGeometry(bar.center().x() - 1, 0, 2, height());
}

void ValueSlider::notify(int code, int position)
{
    emit scrolled(code, position);
    handleScrollAction(code);
}

void ValueSlider::handleScrollAction(int code)
{
    ScrollBar->setProperty(kTagProperty, code == EndScroll ? 0 : 1);
}

int ValueSlider::Tracking() const
{
    return ScrollBar->property(kTagProperty).toInt();
}

} // namespace tesso
