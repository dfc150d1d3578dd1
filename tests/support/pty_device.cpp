#include "pty_device.h"

#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

QByteArray with_crc(const QByteArray& body) {
    quint16 crc = 0xFFFF;
    for (const char byte : body) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    QByteArray frame = body;
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

PtyDevice::PtyDevice(QObject* parent) : QObject(parent) {}

PtyDevice::~PtyDevice() {
    close();
}

bool PtyDevice::open(const QString& linkPath) {
    close();
    termios raw{};
    cfmakeraw(&raw);
    char name[128] = {};
    if (::openpty(&master, &slaveFd, name, &raw, nullptr) != 0) {
        master = slaveFd = -1;
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    slave = QString::fromLocal8Bit(name);
    if (!linkPath.isEmpty()) {
        symlink = linkPath;
        QFile::remove(symlink);
        if (!QFile::link(slave, symlink))
            return false;
    }
    notifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PtyDevice::onReadable);
    return true;
}

void PtyDevice::close() {
    delete notifier;
    notifier = nullptr;
    if (master >= 0)
        ::close(master);
    if (slaveFd >= 0)
        ::close(slaveFd);
    master = slaveFd = -1;
    answersDue = 0;
    pending.clear();
    // The path goes with the device, as a pulled adapter's node does; the pts number itself may
    // soon belong to another pseudo terminal.
    if (!symlink.isEmpty())
        QFile::remove(symlink);
}

QString PtyDevice::path() const {
    return symlink.isEmpty() ? slave : symlink;
}

void PtyDevice::send(const QByteArray& bytes, int delayMs) {
    auto write = [this, bytes] {
        if (master >= 0)
            (void)!::write(master, bytes.constData(), size_t(bytes.size()));
    };
    if (delayMs <= 0) {
        write();
        return;
    }
    ++answersDue;
    const int fd = master;
    QTimer::singleShot(delayMs, this, [this, write, fd] {
        if (fd != master)
            return; // reopened meanwhile: that answer belonged to the old device
        --answersDue;
        write();
    });
}

void PtyDevice::clear() {
    frames.clear();
    allBytes.clear();
    pending.clear();
    overlapCount = 0;
}

void PtyDevice::onReadable() {
    char chunk[512];
    for (;;) {
        const ssize_t n = ::read(master, chunk, sizeof chunk);
        if (n > 0) {
            pending.append(chunk, n);
            allBytes.append(chunk, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: drained; EIO cannot happen while slaveFd is held
    }
    splitFrames();
}

// The console's requests are functions 01..06, eight bytes each; anything else is taken whole.
void PtyDevice::splitFrames() {
    while (pending.size() >= 2) {
        const int function = quint8(pending.at(1));
        const qsizetype length = (function >= 1 && function <= 6) ? 8 : pending.size();
        if (pending.size() < length)
            return;
        const QByteArray frame = pending.left(length);
        pending.remove(0, length);
        if (answersDue > 0)
            ++overlapCount;
        frames.append(frame);
        emit requestReceived(frame);
        if (responder)
            responder(*this, frame);
    }
}
