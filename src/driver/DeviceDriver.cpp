#include "DeviceDriver.h"

#include <QMetaObject>

#include "ErrorReport.h"
#include "Errors.h"
#include "IpText.h"

namespace tesso
{

DeviceDriver::DeviceDriver(QObject* parent) : DeviceDriver(makeDefaultLinks(), parent) {}

DeviceDriver::DeviceDriver(DriverLinks links, QObject* parent)
    : QObject(parent), m_state(std::move(links.timer)), m_link(links)
{
    connect(&m_state, &LinkStateMachine::stepStarting, &m_link, &ActiveLink::retryDue);
    connect(&m_state, &LinkStateMachine::deviceQueryDue, this, [this] { queryVariable(_DEV); });
    connect(&m_state, &LinkStateMachine::queryAllDue, this, [this] {
        if (m_mode == LinkMode::Variables)
            queryAll();
    });
    connect(&m_state, &LinkStateMachine::declaredAbsent, this, &DeviceDriver::declareAbsent);
    connect(&m_state, &LinkStateMachine::declaredConnected, this, [this] { emit connectedChanged(true); });
    connect(&m_state, &LinkStateMachine::declaredReady, this, [this] { emit readyChanged(true); });
    connect(&m_link, &ActiveLink::restarted, this, [this] { m_state.reset(); });
    connect(&m_link, &ActiveLink::received, this, &DeviceDriver::received);
    connect(&m_link, &ActiveLink::failed, this, &DeviceDriver::linkFailed);
}

DeviceDriver::~DeviceDriver() = default;

void DeviceDriver::setVariable(tVAR index, std::uint32_t value)
{
    switch (index) {
#define TESSO_SET_CASE_U32(prop, tvar)                                                                       \
    case tvar:                                                                                               \
        set##prop(value);                                                                                    \
        return;
#define TESSO_SET_CASE_BOOL(prop, tvar)                                                                      \
    case tvar:                                                                                               \
        set##prop(value != 0);                                                                               \
        return;
#define TESSO_SET_CASE_COLOR(prop, tvar)                                                                     \
    case tvar:                                                                                               \
        set##prop(static_cast<std::int32_t>(value));                                                         \
        return;
#define TESSO_SET_CASE_RW(prop, tvar, type) TESSO_SET_CASE_##type(prop, tvar)
#define TESSO_SET_CASE_NONE(prop, tvar, type)
#define TESSO_SET_CASE(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi)                  \
    TESSO_SET_CASE_##access(prop, tvar, type)
#define TESSO_SET_CASE_RO TESSO_SET_CASE_NONE
#define TESSO_SET_CASE_FIELD TESSO_SET_CASE_NONE
#define TESSO_SET_CASE_MASK TESSO_SET_CASE_NONE
        TESSO_VARIABLES(TESSO_SET_CASE)
#undef TESSO_SET_CASE_MASK
#undef TESSO_SET_CASE_FIELD
#undef TESSO_SET_CASE_RO
#undef TESSO_SET_CASE
#undef TESSO_SET_CASE_NONE
#undef TESSO_SET_CASE_RW
#undef TESSO_SET_CASE_COLOR
#undef TESSO_SET_CASE_BOOL
#undef TESSO_SET_CASE_U32
    default:
        return;
    }
}

// ---- Addresses ---------------------------------------------------------------------------------

void DeviceDriver::sendAddress(int which, const QString& text)
{
    const auto o = tesso::parseIpText(text);
    if (!o)
        return;
    sendVariable(_PADIP, static_cast<std::uint32_t>(which));
    for (std::size_t k = 0; k < 4; ++k)
        sendVariable(tesso::AddressVariables[k], static_cast<std::uint32_t>((*o)[k]));
}

void DeviceDriver::sendPort(int which, std::int32_t port)
{
    sendVariable(_PADIP, static_cast<std::uint32_t>(which));
    if (port < 0)
        throw ERangeError(QStringLiteral("Range check error: port %1").arg(port));
    sendVariable(_PORT, static_cast<std::uint32_t>(port));
}

void DeviceDriver::setNETMASK(const QString& text)
{
    if (const auto octets = tesso::parseIpText(text))
        sendVariable(_NETMASK, tesso::hostBitsOfMask(*octets));
}

void DeviceDriver::sendSigned(tVAR index, std::int32_t value)
{
    if (value < 0)
        throw ERangeError(QStringLiteral("Range check error: %1 cannot be %2")
                              .arg(QLatin1String(tesso::Catalogue[static_cast<std::size_t>(index)].property))
                              .arg(value));
    sendVariable(index, static_cast<std::uint32_t>(value));
}

// ---- Sending -----------------------------------------------------------------------------------

void DeviceDriver::sendVariable(tVAR index, std::uint32_t value)
{
    if (!isConnected() || m_mode == LinkMode::Raw)
        return;
    QByteArray text = QByteArray::number(value);
    text.append(CommandMnemonics[static_cast<std::size_t>(index)]);
    sendText(text);
    emit lineSent(text);
}

void DeviceDriver::queryVariable(tVAR index)
{
    if (m_mode == LinkMode::Raw)
        return;
    const QByteArray text(CommandMnemonics[static_cast<std::size_t>(index)]);
    sendText(text);
    emit lineSent(text);
}

void DeviceDriver::queryAll()
{
    sendText(QByteArrayLiteral("#\r\n"));
}

void DeviceDriver::sendText(const QByteArray& text)
{
    if (m_mode == LinkMode::Raw)
        return;
    m_link.write(text);
}

bool DeviceDriver::sendCommand(const QByteArray& command)
{
    if (!isConnected() || m_mode == LinkMode::Raw)
        return false;
    m_link.write(command);
    emit lineSent(command);
    return true;
}

void DeviceDriver::sendRaw(const QByteArray& bytes)
{
    m_link.write(bytes);
}

void DeviceDriver::setLinkMode(LinkMode mode)
{
    if (m_mode == LinkMode::Raw && mode == LinkMode::Variables)
        m_parser.buffer().clear();
    m_mode = mode;
}

// ---- Receiving ---------------------------------------------------------------------------------

void DeviceDriver::received(LinkType from, const QByteArray& bytes)
{
    m_parser.append(bytes);
    // Serial data in raw mode belong to the frame transfer; network data are always parsed.
    if (from == LinkType::Serial && m_mode == LinkMode::Raw)
        emit rawDataArrived();
    else
        parseReplies();
}

void DeviceDriver::parseReplies()
{
    m_state.dataArrived();
    parseBuffer();
}

void DeviceDriver::parseBuffer()
{
    try {
        while (const std::optional<ReplyLine> reply = m_parser.next())
            applyReply(*reply);
    } catch (const TessoError&) {
        // The error goes to whoever delivered the data; the lines after the faulty one must not
        // wait for more data to arrive, which may never come.
        if (!m_continuationDue) {
            m_continuationDue = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_continuationDue = false;
                    if (m_mode == LinkMode::Variables ||
                        linkType() != LinkType::Serial) // raw data are the transfer's
                        tesso::guarded([this] { parseBuffer(); });
                },
                Qt::QueuedConnection);
        }
        throw;
    }
}

// The order of a reply's signals: the line received, the value stored, the variable reported,
// then the reply applied. DEV is reported once before the busy check and once more after it, as
// listeners have always heard it. Octets and ports are reported by no variableReported.
void DeviceDriver::applyReply(const ReplyLine& reply)
{
    const tVAR index = reply.index;
    emit lineReceived(reply.text);
    if (index == _DEV) {
        m_state.deviceAnswered(reply.value);
        m_mirror.store(_DEV, reply.value);
        emit variableReported(_DEV, m_mirror.value(_DEV));
        if (m_lastReplyIndex == _DEV)
            emit busy();
    } else {
        m_mirror.store(index, reply.value);
    }
    m_lastReplyIndex = index;
    if (tesso::Catalogue[static_cast<std::size_t>(index)].scope != tesso::Scope::ADDRESS)
        emit variableReported(index, m_mirror.value(index));
    emit replyApplied(index, reply.text);
}

void DeviceDriver::declareAbsent()
{
    m_mirror.setField(_DEV, 0);
    emit readyChanged(false);
    emit connectedChanged(false);
    emit variableReported(_DEV, 0);
}

// ---- Connection settings -----------------------------------------------------------------------

void DeviceDriver::setLinkType(LinkType type)
{
    try {
        m_link.setType(type);
    } catch (...) {
        emit connectionSettingChanged(ConnectionSetting::Type);
        throw;
    }
    emit connectionSettingChanged(ConnectionSetting::Type);
}

void DeviceDriver::setSerialPort(const QString& name)
{
    // A port that cannot be opened leaves no name behind; the caller sees serialPort() empty.
    m_port = m_link.setPortName(name) ? name : QString();
}

void DeviceDriver::setIpLocalPort(int port)
{
    m_link.setLocalPort(port);
    emit connectionSettingChanged(ConnectionSetting::LocalPort);
}

void DeviceDriver::setIpRemotePort(int port)
{
    m_link.setRemote(ipRemoteAddress(), port);
    emit connectionSettingChanged(ConnectionSetting::RemotePort);
}

void DeviceDriver::setIpRemoteAddress(const QString& address)
{
    // Plain decimal, so that the sender check of UDP replies and the socket read it alike.
    m_link.setRemote(tesso::canonicalOrAsTyped(address), ipRemotePort());
    emit connectionSettingChanged(ConnectionSetting::RemoteAddress);
}

// ---- Raw mode ----------------------------------------------------------------------------------

QByteArray DeviceDriver::takeRawData()
{
    if (m_mode != LinkMode::Raw)
        return {};
    QByteArray data;
    data.swap(m_parser.buffer());
    return data;
}

void DeviceDriver::closeSerialPort()
{
    m_link.closeSerial();
}

void DeviceDriver::setSerialBaud(std::int32_t baud)
{
    if (baud < 0)
        throw ERangeError(QStringLiteral("Range check error: baud rate %1").arg(baud));
    m_link.setSerialBaud(static_cast<std::uint32_t>(baud));
}

} // namespace tesso
