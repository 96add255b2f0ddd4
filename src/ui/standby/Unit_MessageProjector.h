#pragma once
// TForm_MessageProjector: the projector message window ("Message projector"). Its editing
// behaviour comes with the projector message feature; the main window already binds its
// OnMSGOKChange event at start-up.

#include <cstdint>
#include <functional>

#include <QWidget>

class TMirex_d;

class TForm_MessageProjector : public QWidget
{
    Q_OBJECT

  public:
    // (sender, MSG_ONOFF, character count, character codes)
    using TMsgOkEvent =
        std::function<void(TForm_MessageProjector* Sender, int onOff, int count, const std::uint8_t* codes)>;

    explicit TForm_MessageProjector(QWidget* parent = nullptr);

    TMsgOkEvent OnMSGOKChange;

    // Stores a message in the device cell by cell, the index first and then the character, and
    // ends it with a 0 after the last one (0 = the "on" message, 1 = the "off" message).
    static void StoreMessage(TMirex_d& driver, int onOff, int count, const std::uint8_t* codes);
};
