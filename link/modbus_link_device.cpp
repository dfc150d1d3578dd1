// ModbusLink: opening the device, losing it, and reopening it with back-off.
#include "modbus_link.h"
#include "port_problem.h"

#include <QModbusRtuSerialClient>
#include <QModbusTcpClient>
#include <QVariant>

namespace {
std::pair<QString, int> split_host_port(const QString& target) {
    const int colon = int(target.lastIndexOf(u':'));
    QString host = target.left(colon).trimmed();
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    return {host, target.mid(colon + 1).trimmed().toInt()};
}
} // namespace

// A fresh client for every attempt: Qt's serial client is not trusted to recover from the error
// state a vanished device leaves behind.
bool ModbusLink::startClient() {
    QModbusClient* c = nullptr;
    if (target.tcp) {
        const auto [host, port] = split_host_port(target.device);
        c = new QModbusTcpClient(this);
        c->setConnectionParameter(QModbusDevice::NetworkAddressParameter, host);
        c->setConnectionParameter(QModbusDevice::NetworkPortParameter, port);
    } else {
        c = new QModbusRtuSerialClient(this);
        c->setConnectionParameter(QModbusDevice::SerialPortNameParameter, target.device);
        c->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, target.baud);
        c->setConnectionParameter(QModbusDevice::SerialParityParameter, target.parity);
        c->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
        c->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
    }
    c->setTimeout(timeoutMs);
    c->setNumberOfRetries(0);
    connect(c, &QModbusDevice::errorOccurred, this, [this, c](QModbusDevice::Error e) {
        if (c == client)
            onDeviceError(e);
    });
    connect(c, &QModbusDevice::stateChanged, this, [this, c](QModbusDevice::State s) {
        if (c == client)
            onStateChanged(s);
    });
    client = c;

    starting = true;
    const bool started = c->connectDevice();
    starting = false;
    if (!started) {
        const QString why = c->errorString();
        // Qt's serial port keeps the kind of failure; the client passes on only its words.
        const auto* port = qobject_cast<const QSerialPort*>(c->device());
        const QSerialPort::SerialPortError error = port ? port->error() : QSerialPort::UnknownError;
        dropClient();
        LinkStatus s = linkStatus;
        s.open = false;
        s.lastOk = false;
        if (target.tcp) {
            s.problem = PortProblem::Other;
            s.problemText = tr("cannot open %1: %2").arg(target.device, why);
        } else {
            const PortProbe probe = probe_port(target.device);
            s.problem = classify_open_failure(error, probe);
            s.problemText = port_problem_text(s.problem, target.device, probe, why);
        }
        s.lastMessage = s.problemText;
        setStatus(s);
        return false;
    }
    if (QIODevice* d = c->device(); d && !target.tcp)
        connect(d, &QIODevice::readyRead, this, [this] { sinceBytes.start(); });
    if (isOpen()) {
        markOpened();
    } else {
        connectTimer.start(kTcpConnectTimeoutMs);
    }
    return true;
}

// Detaches and closes the current client; its replies die with it, unheard.
void ModbusLink::dropClient() {
    connectTimer.stop();
    if (inFlightReply)
        inFlightReply->disconnect(this);
    if (!client)
        return;
    QModbusClient* c = client;
    client = nullptr;
    c->disconnect(this);
    if (QIODevice* d = c->device())
        d->disconnect(this);
    if (c->state() != QModbusDevice::UnconnectedState)
        c->disconnectDevice();
    c->deleteLater();
}

void ModbusLink::onDeviceError(QModbusDevice::Error error) {
    switch (error) {
    case QModbusDevice::ReadError:
    case QModbusDevice::WriteError:
    case QModbusDevice::ConnectionError:
    case QModbusDevice::UnknownError:
        if (!starting && client && client->state() != QModbusDevice::UnconnectedState)
            postLoss(client->errorString());
        break;
    default:
        break;
    }
}

// The device is open: the status says so and what waited for it goes out.
void ModbusLink::markOpened() {
    LinkStatus s = linkStatus;
    s.open = true;
    s.everOpen = true;
    s.problem = PortProblem::None;
    s.problemText.clear();
    s.reconnecting = false;
    s.reconnectDelayMs = 0;
    setStatus(s);
    schedulePump();
}

void ModbusLink::onStateChanged(QModbusDevice::State state) {
    if (starting)
        return;
    if (state == QModbusDevice::ConnectedState) {
        connectTimer.stop();
        markOpened();
    } else if (state == QModbusDevice::UnconnectedState) {
        postLoss(client->errorString().isEmpty() ? tr("connection closed") : client->errorString());
    }
}

// A vanished device floods errors while Qt keeps it "connected": the first one is acted on, once,
// from the event loop rather than inside Qt's own error handling.
void ModbusLink::postLoss(const QString& why) {
    if (lossPosted)
        return;
    lossPosted = true;
    QPointer<QModbusClient> lost = client;
    QMetaObject::invokeMethod(
        this,
        [this, lost, why] {
            lossPosted = false;
            if (lost && lost == client)
                deviceLost(why);
        },
        Qt::QueuedConnection);
}

void ModbusLink::deviceLost(const QString& why) {
    dropClient();
    failInFlight(tr("device lost (%1)").arg(why));
    LinkStatus s = linkStatus;
    s.open = false;
    s.lastOk = false;
    if (s.everOpen) {
        s.lastMessage = tr("device lost: %1").arg(why);
    } else {
        // A gateway that never took the connection was not lost: it was never reached.
        s.problem = PortProblem::Other;
        s.problemText = tr("cannot connect to %1: %2").arg(target.device, why);
        s.lastMessage = s.problemText;
    }
    setStatus(s);
    scheduleReconnect();
}

// One attempt at a time, each after a longer wait: a device that keeps failing costs at most one
// open every kMaxRetryMs and never a burst of requests (calls meanwhile fail without the wire).
void ModbusLink::scheduleReconnect() {
    if (!linkStatus.wanted)
        return;
    reconnectTimer.start(retryMs);
    LinkStatus s = linkStatus;
    s.open = false;
    s.reconnecting = true;
    s.reconnectDelayMs = retryMs;
    setStatus(s);
    retryMs = std::min(retryMs * 2, kMaxRetryMs);
}

void ModbusLink::reconnect() {
    if (!linkStatus.wanted || client)
        return;
    if (!startClient())
        scheduleReconnect();
}
