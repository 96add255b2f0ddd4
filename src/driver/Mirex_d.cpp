#include "Mirex_d.h"

#include <limits>

#include "ErrorReport.h"
#include "Errors.h"

int LastReplyIndex = 0;

namespace
{

constexpr std::int64_t MaxReplyValue = 4294967295LL;
constexpr std::int64_t MaxSigned32 = 2147483647LL;
// Once a scanned number passes this it can only be a range error; stop growing it.
constexpr std::int64_t ScanCeiling = std::int64_t(1) << 40;
constexpr int PartialLineLimit = 10;
constexpr int TcpCommandLimit = 10;
constexpr int SocketReadLimit = 8192;

constexpr int FirstStepMs = 3000;
constexpr int StepMs = 2000;
constexpr int ImmediateMs = 1;

enum : std::uint8_t {
    lsReset = 0,
    lsSearching = 1,
    lsFound = 2,
    lsConnected = 3,
    lsLoading = 4,
    lsIdle = 5,
    lsAwaitingReply = 6
};

bool isAcceptedDeviceCode(std::uint32_t code)
{
    return code == 32 || code == 33 || code == 40 || code == 57 || code == 58;
}

// Candidates per first character, in index order: the parser tries only the mnemonics that can
// be a prefix of the line, in the same order as a scan of the whole table would.
struct CandidateTable {
    std::array<std::array<std::uint8_t, tesso::VariableCount>, 256> indices{};
    std::array<std::uint8_t, 256> count{};
    std::array<std::uint8_t, tesso::VariableCount> length{};

    CandidateTable()
    {
        for (int i = 0; i < tesso::VariableCount; ++i) {
            const char* m = ReplyMnemonics[i];
            length[i] = static_cast<std::uint8_t>(std::char_traits<char>::length(m));
            const auto first = static_cast<unsigned char>(m[0]);
            indices[first][count[first]++] = static_cast<std::uint8_t>(i);
        }
    }
};

const CandidateTable& candidates()
{
    static const CandidateTable table;
    return table;
}

QString octetsText(const std::array<std::int32_t, 4>& o)
{
    return QStringLiteral("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]);
}

QString rangeMessage(const QByteArray& line, std::int64_t value)
{
    return QStringLiteral("Range check error: value %1 in reply \"%2\"")
        .arg(value)
        .arg(QString::fromLatin1(line));
}

} // namespace

namespace tesso
{

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

NumberScan scanNumber(const char* p, const char* end)
{
    NumberScan scan;
    while (p != end && *p == ' ')
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int base = 10;
    if (p != end && *p == '$') {
        base = 16;
        ++p;
    } else if (p != end && (*p == 'x' || *p == 'X')) {
        base = 16;
        ++p;
    } else if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    const char* digitsStart = p;
    std::int64_t value = 0;
    for (; p != end; ++p) {
        const int digit = base == 16 ? hexDigitValue(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        if (digit < 0)
            break;
        if (value < ScanCeiling)
            value = value * base + digit;
    }
    scan.value = negative ? -value : value;
    scan.complete = p == end && p != digitsStart;
    return scan;
}

QString maskText(unsigned hostBits)
{
    const std::uint32_t mask = ~std::uint32_t(0) << hostBits;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mask >> 24)
        .arg((mask >> 16) & 0xFFu)
        .arg((mask >> 8) & 0xFFu)
        .arg(mask & 0xFFu);
}

} // namespace tesso

// ---- Construction ------------------------------------------------------------------------------

TMirex_d::TMirex_d(QObject* parent) : TMirex_d(makeDefaultLinks(), parent) {}

TMirex_d::TMirex_d(DriverLinks links, QObject* parent)
    : QObject(parent), m_serial(std::move(links.serial)), m_udp(std::move(links.udp)),
      m_tcp(std::move(links.tcp)), m_timer(std::move(links.timer))
{
    m_serial->setRawReceive(true);
    m_udp->setLocalPort(m_ipRemotePort);
    m_udp->setRemote(m_ipRemoteAddress, m_ipRemotePort);
    m_tcp->setRemote(m_ipRemoteAddress, m_ipRemotePort);
    bindLinks();
    rebuildAddressTexts();
    RestartLinkTimer(FirstStepMs);
}

TMirex_d::~TMirex_d()
{
    // Nothing may call back into a half-destroyed driver.
    for (DeviceLink* link : {m_serial.get(), m_udp.get(), m_tcp.get()}) {
        link->onReceived = nullptr;
        link->onConnected = nullptr;
        link->onError = nullptr;
    }
    m_timer->onTimeout = nullptr;
    m_serial->close();
    m_udp->close();
    m_tcp->close();
}

void TMirex_d::bindLinks()
{
    m_serial->onReceived = [this](const QByteArray& data, const QString&, int) {
        tesso::guarded([&] { SerialDataReceived(data); });
    };
    m_serial->onError = [this](const QString& message) {
        // Line errors on an open port are not reported; a port that went away (unplugged
        // adapter) restarts detection and tells the user, who can reopen it from the menu.
        if (m_serial->isActive())
            return;
        setLinkState(lsReset);
        tesso::reportError(message);
    };
    m_udp->onReceived = [this](const QByteArray& data, const QString& address, int port) {
        tesso::guarded([&] { UdpDataReceived(data, address, port); });
    };
    m_udp->onError = [this](const QString& message) {
        tesso::guarded([&] { CloseUdp(); });
        tesso::reportError(message);
    };
    m_tcp->onReceived = [this](const QByteArray& data, const QString&, int) {
        tesso::guarded([&] { TcpDataReceived(data); });
    };
    m_tcp->onConnected = [this] { TcpConnected(); };
    m_tcp->onError = [this](const QString& message) { tesso::guarded([&] { TcpSocketError(message); }); };
    m_timer->onTimeout = [this] { LinkTimerTick(); };
}

void TMirex_d::raise(const TMirexNotifyEvent& event)
{
    if (event)
        event(this, Tag);
}

TMirexNotifyEvent& TMirex_d::changeEvent(tVAR index)
{
    using EventMember = TMirexNotifyEvent TMirex_d::*;
    static constexpr std::array<EventMember, tesso::VariableCount> events = {{
#define TESSO_EVENT_MEMBER(idx, tvar, prop, evt, type, reply, cmd, access) &TMirex_d::On##evt##change,
        TESSO_VARIABLES(TESSO_EVENT_MEMBER)
#undef TESSO_EVENT_MEMBER
    }};
    if (index == _DIESE)
        return OnQUERYALLchange;
    return this->*events[index];
}

// ---- Per-input arrays and addresses ------------------------------------------------------------

namespace
{
bool inputInRange(int input)
{
    return input >= 0 && input < TMirex_d::InputSlots;
}
} // namespace

bool TMirex_d::PENAByInput(int input) const
{
    return inputInRange(input) && m_penaByInput[input] != 0;
}

std::uint32_t TMirex_d::PRGBIByInput(int input) const
{
    return inputInRange(input) ? m_prgbiByInput[input] : 5u;
}

void TMirex_d::setPRGBIByInput(int input, std::uint32_t value)
{
    if (inputInRange(input))
        m_prgbiByInput[input] = value;
}

std::uint32_t TMirex_d::PISTDByInput(int input) const
{
    return inputInRange(input) ? m_pistdByInput[input] : 0u;
}

bool TMirex_d::PPROCByInput(int input) const
{
    return inputInRange(input) && m_pprocByInput[input] != 0;
}

std::uint32_t TMirex_d::REFASPByInput(int input) const
{
    return inputInRange(input) ? m_refaspByInput[input] : 0u;
}

bool TMirex_d::ParseIpText(const QString& text, std::int32_t& a, std::int32_t& b, std::int32_t& c,
                           std::int32_t& d)
{
    a = b = c = d = 0;
    const QByteArray bytes = text.toLatin1();
    const QList<QByteArray> parts = bytes.split('.');
    if (parts.size() != 4)
        return false;
    std::array<std::int32_t, 4> octets{};
    for (int i = 0; i < 4; ++i) {
        const auto scan = tesso::scanNumber(parts[i].constData(), parts[i].constData() + parts[i].size());
        // An octet is 0..255: a negative part would go out as a huge unsigned number.
        if (!scan.complete || scan.value < 0 || scan.value > 255)
            return false;
        octets[i] = static_cast<std::int32_t>(scan.value);
    }
    a = octets[0];
    b = octets[1];
    c = octets[2];
    d = octets[3];
    return true;
}

void TMirex_d::sendAddress(int which, const QString& text)
{
    std::int32_t a, b, c, d;
    if (!ParseIpText(text, a, b, c, d))
        return;
    SendVar(_PADIP, static_cast<std::uint32_t>(which));
    SendVar(_IP4, static_cast<std::uint32_t>(a));
    SendVar(_IP3, static_cast<std::uint32_t>(b));
    SendVar(_IP2, static_cast<std::uint32_t>(c));
    SendVar(_IP1, static_cast<std::uint32_t>(d));
}

void TMirex_d::sendPort(int which, std::int32_t port)
{
    SendVar(_PADIP, static_cast<std::uint32_t>(which));
    if (port < 0)
        throw ERangeError(QStringLiteral("Range check error: port %1").arg(port));
    SendVar(_PORT, static_cast<std::uint32_t>(port));
}

void TMirex_d::setNETMASK(const QString& text)
{
    std::int32_t a, b, c, d;
    if (!ParseIpText(text, a, b, c, d))
        return;
    const std::uint32_t mask =
        (std::uint32_t(a) << 24) | (std::uint32_t(b) << 16) | (std::uint32_t(c) << 8) | std::uint32_t(d);
    std::uint32_t host = ~mask;
    std::uint32_t bits = 0;
    while (host != 0) {
        host >>= 1;
        ++bits;
    }
    SendVar(_NETMASK, bits);
}

void TMirex_d::sendSigned(tVAR index, std::int32_t value)
{
    if (value < 0)
        throw ERangeError(QStringLiteral("Range check error: %1 cannot be %2")
                              .arg(QLatin1String(tesso::Catalogue[index].property))
                              .arg(value));
    SendVar(index, static_cast<std::uint32_t>(value));
}

// ---- Sending -----------------------------------------------------------------------------------

void TMirex_d::SendVar(tVAR index, std::uint32_t value)
{
    if (!m_connected)
        return;
    QByteArray text = QByteArray::number(value);
    text.append(CommandMnemonics[index]);
    SendString(text);
    m_sentString = text;
    raise(OnSentString);
}

void TMirex_d::setQueryVar(tVAR index)
{
    const QByteArray text(CommandMnemonics[index]);
    SendString(text);
    m_sentString = text;
    raise(OnSentString);
}

void TMirex_d::QueryAll()
{
    SendString(QByteArrayLiteral("#\r\n"));
}

void TMirex_d::SendString(const QByteArray& text)
{
    switch (m_conType) {
    case CON_RS232:
        if (m_serial->isActive())
            m_serial->write(text);
        break;
    case CON_UDP:
        if (m_udp->isActive())
            m_udp->write(text);
        break;
    case CON_TCP:
        if (text.size() > TcpCommandLimit)
            throw ERangeError(QStringLiteral("Range check error: command \"%1\" is longer than %2 characters")
                                  .arg(QString::fromLatin1(text))
                                  .arg(TcpCommandLimit));
        if (m_tcp->isActive())
            m_tcp->write(text);
        break;
    }
}

// ---- Reply parsing -----------------------------------------------------------------------------

void TMirex_d::ParseReplies()
{
    if (m_linkState == lsSearching || m_linkState >= lsConnected)
        RestartLinkTimer(StepMs);

    for (;;) {
        const qsizetype lineEnd = RxBuffer.indexOf("\r\n");
        if (lineEnd < 0) {
            // Noise without a line end can never grow the buffer beyond one partial line.
            if (RxBuffer.size() > PartialLineLimit)
                RxBuffer.remove(0, RxBuffer.size() - PartialLineLimit);
            return;
        }
        const QByteArray line = RxBuffer.left(lineEnd);
        RxBuffer.remove(0, lineEnd + 2);
        parseOneLine(line);
    }
}

bool TMirex_d::parseOneLine(const QByteArray& line)
{
    if (line.isEmpty())
        return false;
    const CandidateTable& table = candidates();
    const auto first = static_cast<unsigned char>(line[0]);
    const char* begin = line.constData();
    const char* end = begin + line.size();
    for (int k = 0; k < table.count[first]; ++k) {
        const int index = table.indices[first][k];
        const int length = table.length[index];
        if (line.size() < length ||
            std::char_traits<char>::compare(begin, ReplyMnemonics[index], length) != 0)
            continue;
        std::int64_t value = 0;
        if (line.size() > length) {
            const tesso::NumberScan scan = tesso::scanNumber(begin + length, end);
            if (scan.value < 0 || scan.value > MaxReplyValue)
                throw ERangeError(rangeMessage(line, scan.value));
            if (!scan.complete)
                continue;
            value = scan.value;
        }
        m_receivedString = line;
        raise(OnRecString);
        applyReply(static_cast<tVAR>(index), value);
        return true;
    }
    return false;
}

void TMirex_d::applyReply(tVAR index, std::int64_t value)
{
    switch (index) {
    case _DEV: {
        const auto code = static_cast<std::uint32_t>(value);
        deviceReplyReceived(code);
        m_mirror[_DEV] = code;
        raise(OnDEVchange);
        if (LastReplyIndex == _DEV || m_rs232busy)
            raise(ONRS232busy);
        break;
    }
    case _IP4:
    case _IP3:
    case _IP2:
    case _IP1:
        storeOctet(index, value);
        LastReplyIndex = index;
        return;
    case _PORT:
        storePort(value);
        LastReplyIndex = index;
        return;
    case _NETMASK:
        if (value >= 31)
            throw ERangeError(QStringLiteral("Range check error: net mask of %1 host bits").arg(value));
        m_netmask = tesso::maskText(static_cast<unsigned>(value));
        break;
    default:
        storeValue(index, value);
        break;
    }
    LastReplyIndex = index;
    raise(changeEvent(index));
}

void TMirex_d::storeValue(tVAR index, std::int64_t value)
{
    switch (tesso::Catalogue[index].storage) {
    case tesso::Storage::BOOL:
        m_mirror[index] = static_cast<std::uint32_t>(value) & 0xFFu;
        break;
    case tesso::Storage::COLOR:
        if (value > MaxSigned32)
            throw ERangeError(QStringLiteral("Range check error: colour value %1").arg(value));
        m_mirror[index] = static_cast<std::uint32_t>(value);
        break;
    default:
        m_mirror[index] = static_cast<std::uint32_t>(value);
        break;
    }
    switch (index) {
    case _PENA:
    case _PRGBI:
    case _PISTD:
    case _PPROC:
    case _REFASP:
        storePerInput(index, m_mirror[index]);
        break;
    default:
        break;
    }
}

void TMirex_d::storePerInput(tVAR index, std::uint32_t value)
{
    const std::uint32_t input = m_mirror[_PCHAN];
    if (input >= static_cast<std::uint32_t>(InputSlots))
        throw ERangeError(QStringLiteral("Range check error: input %1 addressed by PCHAN").arg(input));
    switch (index) {
    case _PENA:
        m_penaByInput[input] = static_cast<std::uint8_t>(value);
        break;
    case _PRGBI:
        m_prgbiByInput[input] = value;
        break;
    case _PISTD:
        m_pistdByInput[input] = value;
        break;
    case _PPROC:
        m_pprocByInput[input] = static_cast<std::uint8_t>(value);
        break;
    default:
        m_refaspByInput[input] = value;
        break;
    }
}

void TMirex_d::storeOctet(tVAR index, std::int64_t value)
{
    if (value > MaxSigned32)
        throw ERangeError(QStringLiteral("Range check error: address octet %1").arg(value));
    const int octet = index - _IP4; // IPA_ is the most significant octet
    const std::uint32_t which = m_mirror[_PADIP];
    for (std::uint32_t entry = 1; entry <= 3; ++entry)
        if (which == 0 || which == entry)
            m_octets[entry][octet] = static_cast<std::int32_t>(value);
    rebuildAddressTexts();
}

void TMirex_d::storePort(std::int64_t value)
{
    if (value > MaxSigned32)
        throw ERangeError(QStringLiteral("Range check error: port %1").arg(value));
    const auto port = static_cast<std::int32_t>(value);
    const std::uint32_t which = m_mirror[_PADIP];
    if (which == 0 || which == 1)
        m_localPort = port;
    if (which == 0 || which == 2)
        m_remotePort = port;
}

void TMirex_d::rebuildAddressTexts()
{
    m_localIp = octetsText(m_octets[1]);
    m_remoteIp = octetsText(m_octets[2]);
    m_gatewayIp = octetsText(m_octets[3]);
}

// ---- Link state machine ------------------------------------------------------------------------

void TMirex_d::deviceReplyReceived(std::uint32_t code)
{
    if (!isAcceptedDeviceCode(code)) {
        setLinkState(lsReset);
        RestartLinkTimer(ImmediateMs);
    } else if (m_linkState == lsSearching) {
        setLinkState(lsFound);
        RestartLinkTimer(ImmediateMs);
    } else if (m_linkState == lsAwaitingReply) {
        setLinkState(lsIdle);
    }
}

void TMirex_d::RestartLinkTimer(int milliseconds)
{
    m_timer->restart(milliseconds);
}

void TMirex_d::LinkTimerTick()
{
    if (m_tcpReopenDue) {
        m_tcpReopenDue = false;
        if (m_conType == CON_TCP)
            OpenTcp();
    }
    switch (m_linkState) {
    case lsReset:
        if (m_forceConn) {
            setLinkState(lsFound);
            RestartLinkTimer(ImmediateMs);
        } else {
            m_ready = false;
            m_connected = false;
            m_mirror[_DEV] = 0;
            raise(OnReady);
            raise(OnConnected);
            raise(OnDEVchange);
            setLinkState(lsSearching);
            RestartLinkTimer(StepMs);
        }
        break;
    case lsSearching:
        setQueryVar(_DEV);
        RestartLinkTimer(StepMs);
        break;
    case lsFound:
        m_connected = true;
        raise(OnConnected);
        setLinkState(lsConnected);
        RestartLinkTimer(StepMs);
        break;
    case lsConnected:
        if (m_conMode == MODE_VAR)
            QueryAll();
        setLinkState(lsLoading);
        RestartLinkTimer(StepMs);
        break;
    case lsLoading:
        m_ready = true;
        raise(OnReady);
        setLinkState(lsIdle);
        RestartLinkTimer(ImmediateMs);
        break;
    case lsIdle:
        if (!m_forceConn)
            setQueryVar(_DEV);
        setLinkState(lsAwaitingReply);
        RestartLinkTimer(StepMs);
        break;
    case lsAwaitingReply:
        setLinkState(m_forceConn ? lsIdle : lsReset);
        RestartLinkTimer(ImmediateMs);
        break;
    default:
        setLinkState(lsReset);
        break;
    }
}

void TMirex_d::setForceConn(bool force)
{
    if (force == m_forceConn)
        return;
    m_forceConn = force;
    if (force) {
        setLinkState(lsFound);
        RestartLinkTimer(ImmediateMs);
    } else {
        RestartLinkTimer(ImmediateMs);
        setLinkState(lsReset);
    }
}

void TMirex_d::setQuobb_s_plug_and_play(bool restart)
{
    if (restart)
        setLinkState(lsReset);
}

// ---- Links -------------------------------------------------------------------------------------

void TMirex_d::OpenUdp()
{
    if (m_udp->isActive())
        return;
    setLinkState(lsReset);
    if (!m_udp->open())
        m_udp->close();
}

void TMirex_d::CloseUdp()
{
    setLinkState(lsReset);
    if (m_udp->isActive())
        m_udp->close();
}

void TMirex_d::OpenTcp()
{
    if (m_tcp->isActive() || m_tcpConnectPending)
        return;
    m_tcpConnectPending = true;
    setLinkState(lsReset);
    if (!m_tcp->open()) {
        m_tcpConnectPending = false;
        m_tcp->close();
    }
}

void TMirex_d::CloseTcp()
{
    m_tcpConnectPending = false;
    setLinkState(lsReset);
    m_tcp->close();
}

void TMirex_d::TcpConnected()
{
    m_tcpConnectPending = false;
    m_tcpFailuresInARow = 0;
}

void TMirex_d::TcpSocketError(const QString& /*message*/)
{
    CloseTcp();
    if (m_conType != CON_TCP)
        return;
    // The first failure reconnects at once; a peer that keeps refusing is retried once per
    // link-timer step, so a dead address never turns into a busy loop.
    if (m_tcpFailuresInARow++ == 0)
        OpenTcp();
    else
        m_tcpReopenDue = true;
}

void TMirex_d::openSerial()
{
    m_serial->open();
}

void TMirex_d::closeCurrentLink()
{
    switch (m_conType) {
    case CON_RS232:
        m_serial->close();
        break;
    case CON_UDP:
        CloseUdp();
        break;
    case CON_TCP:
        CloseTcp();
        break;
    }
}

void TMirex_d::openCurrentLink()
{
    switch (m_conType) {
    case CON_RS232:
        openSerial();
        break;
    case CON_UDP:
        OpenUdp();
        break;
    case CON_TCP:
        m_tcpFailuresInARow = 0;
        m_tcpReopenDue = false;
        OpenTcp();
        break;
    }
}

void TMirex_d::setConType(tConnectionType type)
{
    if (type != m_conType) {
        setLinkState(lsReset);
        closeCurrentLink();
        m_conType = type;
        try {
            openCurrentLink();
        } catch (...) {
            raise(OnConTypechange);
            throw;
        }
    }
    raise(OnConTypechange);
}

void TMirex_d::setPort(const QString& name)
{
    try {
        if (m_serial->isActive())
            m_serial->close();
        m_port = name;
        m_serial->setPortName(name);
        if (!name.isEmpty() && m_conType == CON_RS232)
            openSerial();
    } catch (...) {
        // A port that cannot be opened leaves no name behind; the caller sees Port() empty.
        m_port.clear();
        m_serial->setPortName(QString());
    }
}

void TMirex_d::setIpLocalPort(int port)
{
    const bool unchangedWhileActive = port == m_ipLocalPort && m_udp->isActive() && m_tcp->isActive();
    if (!unchangedWhileActive) {
        if (m_conType == CON_UDP)
            CloseUdp();
        m_udp->setLocalPort(port);
        if (m_conType == CON_UDP)
            OpenUdp();
    }
    m_ipLocalPort = port;
    raise(OnIpLocalPortchange);
}

void TMirex_d::setIpRemotePort(int port)
{
    if (port != m_ipRemotePort)
        moveRemote(m_ipRemoteAddress, port);
    raise(OnIpRemotePortchange);
}

void TMirex_d::setIpRemoteAddress(const QString& address)
{
    if (address != m_ipRemoteAddress)
        moveRemote(address, m_ipRemotePort);
    raise(OnIpRemoteAddresschange);
}

// A new device address or port restarts the active network link towards it.
void TMirex_d::moveRemote(const QString& address, int port)
{
    if (m_conType == CON_UDP)
        CloseUdp();
    if (m_conType == CON_TCP)
        CloseTcp();
    m_udp->setRemote(address, port);
    m_tcp->setRemote(address, port);
    m_ipRemoteAddress = address;
    m_ipRemotePort = port;
    if (m_conType == CON_UDP)
        OpenUdp();
    if (m_conType == CON_TCP)
        openCurrentLink();
}

// ---- Receiving ---------------------------------------------------------------------------------

void TMirex_d::SerialDataReceived(const QByteArray& data)
{
    if (m_conType != CON_RS232)
        return;
    RxBuffer.append(data);
    if (m_conMode == MODE_VAR)
        ParseReplies();
    else
        raise(OnRecData);
}

namespace
{
QByteArray upToFirstNul(const QByteArray& data)
{
    const QByteArray limited = data.left(SocketReadLimit);
    const qsizetype nul = limited.indexOf('\0');
    return nul < 0 ? limited : limited.left(nul);
}
} // namespace

void TMirex_d::UdpDataReceived(const QByteArray& datagram, const QString& peerAddress, int peerPort)
{
    if (m_conType != CON_UDP || peerAddress != m_ipRemoteAddress || peerPort != m_ipRemotePort)
        return;
    RxBuffer.append(upToFirstNul(datagram));
    ParseReplies();
}

void TMirex_d::TcpDataReceived(const QByteArray& data)
{
    if (m_conType != CON_TCP || data.isEmpty())
        return;
    RxBuffer.append(upToFirstNul(data));
    ParseReplies();
}

// ---- Raw mode ----------------------------------------------------------------------------------

QByteArray TMirex_d::ReadRawData()
{
    if (m_conMode != MODE_RAW)
        return {};
    QByteArray data;
    data.swap(RxBuffer);
    return data;
}

void TMirex_d::ClosePort()
{
    m_serial->close();
}

void TMirex_d::setSerialBaud(std::int32_t baud)
{
    if (baud < 0)
        throw ERangeError(QStringLiteral("Range check error: baud rate %1").arg(baud));
    m_serial->setBaud(static_cast<std::uint32_t>(baud));
}

void TMirex_d::setSerialRawReceive(bool raw)
{
    m_serial->setRawReceive(raw);
}
