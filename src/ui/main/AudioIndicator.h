#pragma once
// The audio indicator and the mute buttons: a small speaker that animates while the sound is on
// and shows a muted picture while it is off, on the tool bar's audio button and at the right end
// of the status bar; the Audio page's mute button and the tool bar's button are down while muted,
// the page button's caption "Mute On" or "Mute Off". Both buttons are rows of a binding table:
// each shows the device's mute and toggles it.

#include <memory>

#include <QPixmap>

#include "EventRouter.h"

class QAction;
class QToolButton;

namespace tesso
{

class BindingTable;
class MainStatusBar;

class AudioIndicator
{
  public:
    static constexpr int MutedFrame = 76;

    AudioIndicator(EventRouter& router, QToolButton* muteButton, QAction* toolButton,
                   MainStatusBar* statusBar);
    ~AudioIndicator();

    // One step of the animation, on each tick of the main timer: 3, 4, 5, 6, 5, 4, 3, 4 ... while
    // the sound is on; the muted picture stays.
    void Tick();

    int Frame() const { return m_frame; }

  private:
    // After the page button showed the device's mute: its caption and the picture follow.
    void showMute(bool muted);
    void showFrame();

    QToolButton* m_muteButton;
    QAction* m_toolButton;
    MainStatusBar* m_statusBar;
    std::unique_ptr<BindingTable> m_bindings;
    int m_frame = 3;
    int m_step = 1;
    QPixmap m_picture;
};

} // namespace tesso
