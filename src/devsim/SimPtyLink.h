#pragma once
// A new pseudo-terminal: the device sits on the master side; controllers open the slave path as
// if it were a serial port. The simulator keeps its own slave descriptor open, so that the
// terminal outlives controllers that open and close it.

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <memory>

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

    void write(const QByteArray& bytes) override;
    QString describe() const override;

  private:
    void readMaster();
    void writePending();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_symlink;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
};

} // namespace tesso::sim
