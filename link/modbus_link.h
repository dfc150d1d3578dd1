#pragma once
// The instrument link over Qt Serial Bus: Modbus RTU on a serial device, or Modbus TCP when the
// target is host:port (a serial-to-Ethernet gateway).
//
// The link keeps its own queue and hands Qt one request at a time, for RTU and TCP alike (Qt's
// TCP client would send them all at once). No retries inside the link: the callers' own retry
// rules are the only ones, so what a caller sends twice goes on the wire exactly twice.
//
// RTU has no transaction id, so after a time out the next request waits until the line has been
// silent for kQuietGapMs (bytes that still arrive restart the wait; Qt clears its buffers before
// it sends): a late answer is dropped instead of being taken for the next request's.
//
// A vanished device (USB adapter pulled) is closed at its first read, write or connection error,
// everything pending fails, and the link tries to reopen it after kFirstRetryMs, doubling to
// kMaxRetryMs, one attempt at a time; a transaction that succeeds resets the delay. The
// operator's ClosePort_Modbus stops the retrying. A device that does not open at all (not there,
// no permission, held by another program) is retried the same way; the status says why it did
// not open (port_problem.h), and whether it was ever open since the operator opened the port.
//
// Calls made while the port is not open fail with kLinkFailure from the event loop, never from
// inside the call. While a TCP connection is being made, calls wait for it.

#include "instrument_link.h"
#include "modbus_request.h"
#include "port_table.h"

#include <QElapsedTimer>
#include <QModbusClient>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>
#include <deque>

class QModbusReply;

class ModbusLink final : public InstrumentLink {
    Q_OBJECT
public:
    static constexpr int kQuietGapMs = 100;      // about 48 characters at 4800 baud
    static constexpr int kMaxQuietWaitMs = 1000; // a line that never falls silent does not stall
    static constexpr int kFirstRetryMs = 500;
    static constexpr int kMaxRetryMs = 5000;
    // A gateway that does not take the connection is given up on after this long (the system's
    // own TCP time out would be minutes).
    static constexpr int kTcpConnectTimeoutMs = 3000;

    explicit ModbusLink(PortTable ports = PortTable::scan(), QObject* parent = nullptr);
    ~ModbusLink() override;

    int OpenPort_Modbus(int port, int baudCode, int parityCode,
                        const QString& device = QString()) override;
    int ClosePort_Modbus(int port) override;
    void submit(const LinkRequest& request, qint32* buffer, QObject* context,
                LinkDone done) override;
    LinkStatus status() const override { return linkStatus; }

    int responseTimeoutMs() const { return timeoutMs; }
    // Requests waiting in the queue plus the one with Qt.
    int queuedCount() const { return int(queue.size()) + (busy ? 1 : 0); }

private:
    struct Pending {
        LinkRequest request;
        qint32* buffer = nullptr;
        QPointer<QObject> context;
        bool hasContext = false;
        LinkDone done;
        QString failure; // set: completes as failed, without going on the wire
    };
    struct Target {
        QString device; // path, or host:port
        bool tcp = false;
        int baud = 9600;
        QSerialPort::Parity parity = QSerialPort::NoParity;
    };

    void schedulePump();
    void pump();
    bool waitForQuietLine();
    void send(Pending p);
    void onReplyFinished(QModbusReply* reply);
    void complete(Pending p, bool ok, const QString& message, const QModbusDataUnit* answer,
                  int exception = 0);

    bool startClient();
    void dropClient();
    void onDeviceError(QModbusDevice::Error error);
    void onStateChanged(QModbusDevice::State state);
    void markOpened();
    void postLoss(const QString& why);
    void deviceLost(const QString& why);
    void scheduleReconnect();
    void reconnect();
    void failInFlight(const QString& why);
    bool isOpen() const;

    QString settingsText() const;
    void setStatus(const LinkStatus& next);

    PortTable ports;
    Target target;
    QPointer<QModbusClient> client;
    std::deque<Pending> queue;
    bool busy = false; // a request is with Qt
    Pending inFlight;
    QPointer<QModbusReply> inFlightReply;
    bool crcSeen = false;
    bool mismatchSeen = false;
    bool unmatchedAnswer = false; // the time out that ends the request followed such an answer
    bool timedOut = false;        // the request that ends now had no valid answer in time
    bool pumpPosted = false;
    bool lossPosted = false;
    bool starting = false; // inside connectDevice(): its own errors are its result
    int timeoutMs = 204;
    int lastSlave = 0;

    bool quietNeeded = false;
    QElapsedTimer sinceTimeOut;
    QElapsedTimer sinceBytes;
    QTimer quietTimer;

    int retryMs = kFirstRetryMs;
    QTimer reconnectTimer;
    QTimer connectTimer;

    LinkStatus linkStatus;
};
