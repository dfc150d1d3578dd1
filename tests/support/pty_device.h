#pragma once
// A fake serial device on a pseudo terminal: the link opens the slave's path (or a symlink to it),
// this side reads the master. Every complete Modbus RTU request that arrives is kept and handed to
// the responder, which answers with exact bytes, now or after a delay, or not at all. Closing the
// master makes the device vanish as a pulled USB adapter does.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;

// Modbus RTU CRC-16 (polynomial 0xA001, low byte first), appended to `body`.
QByteArray with_crc(const QByteArray& body);

class PtyDevice : public QObject {
    Q_OBJECT
public:
    using Responder = std::function<void(PtyDevice& device, const QByteArray& request)>;

    explicit PtyDevice(QObject* parent = nullptr);
    ~PtyDevice() override;

    // A new pseudo terminal; when `linkPath` is given, that symlink is (re)pointed at its slave.
    bool open(const QString& linkPath = QString());
    void close(); // hangs up and removes the symlink: the device is gone
    bool isOpen() const { return master >= 0; }

    QString path() const; // what the link should open: the symlink, else the slave
    QString slavePath() const { return slave; }

    void setResponder(Responder r) { responder = std::move(r); }
    // Writes `bytes` to the link now, or after `delayMs` on the event loop (if still open then).
    void send(const QByteArray& bytes, int delayMs = 0);

    const QList<QByteArray>& requests() const { return frames; }
    QByteArray receivedBytes() const { return allBytes; }
    // Requests that arrived while an answer to the previous one was still due.
    int overlaps() const { return overlapCount; }
    void clear();

signals:
    void requestReceived(const QByteArray& frame);

private:
    void onReadable();
    void splitFrames();

    int master = -1;
    int slaveFd = -1; // held open so the master never reads EIO while the link is away
    QString slave;
    QString symlink;
    QSocketNotifier* notifier = nullptr;
    QByteArray pending;
    QByteArray allBytes;
    QList<QByteArray> frames;
    Responder responder;
    int answersDue = 0;
    int overlapCount = 0;
};
