#pragma once
// The console's side of the instrument link: the operations every screen calls, with their
// system names. Each call queues one complete Modbus request; requests run one at a time in the
// order queued and each finishes later, on the UI thread, through its completion callback.
//
// Results: 0 on success, kLinkFailure (-8888) on any failure (time out, CRC error, exception
// response, port not open, value out of range). A read that fails leaves the caller's buffer
// exactly as it was. The buffer and the callback belong to `context`: when the context object is
// destroyed before the reply, neither is touched. Buffers must stay valid as long as the context.

#include <QObject>
#include <QString>
#include <functional>

constexpr int kLinkFailure = -8888;

using LinkDone = std::function<void(int result)>;

// What the overview's link status indicator shows.
struct LinkStatus {
    bool open = false;           // the port is open now
    bool wanted = false;         // the operator opened it and has not closed it
    bool reconnecting = false;   // the device went away; reopening with back-off
    int reconnectDelayMs = 0;    // time until the next reopening attempt
    QString device;              // device path or host:port
    QString settings;            // "9600 8N1, address 1"
    bool anyTransaction = false; // a transaction has finished since opening
    bool lastOk = false;         // outcome of the newest finished transaction
    QString lastMessage;         // that outcome in words
    quint64 good = 0;            // transactions since opening
    quint64 failed = 0;
};

class InstrumentLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the port by its number (the port table names its device), or `device` as typed when it
    // is not empty (a device path or host:port). Baud code 0/1/2 = 4800/9600/19200, parity code
    // 0/1/2 = none/odd/even. Returns 0 when the port opened, kLinkFailure otherwise.
    virtual int OpenPort_Modbus(int port, int baudCode, int parityCode,
                                const QString& device = QString()) = 0;
    virtual int ClosePort_Modbus(int port) = 0;

    // Address of the instrument is `slave`; register and coil numbers are one-based.
    // Input registers (function 04) and holding registers (03): `count` values into buffer[0..].
    virtual void Get_3X_DX(int port, int slave, int first, int count, qint32* buffer,
                           QObject* context, LinkDone done) = 0;
    virtual void Get_4X_DX(int port, int slave, int first, int count, qint32* buffer,
                           QObject* context, LinkDone done) = 0;
    // Discrete inputs (02) and coils (01): 16 of them packed into buffer[0], bit k = number
    // first+k.
    virtual void Get_1X_B16(int port, int slave, int first, qint32* buffer, QObject* context,
                            LinkDone done) = 0;
    virtual void Get_0X_B16(int port, int slave, int first, qint32* buffer, QObject* context,
                            LinkDone done) = 0;
    // One holding register (06). A value outside -32768..32767 is refused: nothing is sent.
    virtual void Set_4X_D1(int port, int slave, int reg, qint64 value, QObject* context,
                           LinkDone done) = 0;
    // One coil on / off (05).
    virtual void Set_0X_Bit1(int port, int slave, int coil, QObject* context, LinkDone done) = 0;
    virtual void Rst_0X_Bit1(int port, int slave, int coil, QObject* context, LinkDone done) = 0;

    virtual LinkStatus status() const = 0;

signals:
    void statusChanged();
};
