#include "pty_relay.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

std::unique_ptr<PtyPair> PtyPair::open(QString* error) {
    int m = -1;
    int s = -1;
    if (::openpty(&m, &s, nullptr, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty: %1").arg(qt_error_string(errno));
        return nullptr;
    }
    termios raw{};
    if (::tcgetattr(s, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(s, TCSANOW, &raw);
    }
    ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
    ::fcntl(m, F_SETFD, FD_CLOEXEC);
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
    auto pair = std::unique_ptr<PtyPair>(new PtyPair);
    pair->masterFd = m;
    pair->slaveFd = s;
    pair->path = QString::fromLocal8Bit(::ttyname(s));
    return pair;
}

PtyPair::~PtyPair() {
    if (masterFd >= 0)
        ::close(masterFd);
    if (slaveFd >= 0)
        ::close(slaveFd);
}

PtyEnd::PtyEnd(int masterFd, QObject* parent)
    : LineEnd(parent), fd(masterFd), readNotifier(masterFd, QSocketNotifier::Read),
      writeNotifier(masterFd, QSocketNotifier::Write) {
    writeNotifier.setEnabled(false);
    rest.setSingleShot(true);
    rest.setInterval(100);
    connect(&readNotifier, &QSocketNotifier::activated, this, &PtyEnd::readable);
    connect(&writeNotifier, &QSocketNotifier::activated, this, &PtyEnd::writable);
    connect(&rest, &QTimer::timeout, this, [this] { readNotifier.setEnabled(true); });
}

void PtyEnd::readable() {
    QByteArray got;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            got.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            readNotifier.setEnabled(false);
            rest.start();
        }
        break;
    }
    if (!got.isEmpty())
        emit received(got);
}

void PtyEnd::send(const QByteArray& bytes) {
    unsent += bytes;
    writable();
}

void PtyEnd::writable() {
    while (!unsent.isEmpty()) {
        const ssize_t n = ::write(fd, unsent.constData(), size_t(unsent.size()));
        if (n > 0) {
            unsent.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (or the far side is gone): try again when writable
    }
    writeNotifier.setEnabled(!unsent.isEmpty());
}

SerialEnd::SerialEnd(QObject* parent) : LineEnd(parent) {
    connect(&port, &QSerialPort::readyRead, this, [this] { emit received(port.readAll()); });
}

bool SerialEnd::open(const QString& device, int baud, QSerialPort::Parity parity, QString* error) {
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite) || !port.setBaudRate(baud) ||
        !port.setDataBits(QSerialPort::Data8) || !port.setParity(parity) ||
        !port.setStopBits(QSerialPort::OneStop) ||
        !port.setFlowControl(QSerialPort::NoFlowControl)) {
        *error = QStringLiteral("%1: %2").arg(device, port.errorString());
        port.close();
        return false;
    }
    return true;
}

void SerialEnd::send(const QByteArray& bytes) {
    port.write(bytes);
}

Relay::Relay(LineEnd* console, LineEnd* server, PacedLine pacedLine, FaultPlan& faultPlan,
             std::function<int()> extraDelayMs, QObject* parent)
    : QObject(parent), consoleEnd(console), serverEnd(server), line(pacedLine), faults(faultPlan),
      extraDelay(std::move(extraDelayMs)) {
    clock.start();
    answerFlush.setSingleShot(true);
    answerFlush.setInterval(20);
    deliveryTimer.setSingleShot(true);
    deliveryTimer.setTimerType(Qt::PreciseTimer);
    connect(console, &LineEnd::received, this, &Relay::fromConsole);
    connect(server, &LineEnd::received, this, &Relay::fromServer);
    connect(&answerFlush, &QTimer::timeout, this, [this] { takeAnswers(true); });
    connect(&deliveryTimer, &QTimer::timeout, this, &Relay::deliverDue);
}

void Relay::fromConsole(const QByteArray& bytes) {
    schedule(line.request(now(), int(bytes.size())), true, bytes);
}

void Relay::fromServer(const QByteArray& bytes) {
    answerBuffer += bytes;
    takeAnswers(false);
}

void Relay::takeAnswers(bool flushAll) {
    answerFlush.stop();
    while (!answerBuffer.isEmpty()) {
        int n = answer_length(answerBuffer);
        if (n < 0 || (flushAll && (n == 0 || n > answerBuffer.size())))
            n = int(answerBuffer.size());
        if (n == 0 || n > answerBuffer.size()) {
            answerFlush.start(); // the rest of the frame is still on its way
            return;
        }
        QByteArray frame = answerBuffer.left(n);
        answerBuffer.remove(0, n);
        if (faults.dropAnswer())
            continue; // the instrument acted on the request; its answer is lost on the line
        if (faults.corruptAnswer())
            frame[frame.size() - 1] = char(frame.back() ^ 0xFF); // a wrong CRC, never a right one
        const double extra = std::max(0, extraDelay ? extraDelay() : 0) / 1000.0;
        schedule(line.answer(now(), int(frame.size()), extra), false, frame);
    }
}

void Relay::schedule(double due, bool toServer, const QByteArray& bytes) {
    pending.push_back({qint64(due * 1e9), nextOrder++, toServer, bytes});
    deliverDue();
}

void Relay::deliverDue() {
    std::sort(pending.begin(), pending.end(), [](const Delivery& a, const Delivery& b) {
        return a.dueNs != b.dueNs ? a.dueNs < b.dueNs : a.order < b.order;
    });
    const qint64 t = clock.nsecsElapsed();
    std::size_t done = 0;
    while (done < pending.size() && pending[done].dueNs <= t) {
        const Delivery& d = pending[done++];
        (d.toServer ? serverEnd : consoleEnd)->send(d.bytes);
    }
    pending.erase(pending.begin(), pending.begin() + qsizetype(done));
    if (!pending.empty()) {
        const qint64 waitNs = pending.front().dueNs - t;
        deliveryTimer.start(int(std::max<qint64>(0, (waitNs + 999999) / 1000000)));
    }
}

} // namespace sim
