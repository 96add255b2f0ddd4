#include "AudioIndicator.h"

#include <QAction>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

#include "ErrorReport.h"
#include "GlyphImages.h"
#include "MainStatusBar.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{
// Muted is any value but 0: the caption, the button and the picture all read it the same way.
bool muted(const DeviceDriver& driver)
{
    return driver.AMUTE() != 0;
}
} // namespace

AudioIndicator::AudioIndicator(EventRouter& router, QToolButton* muteButton, QAction* toolButton,
                               MainStatusBar* statusBar)
    : m_router(router), m_muteButton(muteButton), m_toolButton(toolButton), m_statusBar(statusBar)
{
    m_subscription = router.subscribe(_AMUTE, [this] { showMute(); });
    auto click = [this] { tesso::guarded([this] { toggleMute(); }); };
    QObject::connect(muteButton, &QToolButton::clicked, muteButton, click);
    QObject::connect(toolButton, &QAction::triggered, muteButton, click);
    statusBar->DrawExtra = [this](QPainter& painter, const QRect& bar) {
        painter.drawPixmap(QRect(QPoint(bar.width() - 20, 3), QPoint(bar.width() - 4, 20)), m_picture);
    };
    showFrame();
}

void AudioIndicator::Tick()
{
    if (m_frame >= 6)
        m_step = -1;
    else if (m_frame < 4)
        m_step = 1;
    if (m_frame != MutedFrame)
        m_frame += m_step;
    showFrame();
}

void AudioIndicator::toggleMute()
{
    DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    // The button toggled itself; it shows the device's state again until the device answers.
    showMute();
    driver->setAMUTE(muted(*driver) ? 0 : 1);
}

void AudioIndicator::showMute()
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    const bool isMuted = muted(*driver);
    m_frame = isMuted ? MutedFrame : 3;
    {
        const QSignalBlocker blocker(m_muteButton);
        m_muteButton->setChecked(isMuted);
    }
    m_muteButton->setText(TextFormat::Format(Texts::MuteFormat, {QString(isMuted ? Texts::On : Texts::Off)}));
    showFrame();
}

void AudioIndicator::showFrame()
{
    m_picture = GlyphImages::AudioFrame(m_frame);
    m_toolButton->setIcon(m_picture);
    m_statusBar->update();
}

} // namespace tesso
