#pragma once
// IntervalDial: the small captioned window inside the console that sets the paced send's
// interval. Its caption is the interval in seconds with the user's decimal separator; closing it
// cancels the send.

#include <QFrame>
#include <QLocale>

class QLabel;
class QToolButton;

namespace tesso
{

class DialKnob;

class IntervalDial : public QFrame
{
    Q_OBJECT

  public:
    explicit IntervalDial(QWidget* parent = nullptr);

    // "5.5 Second" for 5500 ms ("5,5 Second" where the separator is a comma), "0.001 Second" for 1.
    static QString Caption(int intervalMs, const QLocale& locale = QLocale());

    void setInterval(int intervalMs);
    QString CaptionText() const;

    DialKnob* Knob = nullptr;
    QToolButton* BtnClose = nullptr;

  signals:
    // The user picked an interval on the knob.
    void intervalChanged(int intervalMs);
    // The close button was clicked.
    void closed();

  private:
    QLabel* m_caption = nullptr;
};

} // namespace tesso
