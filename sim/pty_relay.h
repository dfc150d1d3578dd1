#pragma once
// The serial line between the console and the instrument's Modbus server. The server needs a
// device path, so it opens the slave of an inner pseudo-terminal pair; the console's side is the
// slave of an outer pair (linked at the --pty path) or a real serial port. The relay carries the
// bytes between the two and is where pacing and the wire faults (lost answers, broken CRC, delay)
// happen.

#include "fault_plan.h"
#include "line_timing.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace sim {

// A pseudo-terminal pair in raw mode. The slave stays open here as well, so the master never
// sees a hang-up when the program on the slave closes it.
class PtyPair {
public:
    static std::unique_ptr<PtyPair> open(QString* error);
    ~PtyPair();
    int master() const { return masterFd; }
    QString slavePath() const { return path; }

private:
    int masterFd = -1;
    int slaveFd = -1;
    QString path;
};

// One end of the line: bytes out, bytes in.
class LineEnd : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void send(const QByteArray& bytes) = 0;
signals:
    void received(const QByteArray& bytes);
};

class PtyEnd final : public LineEnd {
    Q_OBJECT
public:
    PtyEnd(int masterFd, QObject* parent = nullptr);

    void send(const QByteArray& bytes) override;

private:
    void readable();
    void writable();

    int fd;
    QSocketNotifier readNotifier;
    QSocketNotifier writeNotifier;
    QByteArray unsent;
    QTimer rest; // after a read error, listen again later instead of spinning
};

class SerialEnd final : public LineEnd {
    Q_OBJECT
public:
    explicit SerialEnd(QObject* parent = nullptr);
    bool open(const QString& device, int baud, QSerialPort::Parity parity, QString* error);
    void send(const QByteArray& bytes) override;

private:
    QSerialPort port;
};

class Relay final : public QObject {
    Q_OBJECT
public:
    // extraDelayMs: milliseconds every answer waits on purpose (fault delay plus the
    // instrument's own response delay), asked for each answer.
    Relay(LineEnd* console, LineEnd* server, PacedLine line, FaultPlan& faults,
          std::function<int()> extraDelayMs, QObject* parent = nullptr);

private:
    struct Delivery {
        qint64 dueNs;
        quint64 order;
        bool toServer;
        QByteArray bytes;
    };
    void fromConsole(const QByteArray& bytes);
    void fromServer(const QByteArray& bytes);
    void takeAnswers(bool flushAll);
    void schedule(double due, bool toServer, const QByteArray& bytes);
    void deliverDue();
    double now() const { return clock.nsecsElapsed() / 1e9; }

    LineEnd* consoleEnd;
    LineEnd* serverEnd;
    PacedLine line;
    FaultPlan& faults;
    std::function<int()> extraDelay;
    QElapsedTimer clock;
    QByteArray answerBuffer;
    QTimer answerFlush; // an answer of unknown length is taken after a quiet spell
    QTimer deliveryTimer;
    std::vector<Delivery> pending;
    quint64 nextOrder = 0;
};

} // namespace sim
