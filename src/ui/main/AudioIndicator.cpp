#include "AudioIndicator.h"

#include <QAction>
#include <QPainter>
#include <QToolButton>

#include "BindingTable.h"
#include "GlyphImages.h"
#include "MainStatusBar.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

AudioIndicator::AudioIndicator(EventRouter& router, QToolButton* muteButton, QAction* toolButton,
                               MainStatusBar* statusBar)
    : m_muteButton(muteButton), m_toolButton(toolButton), m_statusBar(statusBar),
      m_bindings(std::make_unique<BindingTable>(router))
{
    // Muted is any value but 0: the caption, the buttons and the picture all read it the same way.
    BindingRow page{_AMUTE, muteButton, ControlKind::ToggleButton};
    page.shown = [this] { showMute(m_muteButton->isChecked()); };
    m_bindings->Bind({page, {_AMUTE, toolButton, ControlKind::CheckableAction}});
    statusBar->DrawExtra = [this](QPainter& painter, const QRect& bar) {
        painter.drawPixmap(QRect(QPoint(bar.width() - 20, 3), QPoint(bar.width() - 4, 20)), m_picture);
    };
    showFrame();
}

AudioIndicator::~AudioIndicator() = default;

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

void AudioIndicator::showMute(bool muted)
{
    m_frame = muted ? MutedFrame : 3;
    m_muteButton->setText(TextFormat::Format(Texts::MuteFormat, {QString(muted ? Texts::On : Texts::Off)}));
    showFrame();
}

void AudioIndicator::showFrame()
{
    m_picture = GlyphImages::AudioFrame(m_frame);
    m_toolButton->setIcon(m_picture);
    m_statusBar->update();
}

} // namespace tesso
