#include "ValueSlider.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "ErrorReport.h"
#include "LabelFont.h"
#include "TrackingScrollBar.h"

namespace tesso
{

namespace
{
const char* const kTagProperty = "Tag";
constexpr int kLabelWidth = 64; // up to the scroll bar
} // namespace

ValueSlider::ValueSlider(QWidget* parent) : QWidget(parent)
{
    resize(FrameWidth, FrameHeight);

    // Created before the scroll bar so that the bar covers the line and only its ends show.
    Bevel = new QFrame(this);
    Bevel->setFrameShape(QFrame::VLine);
    Bevel->setFrameShadow(QFrame::Sunken);
    Bevel->setGeometry(136, 0, 2, FrameHeight);

    Lbl = new QLabel(this);
    tesso::fitLabelFont(Lbl, QStringLiteral("Hue (NTSC)"), kLabelWidth - 2);
    Lbl->setGeometry(0, 12, kLabelWidth, Lbl->sizeHint().height());

    auto* bar = new TrackingScrollBar(Qt::Horizontal, this);
    ScrollBar = bar;
    ScrollBar->setGeometry(64, 6, 145, 21);
    ScrollBar->setRange(0, 255);
    ScrollBar->setValue(128);
    ScrollBar->setPageStep(10);
    ScrollBar->setCursor(Qt::PointingHandCursor);
    ScrollBar->setProperty(kTagProperty, 0);

    Edt = new QLineEdit(this);
    Edt->setGeometry(216, 6, 41, 21);

    connect(ScrollBar, &QAbstractSlider::actionTriggered, this,
            [this](int action) { tesso::guarded([&] { notify(action, ScrollBar->sliderPosition()); }); });
    connect(bar, &TrackingScrollBar::scrollEnded, this,
            [this] { tesso::guarded([&] { notify(EndScroll, ScrollBar->value()); }); });
}

QSize ValueSlider::sizeHint() const
{
    return {FrameWidth, FrameHeight};
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
