#include "AudioIndicator.h"

#include <QAction>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

#include "Constante.h"
#include "ErrorReport.h"
#include "GlyphImages.h"
#include "MainStatusBar.h"
#include "TextFormat.h"

namespace
{
// Muted is any value but 0: the caption, the button and the picture all read it the same way.
bool muted(const TMirex_d& driver)
{
    return driver.AMUTE() != 0;
}
} // namespace

TAudioIndicator::TAudioIndicator(TEventRouter& router, QToolButton* muteButton, QAction* toolButton,
                                 TMainStatusBar* statusBar)
    : m_router(router), m_muteButton(muteButton), m_toolButton(toolButton), m_statusBar(statusBar)
{
    m_subscription = router.subscribe(_AMUTE, [this] { DriverAMUTEChange(); });
    auto click = [this] { tesso::guarded([this] { MuteClick(); }); };
    QObject::connect(muteButton, &QToolButton::clicked, muteButton, click);
    QObject::connect(toolButton, &QAction::triggered, muteButton, click);
    statusBar->DrawExtra = [this](QPainter& painter, const QRect& bar) {
        painter.drawPixmap(QRect(QPoint(bar.width() - 20, 3), QPoint(bar.width() - 4, 20)), m_picture);
    };
    showFrame();
}

void TAudioIndicator::Tick()
{
    if (m_frame >= 6)
        m_step = -1;
    else if (m_frame < 4)
        m_step = 1;
    if (m_frame != MutedFrame)
        m_frame += m_step;
    showFrame();
}

void TAudioIndicator::MuteClick()
{
    TMirex_d* driver = m_router.driver();
    if (!driver)
        return;
    // The button toggled itself; it shows the device's state again until the device answers.
    DriverAMUTEChange();
    driver->setAMUTE(muted(*driver) ? 0 : 1);
}

void TAudioIndicator::DriverAMUTEChange()
{
    const TMirex_d* driver = m_router.driver();
    if (!driver)
        return;
    const bool isMuted = muted(*driver);
    m_frame = isMuted ? MutedFrame : 3;
    {
        const QSignalBlocker blocker(m_muteButton);
        m_muteButton->setChecked(isMuted);
    }
    m_muteButton->setText(
        TextFormat::Format(Constante::MuteFormat, {QString(isMuted ? Constante::On : Constante::Off)}));
    showFrame();
}

void TAudioIndicator::showFrame()
{
    m_picture = GlyphImages::AudioFrame(m_frame);
    m_toolButton->setIcon(m_picture);
    m_statusBar->update();
}
