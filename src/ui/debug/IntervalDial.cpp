#include "IntervalDial.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "DialKnob.h"
#include "ErrorReport.h"
#include "TimedSend.h"

namespace tesso
{

IntervalDial::IntervalDial(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("IntervalDial"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* captionBar = new QWidget(this);
    captionBar->setAutoFillBackground(true);
    QPalette barPalette = captionBar->palette();
    barPalette.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    barPalette.setColor(QPalette::WindowText, palette().color(QPalette::Active, QPalette::HighlightedText));
    captionBar->setPalette(barPalette);
    m_caption = new QLabel(captionBar);
    m_caption->setObjectName(QStringLiteral("Caption"));
    QFont small = m_caption->font();
    small.setPixelSize(10);
    m_caption->setFont(small);
    BtnClose = new QToolButton(captionBar);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setText(QStringLiteral("x"));
    BtnClose->setAutoRaise(true);
    BtnClose->setAccessibleName(QStringLiteral("Stop the paced send"));
    auto* bar = new QHBoxLayout(captionBar);
    bar->setContentsMargins(3, 1, 1, 1);
    bar->setSpacing(2);
    bar->addWidget(m_caption, 1);
    bar->addWidget(BtnClose);

    Knob = new DialKnob(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(captionBar);
    column->addWidget(Knob);
    column->setSizeConstraint(QLayout::SetFixedSize);

    setInterval(TimedSend::DefaultInterval);
    connect(Knob, &DialKnob::selected, this, [this](int ms) {
        setInterval(ms);
        emit intervalChanged(ms);
    });
    connect(BtnClose, &QToolButton::clicked, this, [this] { tesso::guarded([this] { emit closed(); }); });
}

QString IntervalDial::Caption(int intervalMs, const QLocale& locale)
{
    return locale.toString(intervalMs / 1000.0, 'g', 12) + QStringLiteral(" Second");
}

void IntervalDial::setInterval(int intervalMs)
{
    m_caption->setText(Caption(intervalMs));
}

QString IntervalDial::CaptionText() const
{
    return m_caption->text();
}

} // namespace tesso
