#pragma once
// SplashWindow: the start-up window, shown while the windows are made. It carries the
// maker's name as caption, a 400 x 521 picture and a progress bar of 14 steps.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tesso
{

class SplashWindow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int Steps = 14;

    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* Image = nullptr;
    QProgressBar* ProgressBar = nullptr;

    // Advances the bar by one and paints it at once (start-up does not run the event loop).
    void Step();
    int Position() const;
};

} // namespace tesso
