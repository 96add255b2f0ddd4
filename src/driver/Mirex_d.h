#pragma once
// TMirex_d: the driver of one Lumio/Snipa device. It mirrors the device's 125 variables, encodes
// commands when a writable property is assigned, parses the reply stream into the mirror and
// raises each variable's change event, and runs the link state machine (detection with "?",
// query-all, ready, keep-alive) over whichever of its three links ConType selects.
//
// Everything per variable is generated from Catalogue.h.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "Catalogue.h"
#include "DeviceLink.h"
#include "LinkTimer.h"

class TMirex_d;

using TMirexNotifyEvent = std::function<void(TMirex_d* Sender, int nroOcto)>;

enum tConnectionType { CON_RS232 = 0, CON_UDP = 1, CON_TCP = 2 };
enum tConnectionMode { MODE_VAR = 0, MODE_RAW = 1 };

// Index of the variable matched by the previous reply line, shared by every driver of the process.
extern int LastReplyIndex;

// The parts a driver talks through. Tests inject scripted links and a manual timer.
struct DriverLinks {
    std::unique_ptr<DeviceLink> serial;
    std::unique_ptr<DeviceLink> udp;
    std::unique_ptr<DeviceLink> tcp;
    std::unique_ptr<LinkTimer> timer;
};

// The real links: TComPort2, the UDP endpoint and the TCP client, and a QTimer.
DriverLinks makeDefaultLinks();

namespace tesso {
// Text-to-integer conversion of reply values and address parts: leading spaces, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
struct NumberScan {
    std::int64_t value = 0; // saturates far above the 32-bit range instead of overflowing
    bool complete = false;  // the whole text was used
};
NumberScan scanNumber(const char* begin, const char* end);

// Value of one hexadecimal digit, or -1.
int hexDigitValue(char c);

// Dotted text of the 32-bit mask with n host bits (n < 32).
QString maskText(unsigned hostBits);
} // namespace tesso

class TMirex_d : public QObject {
    Q_OBJECT

public:
    explicit TMirex_d(QObject* parent = nullptr); // real links
    explicit TMirex_d(DriverLinks links, QObject* parent = nullptr);
    ~TMirex_d() override;

    TMirex_d(const TMirex_d&) = delete;
    TMirex_d& operator=(const TMirex_d&) = delete;

    // Passed as nroOcto with every change event.
    int Tag = 0;

    // Bytes received and not yet parsed.
    QByteArray RxBuffer;

    // ---- Published variable properties, generated from the catalogue -------------------------
#define TESSO_GET_U32(prop, tvar)                                                                         \
    std::uint32_t prop() const { return m_mirror[tvar]; }
#define TESSO_GET_BOOL(prop, tvar)                                                                        \
    bool prop() const { return (m_mirror[tvar] & 0xFFu) != 0; }
#define TESSO_GET_COLOR(prop, tvar)                                                                       \
    std::int32_t prop() const { return static_cast<std::int32_t>(m_mirror[tvar]); }
#define TESSO_GET_TEXT(prop, tvar)                                                                        \
    QString prop() const { return m_netmask; }
#define TESSO_SET_U32(prop, tvar)                                                                         \
    void set##prop(std::uint32_t v) { SendVar(tvar, v); }
#define TESSO_SET_BOOL(prop, tvar)                                                                        \
    void set##prop(bool v) { SendVar(tvar, v ? 1u : 0u); }
#define TESSO_SET_COLOR(prop, tvar)                                                                       \
    void set##prop(std::int32_t v) { sendSigned(tvar, v); }
#define TESSO_DECL_RW(prop, tvar, type) TESSO_GET_##type(prop, tvar) TESSO_SET_##type(prop, tvar)
#define TESSO_DECL_RO(prop, tvar, type) TESSO_GET_##type(prop, tvar)
#define TESSO_DECL_FIELD(prop, tvar, type)                                                                \
    TESSO_GET_##type(prop, tvar) void set##prop(std::uint32_t v) { m_mirror[tvar] = v; }
#define TESSO_DECL_NONE(prop, tvar, type)
#define TESSO_DECL_MASK(prop, tvar, type) TESSO_GET_##type(prop, tvar) void set##prop(const QString& text);
#define TESSO_DECL(idx, tvar, prop, evt, type, reply, cmd, access) TESSO_DECL_##access(prop, tvar, type)
    TESSO_VARIABLES(TESSO_DECL)
#undef TESSO_DECL
#undef TESSO_DECL_MASK
#undef TESSO_DECL_NONE
#undef TESSO_DECL_FIELD
#undef TESSO_DECL_RO
#undef TESSO_DECL_RW
#undef TESSO_SET_COLOR
#undef TESSO_SET_BOOL
#undef TESSO_SET_U32
#undef TESSO_GET_TEXT
#undef TESSO_GET_COLOR
#undef TESSO_GET_BOOL
#undef TESSO_GET_U32

    // Never changed by the driver: the "#" reply sets Queryall.
    bool DIESE() const { return false; }

    // The raw mirror value of any variable (booleans hold the low 8 bits of the reply).
    std::uint32_t mirrorValue(tVAR index) const { return m_mirror[index]; }

    // ---- Change events, generated from the catalogue ------------------------------------------
#define TESSO_EVENT(idx, tvar, prop, evt, type, reply, cmd, access) TMirexNotifyEvent On##evt##change;
    TESSO_VARIABLES(TESSO_EVENT)
#undef TESSO_EVENT
    TMirexNotifyEvent OnQUERYALLchange;

    // The change event of a variable, by index (Queryall's is OnQUERYALLchange).
    TMirexNotifyEvent& changeEvent(tVAR index);

    TMirexNotifyEvent OnReady, OnConnected, ONRS232busy;
    TMirexNotifyEvent OnRecData, OnRecString, OnSentString;
    TMirexNotifyEvent OnConTypechange, OnIpLocalPortchange, OnIpRemotePortchange, OnIpRemoteAddresschange;

    // ---- Per-input arrays (input 0..8, from PCHAN when the reply arrived) ---------------------
    static constexpr int InputSlots = 9;
    bool PENAByInput(int input) const;
    std::uint32_t PRGBIByInput(int input) const; // 5 outside 0..8
    void setPRGBIByInput(int input, std::uint32_t value); // array only, no command
    std::uint32_t PISTDByInput(int input) const;
    bool PPROCByInput(int input) const;
    std::uint32_t REFASPByInput(int input) const;

    // ---- Device network addresses --------------------------------------------------------------
    QString LOCAL_IP() const { return m_localIp; }
    QString REMOTE_IP() const { return m_remoteIp; }
    QString GATEWAY_IP() const { return m_gatewayIp; }
    void setLOCAL_IP(const QString& text) { sendAddress(1, text); }
    void setREMOTE_IP(const QString& text) { sendAddress(2, text); }
    void setGATEWAY_IP(const QString& text) { sendAddress(3, text); }
    std::int32_t LOCAL_PORT() const { return m_localPort; }
    std::int32_t REMOTE_PORT() const { return m_remotePort; }
    void setLOCAL_PORT(std::int32_t port) { sendPort(1, port); }
    void setREMOTE_PORT(std::int32_t port) { sendPort(2, port); }

    // Splits "a.b.c.d" into four octets 0..255; on failure returns false with all four 0.
    static bool ParseIpText(const QString& text, std::int32_t& a, std::int32_t& b, std::int32_t& c,
                            std::int32_t& d);

    // ---- Protocol -------------------------------------------------------------------------------
    void SendVar(tVAR index, std::uint32_t value);
    void setQueryVar(tVAR index);
    void QueryAll();
    void SendString(const QByteArray& text);
    void ParseReplies();

    QByteArray receivedString() const { return m_receivedString; }
    QByteArray sentString() const { return m_sentString; }
    void setsentString(const QByteArray& text) { m_sentString = text; }

    bool RS232busy() const { return m_rs232busy; }
    void setRS232busy(bool busy) { m_rs232busy = busy; }

    // ---- Connection -----------------------------------------------------------------------------
    bool Connected() const { return m_connected; }
    bool Ready() const { return m_ready; }
    bool ForceConn() const { return m_forceConn; }
    void setForceConn(bool force);
    void setQuobb_s_plug_and_play(bool restart);

    QString Port() const { return m_port; }
    void setPort(const QString& name);
    tConnectionType ConType() const { return m_conType; }
    void setConType(tConnectionType type);
    tConnectionMode ConMode() const { return m_conMode; }
    void setConMode(tConnectionMode mode) { m_conMode = mode; }
    int IpLocalPort() const { return m_ipLocalPort; }
    void setIpLocalPort(int port);
    int IpRemotePort() const { return m_ipRemotePort; }
    void setIpRemotePort(int port);
    QString IpRemoteAddress() const { return m_ipRemoteAddress; }
    void setIpRemoteAddress(const QString& address);

    std::uint8_t LinkState() const { return m_linkState; }
    int linkTimerInterval() const { return m_timer->interval(); }

    // Raw mode for the frame transfer.
    QByteArray ReadRawData();
    void ClosePort();
    void setSerialBaud(std::int32_t baud);
    void setSerialRawReceive(bool raw);

    // ---- Internal routines, public so that tests can reach them --------------------------------
    void RestartLinkTimer(int milliseconds);
    void LinkTimerTick();
    void OpenTcp();
    void CloseTcp();
    void OpenUdp();
    void CloseUdp();
    void SerialDataReceived(const QByteArray& data);
    void UdpDataReceived(const QByteArray& datagram, const QString& peerAddress, int peerPort);
    void TcpDataReceived(const QByteArray& data);
    void TcpSocketError(const QString& message);
    void TcpConnected();

    // The links, for the frame transfer and for tests.
    DeviceLink& serialLink() { return *m_serial; }
    DeviceLink& udpLink() { return *m_udp; }
    DeviceLink& tcpLink() { return *m_tcp; }

private:
    void bindLinks();
    void raise(const TMirexNotifyEvent& event);
    void sendSigned(tVAR index, std::int32_t value);
    void sendAddress(int which, const QString& text);
    void sendPort(int which, std::int32_t port);
    bool parseOneLine(const QByteArray& line);
    void applyReply(tVAR index, std::int64_t value);
    void storeValue(tVAR index, std::int64_t value);
    void storePerInput(tVAR index, std::uint32_t value);
    void storeOctet(tVAR index, std::int64_t value);
    void storePort(std::int64_t value);
    void rebuildAddressTexts();
    void deviceReplyReceived(std::uint32_t code);
    void openSerial();
    void closeCurrentLink();
    void openCurrentLink();
    void moveRemote(const QString& address, int port);
    void setLinkState(std::uint8_t state) { m_linkState = state; }

    std::unique_ptr<DeviceLink> m_serial;
    std::unique_ptr<DeviceLink> m_udp;
    std::unique_ptr<DeviceLink> m_tcp;
    std::unique_ptr<LinkTimer> m_timer;

    std::uint8_t m_linkState = 0;
    std::array<std::uint32_t, tesso::VariableCount> m_mirror{};
    QString m_netmask;

    std::array<std::uint8_t, InputSlots> m_penaByInput{};
    std::array<std::uint32_t, InputSlots> m_prgbiByInput{};
    std::array<std::uint32_t, InputSlots> m_pistdByInput{};
    std::array<std::uint8_t, InputSlots> m_pprocByInput{};
    std::array<std::uint32_t, InputSlots> m_refaspByInput{};

    // Octets A..D of the addresses 1 local, 2 remote, 3 gateway (entry 0 unused).
    std::array<std::array<std::int32_t, 4>, 4> m_octets{};
    QString m_localIp, m_remoteIp, m_gatewayIp;
    std::int32_t m_localPort = 0, m_remotePort = 0;

    QByteArray m_receivedString, m_sentString;
    bool m_rs232busy = false;

    bool m_connected = false, m_ready = false, m_forceConn = false;
    bool m_tcpConnectPending = false;
    // Repeated TCP failures are retried once per link-timer step instead of at once.
    int m_tcpFailuresInARow = 0;
    bool m_tcpReopenDue = false;

    QString m_port;
    tConnectionType m_conType = CON_RS232;
    tConnectionMode m_conMode = MODE_VAR;
    int m_ipLocalPort = 10500;
    int m_ipRemotePort = 10500;
    QString m_ipRemoteAddress = QStringLiteral("192.168.0.10");
};
