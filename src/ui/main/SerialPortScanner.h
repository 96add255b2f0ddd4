#pragma once
// The serial ports present on this computer, for the serial-port menu and the first-run question.
// Each port is named by its stable udev link (/dev/serial/by-id/...) when one points at it, so
// that a choice survives replugging the adapter into another socket; else by the system's device
// path. Ports reported by Qt come with their description, maker and serial number; a by-id link
// whose device Qt does not report (an unusual driver) is listed too, without them.
//
// The list is scanned when asked (rescan) and again, a moment after the device folders change,
// once it has been scanned: plugging an adapter in or out adds or removes its device node and its
// by-id link, so nothing polls while nobody looks.

#include <QList>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace tesso
{

class SerialPortScanner : public QObject
{
    Q_OBJECT

  public:
    struct Port {
        QString path;           // what is opened and remembered: the by-id link, else the device
        QString systemLocation; // the device node, e.g. /dev/ttyUSB0
        QString description;
        QString manufacturer;
        QString serialNumber;

        // The path, then what is known of the adapter in brackets; caption() is the same for a
        // menu (an "&" doubled).
        QString text() const;
        QString caption() const;
        bool operator==(const Port& other) const;
    };

    // Where udev puts the stable names.
    static QString systemByIdDirectory();

    explicit SerialPortScanner(QObject* parent = nullptr);
    ~SerialPortScanner() override;

    // byIdDirectory: the folder of stable names; systemPorts: whether Qt's list of the computer's
    // ports is read too (tests turn it off to see only their pseudo-terminals).
    void setSources(const QString& byIdDirectory, bool systemPorts);
    QString byIdDirectory() const { return m_byIdDirectory; }

    // Reads the ports now; portsChanged() follows when the list differs from the last one.
    void rescan();
    const QList<Port>& ports() const { return m_ports; }
    bool scanned() const { return m_scanned; }

  signals:
    void portsChanged();

  private:
    QList<Port> scan() const;
    void watch();

    QString m_byIdDirectory;
    bool m_systemPorts = true;
    QList<Port> m_ports;
    bool m_scanned = false;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_settle = nullptr; // udev makes the by-id link a moment after the device node
};

} // namespace tesso
