#pragma once
// FrameDebugWindow ("Frame Debug"): the figures of the current transfer (elapsed time, progress,
// speed) and of the source picture (width, height), for diagnosis. Placed at the top right corner
// of the screen when shown.

#include <QTime>
#include <QWidget>

class QTableWidget;

namespace tesso
{

class FrameDebugWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit FrameDebugWindow(QWidget* parent = nullptr);

    void ShowElapsed(const QTime& time);
    void ShowProgress(int done, int total);
    void ShowSpeed(qint64 bytesPerSecond);
    void ShowWidth(int pixels);
    void ShowHeight(int lines);
    QString Value(int row) const;

    QTableWidget* GrdStatus = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void setValue(int row, const QString& text);
};

} // namespace tesso
