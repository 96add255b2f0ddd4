#pragma once
// TForm_MessageProjector: the projector message window ("Message projector"). Its editing
// behaviour comes with the projector message feature; the main window already binds its
// OnMSGOKChange event at start-up.

#include <cstdint>
#include <functional>

#include <QWidget>

class TForm_MessageProjector : public QWidget
{
    Q_OBJECT

  public:
    // (sender, MSG_ONOFF, character count, character codes)
    using TMsgOkEvent =
        std::function<void(TForm_MessageProjector* Sender, int onOff, int count, const std::uint8_t* codes)>;

    explicit TForm_MessageProjector(QWidget* parent = nullptr);

    TMsgOkEvent OnMSGOKChange;
};
