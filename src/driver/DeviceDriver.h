#pragma once
// DeviceDriver: the driver of one Lumio/Snipa device, and the one object the rest of the program
// talks to. It publishes the device's 125 variables as properties (generated from Catalogue.h),
// encodes a command when a writable property is assigned, applies each reply line to the mirror
// and signals it with the value (variableReported), and keeps the link to the device.
//
// Its parts, each in a unit of its own: ReplyParser cuts the received bytes into (variable,
// value) lines; DeviceMirror stores them; LinkStateMachine detects, loads and keeps the device
// alive; ActiveLink holds the three links and the one linkType selects.

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "ActiveLink.h"
#include "Catalogue.h"
#include "DeviceMirror.h"
#include "DriverLinks.h"
#include "LinkStateMachine.h"
#include "ReplyParser.h"

namespace tesso
{

// Variables: the text protocol. Raw: the frame transfer owns the serial bytes.
enum class LinkMode { Variables, Raw };

// Which connection setting a setter changed.
enum class ConnectionSetting { Type, LocalPort, RemotePort, RemoteAddress };

// The published variable properties, generated from the catalogue: a getter for every variable
// and a setter that sends the set command for every writable one (DEV's writes the field).
// clang-format off
#define TESSO_GET_U32(prop, tvar)   std::uint32_t prop() const { return m_mirror.value(tvar); }
#define TESSO_GET_BOOL(prop, tvar)  bool prop() const { return (m_mirror.value(tvar) & 0xFFu) != 0; }
#define TESSO_GET_COLOR(prop, tvar) std::int32_t prop() const { return static_cast<std::int32_t>(m_mirror.value(tvar)); }
#define TESSO_GET_TEXT(prop, tvar)  QString prop() const { return m_mirror.netmask(); }
#define TESSO_SET_U32(prop, tvar)   void set##prop(std::uint32_t v) { sendVariable(tvar, v); }
#define TESSO_SET_BOOL(prop, tvar)  void set##prop(bool v) { sendVariable(tvar, v ? 1u : 0u); }
#define TESSO_SET_COLOR(prop, tvar) void set##prop(std::int32_t v) { sendSigned(tvar, v); }
#define TESSO_DECL_RW(prop, tvar, type) TESSO_GET_##type(prop, tvar) TESSO_SET_##type(prop, tvar)
#define TESSO_DECL_RO(prop, tvar, type) TESSO_GET_##type(prop, tvar)
#define TESSO_DECL_FIELD(prop, tvar, type) TESSO_GET_##type(prop, tvar) void set##prop(std::uint32_t v) { m_mirror.setField(tvar, v); }
#define TESSO_DECL_NONE(prop, tvar, type)
#define TESSO_DECL_MASK(prop, tvar, type) TESSO_GET_##type(prop, tvar) void set##prop(const QString& text);
#define TESSO_DECL(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi) TESSO_DECL_##access(prop, tvar, type)
// clang-format on

class DeviceDriver : public QObject
{
    Q_OBJECT

  public:
    explicit DeviceDriver(QObject* parent = nullptr); // real links
    explicit DeviceDriver(DriverLinks links, QObject* parent = nullptr);
    ~DeviceDriver() override;

    DeviceDriver(const DeviceDriver&) = delete;
    DeviceDriver& operator=(const DeviceDriver&) = delete;

    // ---- Published variable properties, generated from the catalogue -------------------------
    TESSO_VARIABLES(TESSO_DECL)

    // The mirror field of any variable (booleans hold the low 8 bits of the reply).
    std::uint32_t mirrorValue(tVAR index) const { return m_mirror.value(index); }
    // Entry `input` of a per-input variable's array (input 0..8, from PCHAN when the reply arrived).
    std::uint32_t mirrorValueOfInput(tVAR index, int input) const { return m_mirror.byInput(index, input); }
    // Assigns a variable through its property setter, for code that holds variables by index
    // (bound controls, the command-line client). Booleans send 0 or 1; a colour is read as signed.
    // Variables without a numeric setter (read-only, DEV, PORT, NETMASK) send nothing.
    void setVariable(tVAR index, std::uint32_t value);

    // ---- Per-input arrays (input 0..8, from PCHAN when the reply arrived) ---------------------
    static constexpr int InputSlots = DeviceMirror::InputSlots;
    std::uint32_t PRGBIByInput(int input) const { return m_mirror.byInput(_PRGBI, input); } // 5 outside 0..8
    void setPRGBIByInput(int input, std::uint32_t value) { m_mirror.setByInput(_PRGBI, input, value); }

    // ---- Device network addresses --------------------------------------------------------------
    QString LOCAL_IP() const { return m_mirror.addressText(DeviceMirror::Local); }
    QString REMOTE_IP() const { return m_mirror.addressText(DeviceMirror::Remote); }
    QString GATEWAY_IP() const { return m_mirror.addressText(DeviceMirror::Gateway); }
    void setLOCAL_IP(const QString& text) { sendAddress(DeviceMirror::Local, text); }
    void setREMOTE_IP(const QString& text) { sendAddress(DeviceMirror::Remote, text); }
    void setGATEWAY_IP(const QString& text) { sendAddress(DeviceMirror::Gateway, text); }
    std::int32_t LOCAL_PORT() const { return m_mirror.port(DeviceMirror::Local); }
    std::int32_t REMOTE_PORT() const { return m_mirror.port(DeviceMirror::Remote); }
    void setLOCAL_PORT(std::int32_t port) { sendPort(DeviceMirror::Local, port); }
    void setREMOTE_PORT(std::int32_t port) { sendPort(DeviceMirror::Remote, port); }

    // ---- Protocol -------------------------------------------------------------------------------
    void sendVariable(tVAR index, std::uint32_t value);
    void queryVariable(tVAR index);
    void queryAll();
    // Text as typed (the console); refused in raw mode.
    void sendText(const QByteArray& text);
    // A whole command from another program (the hub), written at once so that nothing lands
    // inside it, and signalled as sent. False, and nothing sent, while the device is not
    // connected or the frame transfer owns the link. Over TCP, more than ten characters is a
    // range error.
    bool sendCommand(const QByteArray& command);

    // ---- Connection -----------------------------------------------------------------------------
    bool isConnected() const { return m_state.connected(); }
    bool isReady() const { return m_state.ready(); }
    bool forcedConnection() const { return m_state.forcedConnection(); }
    void setForcedConnection(bool forced) { m_state.setForcedConnection(forced); }
    LinkState linkState() const { return m_state.state(); }
    // The link in use is open (and, for TCP, connected).
    bool isLinkOpen() const { return m_link.isConnected(); }
    // Detection now rather than at the next link step: the absent step if it is due, then "?".
    void detectNow() { m_state.detectNow(); }

    QString serialPort() const { return m_port; }
    void setSerialPort(const QString& name);
    LinkType linkType() const { return m_link.type(); }
    void setLinkType(LinkType type);
    LinkMode linkMode() const { return m_mode; }
    // Back to text: raw bytes the transfer left unread are dropped, not parsed as a reply.
    void setLinkMode(LinkMode mode);
    int ipLocalPort() const { return m_link.localPort(); }
    void setIpLocalPort(int port);
    int ipRemotePort() const { return m_link.remotePort(); }
    void setIpRemotePort(int port);
    QString ipRemoteAddress() const { return m_link.remoteAddress(); }
    void setIpRemoteAddress(const QString& address);

    // Raw mode for the frame transfer.
    QByteArray takeRawData();
    // The transfer's bytes, in either mode. While in raw mode they are the only bytes sent:
    // sendText and the variable commands are refused, so no text lands inside a picture.
    void sendRaw(const QByteArray& bytes);
    void closeSerialPort();
    void setSerialBaud(std::int32_t baud);

  signals:
    // A reply line of the variable, changed or not, with the value now mirrored ("#" reports
    // _DIESE); DEV with 0 when the device is declared lost. Address octets and ports have none.
    void variableReported(tVAR variable, quint32 value);
    // After a matched reply line has been applied, for every variable, octets and ports included.
    void replyApplied(tVAR variable, const QByteArray& line);
    // A reply line matched (before it is applied), and a command sent.
    void lineReceived(const QByteArray& line);
    void lineSent(const QByteArray& line);
    // Serial bytes in raw mode, waiting in takeRawData for the frame transfer.
    void rawDataArrived();
    void readyChanged(bool ready);
    void connectedChanged(bool connected);
    // A device-code reply that follows another one.
    void busy();
    void connectionSettingChanged(ConnectionSetting setting);
    // Every failure of a link with the system's text, also those the user is not shown (a
    // refusing TCP peer, a serial port that cannot be opened from setSerialPort).
    void linkFailed(LinkType link, const QString& message);

  private:
    void sendSigned(tVAR index, std::int32_t value);
    void sendAddress(int which, const QString& text);
    void sendPort(int which, std::int32_t port);
    void received(LinkType from, const QByteArray& bytes);
    void applyReply(const ReplyLine& reply);
    void declareAbsent();
    // Applies every complete line received. A value that does not fit raises ERangeError to the
    // caller with its line consumed; the lines after it are parsed from the event loop at once.
    void parseReplies();
    void parseBuffer();

    // In this order, so that the links and the timer, which call into the parser and the mirror,
    // go first when the driver does.
    DeviceMirror m_mirror;
    ReplyParser m_parser;
    LinkStateMachine m_state;
    ActiveLink m_link;

    bool m_continuationDue = false;
    tVAR m_lastReplyIndex = _ADDRDBG; // the variable of the previous reply line
    QString m_port;
    LinkMode m_mode = LinkMode::Variables;
};

// The generating macros end with the class (inside it they would confuse the formatter).
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

} // namespace tesso
