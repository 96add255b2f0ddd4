#pragma once
// A hand-written sender of the raw frame protocol, written from the protocol alone (not from the
// application's transfer thread): it asks for frame mode, waits for the ready signal, sends
// escaped blocks of at most 70 pixels with ESC ETB, ends each line with ESC CR and the picture with
// ESC EOT, each acknowledged by ESC ACK. It can also misbehave on purpose.

#include <QByteArray>
#include <QImage>
#include <QObject>

#include "SimDevice.h"

using namespace tesso;

namespace tesso::sim::test
{

class TestFrameSender : public QObject
{
    Q_OBJECT
  public:
    enum class Outcome { Running, Done, DeviceAborted, Cancelled };

    TestFrameSender(SimDevice& device, QImage picture);

    void start();

    // Misbehaviour: send blocks without waiting for the ready signal after a hold.
    bool ignoreHold = false;
    // End with ESC EOT after this many lines (-1: the whole picture).
    int endAfterLines = -1;
    // Send ESC CAN after this many acknowledged blocks (-1: never).
    int cancelAfterBlocks = -1;

    Outcome outcome = Outcome::Running;
    bool sawFrameReply = false; // "FAEX1" arrived before the ready signal
    int readySignals = 0;       // ESC DC1
    int holdSignals = 0;        // ESC DC3
    int blocksSent = 0;
    int acks = 0;

  private:
    void onBytes(const QByteArray& bytes);
    void onControl(char code);
    void next();
    void sendBlock();
    void send(const QByteArray& bytes);

    SimDevice& m_device;
    QImage m_picture;
    QByteArray m_text;
    bool m_raw = false;
    bool m_escaped = false;
    bool m_ready = false;
    bool m_waitingAck = false;
    bool m_ending = false;
    int m_column = 0;
    int m_line = 0;
};

} // namespace tesso::sim::test
