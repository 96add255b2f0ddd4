#pragma once
// FrameFormatWindow ("Resizing..."): asks how a picture that is not exactly 720 x 576 is to be
// fitted into the device's frame: crop or shrink when it is larger, center or zoom when smaller.

#include <QDialog>

class QLabel;
class QRadioButton;

namespace tesso
{

class FrameFormatWindow : public QDialog
{
    Q_OBJECT

  public:
    explicit FrameFormatWindow(QWidget* parent = nullptr);

    // The fit mode for a picture of that size: 1 at once for 720 x 576, else the user's choice
    // (3 crop or 2 shrink, 4 center or 5 zoom), 0 for Cancel.
    int ChooseFit(int width, int height);
    // Puts the question for that size into the window; false when there is none to ask.
    bool SetQuestion(int width, int height);
    // The mode the checked choice stands for.
    int ChosenMode() const;

    QLabel* LblFormat = nullptr;
    QRadioButton* RdoFormat1 = nullptr;
    QRadioButton* RdoFormat2 = nullptr;

  private:
    bool m_tooLarge = false;
};

} // namespace tesso
