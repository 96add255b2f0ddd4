#pragma once
// The two kinds of settings file: the connection settings ("<title>.ini", section "CONNEXION",
// and section "Hub" for sharing the device with other programs) and one input-label file per
// model ("<model>.ini", section named after the model). Both are rewritten whole when their
// content changes, in the encoding and line ends they were read with (a file made on Windows stays
// in its code page). Files live beside the program, or in the user's configuration folder when
// the program's folder cannot be written.
//
// A file too large to be ours is read only in part and is then never written over, so that
// nothing it holds beyond the part read is lost.

#include <QSet>
#include <QString>
#include <QStringList>

#include "HubOptions.h"
#include "LanDefaults.h"

namespace tesso
{

struct ConnectionValues {
    int Port = -1; // -1: no setting yet (first run)
    QString RemoteIp;
    int RemotePort = tesso::lan::DefaultPort;
    int LocalPort = tesso::lan::DefaultPort;
    int IpEnable = 0;
    // The model last identified on this link, kept by profiles only (empty: not written).
    QString LastModel;
    // The serial device chosen by its path, e.g. /dev/serial/by-id/usb-...; it rather than the COM
    // item of Port is opened on a serial link (empty: the COM item, and not written).
    QString SerialDevice;

    // The COM item the window opens for Port: 1..16 (COM1 for a number outside them), 0 when no
    // port was ever chosen.
    int comNumber() const { return Port < 0 ? 0 : (Port <= 15 ? Port + 1 : 1); }
};

// The choice made in "Share device...", as typed: it is checked when the hub starts.
struct HubValues {
    bool Enabled = false;
    QString Address = QHostAddress(QHostAddress::LocalHost).toString();
    int Port = HubOptions::DefaultPort;
    QString Allowed; // comma-separated client addresses

    bool operator==(const HubValues& other) const
    {
        return Enabled == other.Enabled && Address == other.Address && Port == other.Port &&
               Allowed == other.Allowed;
    }
};

struct InputLabels {
    QString Black;
    QStringList Inputs; // input k at index k-1
    QStringList Audios;
};

class ConnectionSettings
{
  public:
    // directory: where the files are; applicationTitle names the connection settings file.
    ConnectionSettings(QString directory, QString applicationTitle);

    // The program's folder when it is writable, else the user's configuration folder (created).
    static QString DefaultDirectory();

    QString Directory() const { return m_directory; }
    QString ConnectionFileName() const;
    QString LabelFileName(const QString& modelName) const;

    // Missing file or keys give the defaults (Port -1 marks a first run). A port outside
    // 1..65535 or an address that does not read as one gives its default; the address comes back
    // in plain decimal form.
    ConnectionValues ReadConnection() const;
    // Rewrites the "CONNEXION" section; the "Hub" section and the keyboard choice are kept as the
    // file holds them.
    bool WriteConnection(const ConnectionValues& values) const;

    // Missing file or keys: off, on 127.0.0.1 and the hub's default port; a port outside 1..65535
    // gives the default port.
    HubValues ReadHub() const;
    // Rewrites the "Hub" section and keeps the rest of the file.
    bool WriteHub(const HubValues& values) const;

    // Controls > "Keyboard show control"; off when the file or the key is missing.
    bool ReadShowShortcuts() const;
    // Rewrites that one key and keeps the rest of the file.
    bool WriteShowShortcuts(bool on) const;

    // Missing file or keys give the model's defaults. A file that exists but cannot be read gives
    // false, so that the caller can fall back to the generic labels.
    bool ReadLabels(const QString& modelName, const InputLabels& defaults, InputLabels& labels) const;
    bool WriteLabels(const QString& modelName, const InputLabels& labels) const;

  private:
    bool mayWrite(const QString& fileName) const { return !m_readInPart.contains(fileName); }

    QString m_directory; // with a trailing separator
    QString m_title;
    mutable QSet<QString> m_readInPart;
};

} // namespace tesso
