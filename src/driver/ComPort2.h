#pragma once
// TComPort2: the serial port component through which the driver reaches the device over RS232.
// QSerialPort runs on the GUI thread; its readyRead notification takes the place of a reader
// thread handing data over. Received bytes go to ReceiveCallBack and to DeviceLink::onReceived
// (with an empty peer address and port 0), in that order, so the driver and a direct user of the
// component see the same data.

#include <cstdint>
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>

#include "DeviceLink.h"

class QSerialPort;
class TComPort2;

enum TParity { ptNONE = 0, ptODD = 1, ptEVEN = 2, ptMARK = 3, ptSPACE = 4 };
enum TStopBit { sbONE = 0, sbONE5 = 1, snTWO = 2 };
enum TReceiveMode { rmRAW = 0, rmTERM = 1 };

using TComNotifyEvent = std::function<void(TComPort2* Sender)>;
using TReceiveProc = std::function<void(const QByteArray& Data)>;
using TStatusChanged = std::function<void(bool Status)>;

class TComPort2 : public DeviceLink
{
  public:
    TComPort2();
    ~TComPort2() override;

    TComPort2(const TComPort2&) = delete;
    TComPort2& operator=(const TComPort2&) = delete;

    // ---- Published properties ------------------------------------------------------------------
    QString Port() const { return m_portName; }
    void setPort(const QString& name) { m_portName = name; }
    bool Opened() const;
    std::uint32_t Baud() const { return m_baud; }
    void setBaud(std::uint32_t baud) override; // applied at once while open
    std::uint8_t DataBits() const { return m_dataBits; }
    void setDataBits(std::uint8_t bits) { m_dataBits = bits; }
    TParity Parity() const { return m_parity; }
    void setParity(TParity parity) { m_parity = parity; }
    TStopBit StopBits() const { return m_stopBits; }
    void setStopBits(TStopBit stopBits) { m_stopBits = stopBits; }
    // Kept for the settings that carry them; Qt grows its own buffers as needed.
    std::uint32_t WinQSizeIn() const { return m_winQSizeIn; }
    void setWinQSizeIn(std::uint32_t size) { m_winQSizeIn = size; }
    std::uint32_t WinQSizeOut() const { return m_winQSizeOut; }
    void setWinQSizeOut(std::uint32_t size) { m_winQSizeOut = size; }
    TReceiveMode ReceiveMode() const { return m_receiveMode; }
    void setReceiveMode(TReceiveMode mode) { m_receiveMode = mode; }

    // Text form "#13#10": each character as "#" and its decimal code. The setter throws
    // EComError on a malformed or empty text and then falls back to carriage return, line feed.
    QString Terminator() const;
    void setTerminator(const QString& text);
    QByteArray terminatorBytes() const { return m_terminator; }

    TComNotifyEvent OnPortOpen, OnPortClose;
    TReceiveProc ReceiveCallBack;
    // Qt reports no modem-line changes, so these are never raised; they exist for callers that
    // bind them.
    TStatusChanged OnCTSChanged, OnDSRChanged, OnRingChanged, OnRLSDChanged;
    // Raised when Qt reports an error on the open port (read or write failure, the device went
    // away). Line errors such as parity or framing are not reported by Qt.
    TComNotifyEvent OnError;

    // ---- Operations ----------------------------------------------------------------------------
    void Open();  // throws EComError; does nothing when already open
    void Close(); // does nothing when already closed
    void Write(const QByteArray& data);

    // The device a port name stands for: COMn, \\.\COMn (the prefix possibly doubled) map to
    // /dev/ttyS<n-1> unless TESSO_COMn names another device; a path is used as it is.
    static QString DevicePath(const QString& portName);
    // The EComError text of a failed open; a permission failure adds how to get access.
    static QString OpenFailureText(const QString& portName, const QString& systemText, bool permissionDenied);

    // ---- DeviceLink ------------------------------------------------------------------------------
    bool isActive() const override { return Opened(); }
    bool open() override;
    void close() override { Close(); }
    void write(const QByteArray& bytes) override { Write(bytes); }
    void setPortName(const QString& name) override { setPort(name); }
    void setRawReceive(bool raw) override { setReceiveMode(raw ? rmRAW : rmTERM); }

  private:
    void configurePort();
    void dataArrived();
    void portErrorOccurred(int error);
    void deliver(const QByteArray& data);

    std::unique_ptr<QSerialPort> m_port;
    QString m_portName;
    std::uint32_t m_baud = 9600;
    std::uint8_t m_dataBits = 8;
    TParity m_parity = ptNONE;
    TStopBit m_stopBits = sbONE;
    std::uint32_t m_winQSizeIn = 8192;
    std::uint32_t m_winQSizeOut = 8192;
    TReceiveMode m_receiveMode = rmTERM;
    QByteArray m_terminator = QByteArrayLiteral("\r\n");
    QByteArray m_lineBuffer;
};
