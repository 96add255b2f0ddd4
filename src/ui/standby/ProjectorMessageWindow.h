#pragma once
// ProjectorMessageWindow: the projector message window ("Message projector"). The user types the
// code string that the device sends to the projector; each key is one character code, shown by
// its name when it is a control code. "Ok" emits the message as messageAccepted (the main window
// stores it in the device), "Clear" erases the device's string. The read-back from the device
// fills the window through MSG_Edit_Message while RunRead is set.

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tesso
{

class DeviceDriver;

class ProjectorMessageWindow : public QWidget
{
    Q_OBJECT

  public:
    // The message's cells; the last one is only ever its end, so a message holds one fewer.
    static constexpr int Cells = 256;
    static constexpr int MaxCharacters = Cells - 1;

    explicit ProjectorMessageWindow(QWidget* parent = nullptr);

    // The driver that "Clear" sends to; the window does not own it.
    void setDriver(DeviceDriver* driver) { m_driver = driver; }

    // 0 the "on" message, 1 the "off" message; setting it titles the window's label.
    int MSG_ONOFF() const { return m_onOff; }
    void setMSG_ONOFF(int onOff);
    QString MSG_Label_Message() const;
    void setMSG_Label_Message(const QString& text);
    // Adds one character to the message, as a typed key does.
    void setMSG_Edit_Message(std::uint32_t code) { TakeCharacter(code); }
    QString MSG_Form_MessageProjector() const { return windowTitle(); }
    void setMSG_Form_MessageProjector(const QString& caption) { setWindowTitle(caption); }
    // A read-back from the device is in progress.
    bool RunRead() const { return m_runRead; }
    void setRunRead(bool running) { m_runRead = running; }

    // Takes a character code into the message. Refused (false): 0, which would end the stored
    // message there, codes above 255, and any character once the message is full.
    bool TakeCharacter(std::uint32_t code);
    int Count() const { return m_count; }
    const std::array<std::uint8_t, Cells>& Codes() const { return m_codes; }
    // Both fields and every cell emptied, as when the window is shown.
    void ResetMessage();

    void sendMessage();
    void closeWithoutSending();
    void clearCells();

    // How a character code is shown: its name below 33, the character itself otherwise.
    static QString CharacterText(std::uint8_t code);

    // Stores a message in the device cell by cell, the index first and then the character, and
    // ends it with a 0 after the last one (0 = the "on" message, 1 = the "off" message).
    static void StoreMessage(DeviceDriver& driver, int onOff, int count, const std::uint8_t* codes);

    QLabel* Label_Message = nullptr;
    QLineEdit* Edit_Message = nullptr;
    QLineEdit* Edit_InfoMessage = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnClear = nullptr;

  signals:
    // "Ok": MSG_ONOFF and the message's character codes.
    void messageAccepted(int onOff, const QByteArray& codes);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void typed(const QString& text);

    QPointer<DeviceDriver> m_driver;
    int m_onOff = 0;
    bool m_runRead = false;
    int m_count = 0;
    std::array<std::uint8_t, Cells> m_codes{};
    QString m_display;
};

} // namespace tesso
