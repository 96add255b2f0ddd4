#pragma once
// A new pseudo-terminal: the device sits on the master side; controllers open the slave path as
// if it were a serial port. The simulator keeps its own slave descriptor open, so that the
// terminal outlives controllers that open and close it, and so that it can read the line settings
// a controller made. With the line rate on, what crosses the terminal is paced to the baud rates
// the controller set, as a UART would pace it.

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <memory>
#include <optional>

#include "LinePacer.h"
#include "SimLink.h"

namespace tesso::sim
{

class SimPtyLink : public SimLink
{
    Q_OBJECT
  public:
    explicit SimPtyLink(QObject* parent = nullptr);
    ~SimPtyLink() override;

    bool open(QString* error = nullptr);
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    // A symbolic link to the slave (an existing symbolic link of that name is replaced; any other
    // file is left alone and the call fails). Removed again when the link closes.
    bool createSymlink(const QString& path, QString* error = nullptr);
    void close();

    // Takes in and sends no faster than the terminal's baud rates (8N1: 10 bits a byte); off by
    // default. Bytes already on their way keep the rate they started with.
    void setLineRate(bool on);
    bool lineRate() const { return m_lineRate; }
    // The baud rate the controller set on the terminal (one for both directions, as Linux keeps
    // it); 0 when the terminal is closed or the speed is not a standard one.
    int baudRate() const;

    void write(const QByteArray& bytes) override;
    QString describe() const override;
    // Bytes written that the terminal's reader has not taken yet.
    qsizetype pendingBytes() const { return m_pending.size(); }

  private:
    void readMaster();
    void queueForMaster(const QByteArray& bytes);
    void writePending();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_symlink;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    bool m_lineRate = false;
    std::unique_ptr<LinePacer> m_incoming;
    std::unique_ptr<LinePacer> m_outgoing;
    // While the device takes in paced bytes: when they were through the line.
    std::optional<qint64> m_answering;
};

} // namespace tesso::sim
