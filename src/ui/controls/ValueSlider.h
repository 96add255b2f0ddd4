#pragma once
// ValueSlider: a labelled value adjuster (label, horizontal scroll bar 0..255, number field) in a
// row that grows with its text and its room; a short line marks the bar's middle. Which device
// variable an instance shows, and how, belongs to the owner; the frame keeps only its layout, its
// caption and its tracking flag.
//
// Tracking flag: 1 while a scroll is in progress, 0 once it has ended. It lives in the scroll bar's
// tag (the QObject property "Tag") and is read with Tracking(). handleScrollAction updates it; an
// owner that handles the scroll itself writes the position to its variable and then calls
// handleScrollAction, so that its change handler leaves the thumb alone while the user moves it.

#include <QScrollBar>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;

namespace tesso
{

class ValueSlider : public QWidget
{
    Q_OBJECT

  public:
    explicit ValueSlider(QWidget* parent = nullptr);

    // The label's text, and the names a screen reader gives the bar and the field.
    void setCaption(const QString& caption);

    QLabel* Lbl = nullptr;
    QScrollBar* ScrollBar = nullptr;
    QFrame* Bevel = nullptr;
    QLineEdit* Edt = nullptr;

    // The scroll notification: the flag becomes 0 for the end of a scroll, 1 for any other code.
    // `code` is the scroll bar's action (QAbstractSlider::SliderAction) or EndScroll.
    void handleScrollAction(int code);

    // The end-of-scroll notification code, beside QAbstractSlider's action codes.
    static constexpr int EndScroll = -1;

    int Tracking() const;

  signals:
    // Every scroll notification with its code and the scroll bar's new position, for owners that
    // send each intermediate position. The frame updates the tracking flag right after it.
    void scrolled(int code, int position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void notify(int code, int position);
    void placeBevel();
};

} // namespace tesso
