#pragma once
// What the debug console sends as the user types or clicks: keys and lines from the send box in
// the menu's sending mode, and texts sent character by character (quick-send buttons, list
// entries, a file sent at once). Everything goes over the driver's link unchanged; without a
// driver nothing is sent, and while a frame transfer holds the line in raw mode nothing either.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QKeyEvent;
class QProgressBar;

namespace tesso
{

class DeviceDriver;
class SendMemo;

class ConsoleSender : public QObject
{
    Q_OBJECT

  public:
    // Direct modes send each key as it is typed, line modes the caret's line on Enter; "with CR"
    // sends Enter as a carriage return.
    enum class SendMode { DirectWithCR, Direct, LineWithCR, Line };
    static SendMode ComputeSendMode(bool direct, bool transmitCR);

    // memo: the send box whose lines are sent; progress: shows a direct send's advance.
    ConsoleSender(SendMemo* memo, QProgressBar* progress, QObject* parent = nullptr);

    void setDriver(DeviceDriver* driver);
    SendMode sendMode = SendMode::Line;

    // A key press in the send box, before the box acts on it.
    void sendTypedKey(QKeyEvent* event);
    // Every character on its own as typed in mode 1 (a CR is dropped); nothing for an empty text.
    void SendTextDirect(const QString& text);
    // Why nothing may be sent now (no driver, raw mode, a closed link when that matters), or empty.
    QString whyNotSend(bool needOpenLink) const;
    // Sends the bytes; returns why they could not be sent, or an empty text.
    QString sendBytes(const QByteArray& bytes, bool needOpenLink);

  signals:
    // Why a text was not sent, for the line under the "Send" label.
    void notice(const QString& text);

  private:
    // Whether the console may not send now (a frame transfer holds the line); says why.
    bool refusesToSend();
    void sendTyped(const QString& text);

    SendMemo* m_memo = nullptr;
    QProgressBar* m_progress = nullptr;
    QPointer<DeviceDriver> m_driver;
};

} // namespace tesso
