#pragma once
// The firmware-update notice (PnlUpdater): a raised panel over the page control with a picture,
// the notice text and a small "Ok" button. It hides itself when its countdown of main-timer ticks
// has run out, or at once on "Ok". It floats over the widget it is centred on, which does not make
// room for it, and follows that widget's size.

#include <QFrame>
#include <QPointer>

class QLabel;
class QPushButton;

namespace tesso
{

class UpdateNotice : public QFrame
{
    Q_OBJECT

  public:
    // 10 s of 700 ms ticks.
    static constexpr int CountdownTicks = 10000 / 700;

    explicit UpdateNotice(QWidget* parent = nullptr);

    QLabel* LblUpdater = nullptr;
    QPushButton* BtnOkUpdater = nullptr;

    // Keeps the notice centred over `target` (a sibling, or a sibling's child).
    void centreOver(QWidget* target);

    int Countdown() const { return m_countdown; }
    void setCountdown(int ticks) { m_countdown = ticks; }

    // Shows the text and starts the countdown afresh.
    void ShowNotice(const QString& text);
    // One main-timer tick: counts down while shown, hides when nothing is left.
    void Tick();
    void dismissUpdateNotice();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeOverTarget();

    int m_countdown = 0;
    QPointer<QWidget> m_target;
};

} // namespace tesso
