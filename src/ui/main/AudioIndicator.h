#pragma once
// The audio indicator and the mute buttons: a small speaker that animates while the sound is on
// and shows a muted picture while it is off, on the tool bar's audio button and at the right end
// of the status bar; the Audio page's mute button is down while muted, its caption "Mute On" or
// "Mute Off". Either button toggles the device's mute.

#include <QPixmap>

#include "EventRouter.h"

class QAction;
class QToolButton;

namespace tesso
{

class MainStatusBar;

class AudioIndicator
{
  public:
    static constexpr int MutedFrame = 76;

    AudioIndicator(EventRouter& router, QToolButton* muteButton, QAction* toolButton,
                   MainStatusBar* statusBar);

    // One step of the animation, on each tick of the main timer: 3, 4, 5, 6, 5, 4, 3, 4 ... while
    // the sound is on; the muted picture stays.
    void Tick();
    // A click on either mute button.
    void toggleMute();
    void showMute();

    int Frame() const { return m_frame; }

  private:
    void showFrame();

    EventRouter& m_router;
    QToolButton* m_muteButton;
    QAction* m_toolButton;
    MainStatusBar* m_statusBar;
    Subscription m_subscription;
    int m_frame = 3;
    int m_step = 1;
    QPixmap m_picture;
};

} // namespace tesso
