#include "SerialPortScanner.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QSerialPortInfo>
#include <QStringList>
#include <QTimer>

#include "TextFormat.h"

namespace tesso
{

namespace
{

constexpr int SettleMs = 400;

QString devicesDirectory()
{
    return QStringLiteral("/dev");
}

} // namespace

QString SerialPortScanner::Port::text() const
{
    QStringList known;
    for (const QString& part : {description, manufacturer})
        if (!part.isEmpty() && !known.contains(part))
            known << part;
    if (!serialNumber.isEmpty())
        known << QStringLiteral("S/N ") + serialNumber;
    QString text = path;
    if (!known.isEmpty())
        text += QStringLiteral("  (") + known.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

QString SerialPortScanner::Port::caption() const
{
    return TextFormat::AsCaption(text());
}

bool SerialPortScanner::Port::operator==(const Port& other) const
{
    return path == other.path && systemLocation == other.systemLocation && description == other.description &&
           manufacturer == other.manufacturer && serialNumber == other.serialNumber;
}

QString SerialPortScanner::systemByIdDirectory()
{
    return QStringLiteral("/dev/serial/by-id");
}

SerialPortScanner::SerialPortScanner(QObject* parent)
    : QObject(parent), m_byIdDirectory(systemByIdDirectory()), m_settle(new QTimer(this))
{
    setObjectName(QStringLiteral("SerialPortScanner"));
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    connect(m_settle, &QTimer::timeout, this, &SerialPortScanner::rescan);
}

SerialPortScanner::~SerialPortScanner() = default;

void SerialPortScanner::setSources(const QString& byIdDirectory, bool systemPorts)
{
    m_byIdDirectory = byIdDirectory;
    m_systemPorts = systemPorts;
    delete m_watcher; // it watches the old folders
    m_watcher = nullptr;
    if (m_scanned)
        rescan();
}

void SerialPortScanner::rescan()
{
    QList<Port> ports = scan();
    const bool first = !m_scanned;
    m_scanned = true;
    watch();
    if (first || ports != m_ports) {
        m_ports = std::move(ports);
        emit portsChanged();
    }
}

QList<SerialPortScanner::Port> SerialPortScanner::scan() const
{
    // Device node -> its stable name; the first name in order when several point at one device.
    QHash<QString, QString> byId;
    const QDir dir(m_byIdDirectory);
    const QFileInfoList links =
        dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        if (!link.isSymLink())
            continue;
        const QString device = link.canonicalFilePath(); // empty when the link is dangling
        if (!device.isEmpty() && !byId.contains(device))
            byId.insert(device, link.absoluteFilePath());
    }

    QList<Port> ports;
    if (m_systemPorts) {
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
            Port port;
            port.systemLocation = info.systemLocation();
            const QString device = QFileInfo(port.systemLocation).canonicalFilePath();
            port.path = byId.value(device, port.systemLocation);
            byId.remove(device);
            port.description = info.description();
            port.manufacturer = info.manufacturer();
            if (!info.serialNumber().isEmpty())
                port.serialNumber = info.serialNumber();
            ports << port;
        }
    }
    for (auto it = byId.cbegin(); it != byId.cend(); ++it)
        ports << Port{it.value(), it.key(), {}, {}, {}};
    std::sort(ports.begin(), ports.end(), [](const Port& a, const Port& b) { return a.path < b.path; });
    return ports;
}

void SerialPortScanner::watch()
{
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle, qOverload<>(&QTimer::start));
    }
    // The by-id folder comes and goes with the first and last adapter: its parent tells.
    QStringList folders{m_byIdDirectory, QFileInfo(m_byIdDirectory).absolutePath()};
    if (m_systemPorts)
        folders << devicesDirectory();
    const QStringList watched = m_watcher->directories();
    for (const QString& folder : folders)
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
}

} // namespace tesso
