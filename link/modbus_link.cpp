#include "modbus_link.h"

#include "link/line_settings.h"

#include <QModbusReply>
#include <QModbusRtuSerialClient>
#include <QModbusTcpClient>
#include <algorithm>

namespace {

bool same(const LinkStatus& a, const LinkStatus& b) {
    return a.open == b.open && a.wanted == b.wanted && a.reconnecting == b.reconnecting &&
           a.everOpen == b.everOpen && a.problem == b.problem && a.problemText == b.problemText &&
           a.reconnectDelayMs == b.reconnectDelayMs && a.device == b.device &&
           a.settings == b.settings && a.anyTransaction == b.anyTransaction &&
           a.lastOk == b.lastOk && a.lastMessage == b.lastMessage &&
           a.lastException == b.lastException && a.lastUnmatched == b.lastUnmatched &&
           a.lastNoAnswer == b.lastNoAnswer && a.good == b.good && a.failed == b.failed;
}

} // namespace

ModbusLink::ModbusLink(PortTable portTable, QObject* parent)
    : InstrumentLink(parent), ports(std::move(portTable)) {
    quietTimer.setSingleShot(true);
    connect(&quietTimer, &QTimer::timeout, this, &ModbusLink::pump);
    reconnectTimer.setSingleShot(true);
    connect(&reconnectTimer, &QTimer::timeout, this, &ModbusLink::reconnect);
    connectTimer.setSingleShot(true);
    connect(&connectTimer, &QTimer::timeout, this, [this] {
        if (client && client->state() == QModbusDevice::ConnectingState)
            postLoss(tr("no connection within %1 ms").arg(kTcpConnectTimeoutMs));
    });
}

// Closes the device cleanly; what is still pending is dropped without calling back (its owners
// are going away with the link).
ModbusLink::~ModbusLink() {
    quietTimer.stop();
    reconnectTimer.stop();
    connectTimer.stop();
    dropClient();
}

int ModbusLink::OpenPort_Modbus(int port, int baudCode, int parityCode, const QString& device) {
    reconnectTimer.stop();
    quietTimer.stop();
    quietNeeded = false;
    dropClient();
    failInFlight(tr("port reopened"));

    Target t;
    t.device = device.trimmed().isEmpty() ? ports.deviceFor(port) : device.trimmed();
    t.tcp = PortTable::isTcpTarget(t.device);
    LinkStatus s;
    s.device = t.device;
    if (t.device.isEmpty()) {
        s.lastMessage = tr("port %1 names no device").arg(port);
        setStatus(s);
        schedulePump();
        return kLinkFailure;
    }
    if (!is_line_code(baudCode) || !is_line_code(parityCode)) {
        s.lastMessage = tr("baud code %1 / parity code %2 not known").arg(baudCode).arg(parityCode);
        setStatus(s);
        schedulePump();
        return kLinkFailure;
    }
    t.baud = baud_of_code(baudCode);
    t.parity = parity_of_code(parityCode);
    target = t;
    timeoutMs = t.tcp ? kTcpResponseTimeoutMs : serial_response_timeout_ms(t.baud, t.parity);
    retryMs = kFirstRetryMs;
    lastSlave = 0;
    s.wanted = true;
    s.settings = settingsText();
    setStatus(s);
    schedulePump();
    if (startClient())
        return 0;
    // Not there (yet): keep trying, as after losing it.
    scheduleReconnect();
    return kLinkFailure;
}

int ModbusLink::ClosePort_Modbus(int /*port*/) {
    reconnectTimer.stop();
    quietTimer.stop();
    connectTimer.stop();
    quietNeeded = false;
    dropClient();
    failInFlight(tr("port closed"));
    LinkStatus s = linkStatus;
    s.open = false;
    s.wanted = false;
    s.reconnecting = false;
    s.reconnectDelayMs = 0;
    s.problem = PortProblem::None;
    s.problemText.clear();
    setStatus(s);
    schedulePump();
    return 0;
}

// An operator's write (and its repeat) goes on the wire right after the transaction in flight,
// ahead of the reads already queued: a commit waits for at most one read, not for a screen's whole
// refresh and a poll cycle. Writes keep their order among themselves, and so do reads.
void ModbusLink::submit(const LinkRequest& request, qint32* buffer, QObject* context,
                        LinkDone done) {
    Pending p{request, buffer, context, context != nullptr, std::move(done), refusal_of(request)};
    auto at = queue.end();
    if (is_write(request.op))
        at = std::find_if(queue.begin(), queue.end(),
                          [](const Pending& q) { return !is_write(q.request.op); });
    queue.insert(at, std::move(p));
    schedulePump();
}

// Every start and completion goes through the event loop, so no callback ever runs inside the
// call that queued it.
void ModbusLink::schedulePump() {
    if (pumpPosted)
        return;
    pumpPosted = true;
    QMetaObject::invokeMethod(this, &ModbusLink::pump, Qt::QueuedConnection);
}

void ModbusLink::pump() {
    pumpPosted = false;
    if (busy || queue.empty())
        return;
    Pending& front = queue.front();
    if (front.failure.isEmpty() && !isOpen()) {
        if (client && client->state() == QModbusDevice::ConnectingState)
            return; // the connection's outcome pumps again
        front.failure = tr("port not open");
    }
    if (front.failure.isEmpty()) {
        if (!waitForQuietLine())
            return; // the quiet timer pumps again
        Pending p = std::move(front);
        queue.pop_front();
        send(std::move(p));
        return;
    }
    Pending p = std::move(front);
    queue.pop_front();
    const QString why = p.failure;
    complete(std::move(p), false, why, nullptr);
    schedulePump();
}

// After a time out the line must have been silent for kQuietGapMs: a late answer then arrives
// while nothing is asked and Qt drops it (it clears its buffer and the port's before each send).
bool ModbusLink::waitForQuietLine() {
    if (!quietNeeded || target.tcp)
        return true;
    const qint64 waited = sinceTimeOut.elapsed();
    const qint64 silent = sinceBytes.isValid() ? std::min(sinceBytes.elapsed(), waited) : waited;
    if (silent >= kQuietGapMs || waited >= kMaxQuietWaitMs) {
        quietNeeded = false;
        return true;
    }
    quietTimer.start(int(kQuietGapMs - silent));
    return false;
}

void ModbusLink::send(Pending p) {
    if (p.request.slave != lastSlave) {
        lastSlave = p.request.slave;
        LinkStatus s = linkStatus;
        s.settings = settingsText();
        setStatus(s);
    }
    const QModbusDataUnit unit = data_unit_of(p.request);
    QModbusReply* reply = is_write(p.request.op) ? client->sendWriteRequest(unit, p.request.slave)
                                                 : client->sendReadRequest(unit, p.request.slave);
    if (!reply) {
        complete(std::move(p), false, tr("not sent: %1").arg(client->errorString()), nullptr);
        schedulePump();
        return;
    }
    busy = true;
    inFlight = std::move(p);
    inFlightReply = reply;
    crcSeen = false;
    mismatchSeen = false;
    if (reply->isFinished()) {
        onReplyFinished(reply);
        return;
    }
    connect(reply, &QModbusReply::finished, this, [this, reply] { onReplyFinished(reply); });
    connect(reply, &QModbusReply::intermediateErrorOccurred, this,
            [this, reply](QModbusDevice::IntermediateError e) {
                if (reply != inFlightReply)
                    return;
                if (e == QModbusDevice::ResponseCrcError)
                    crcSeen = true;
                else
                    mismatchSeen = true;
            });
}

void ModbusLink::onReplyFinished(QModbusReply* reply) {
    reply->deleteLater();
    if (reply != inFlightReply)
        return;
    busy = false;
    inFlightReply = nullptr;
    Pending p = std::move(inFlight);
    inFlight = Pending{};

    switch (reply->error()) {
    case QModbusDevice::NoError: {
        const QModbusDataUnit answer = reply->result();
        const QString misfit = answer_mismatch(p.request, answer);
        if (misfit.isEmpty()) {
            retryMs = kFirstRetryMs;
            complete(std::move(p), true, tr("ok"), &answer);
        } else {
            complete(std::move(p), false, misfit, nullptr);
        }
        break;
    }
    case QModbusDevice::ProtocolError: {
        const int code = reply->rawResult().exceptionCode();
        complete(std::move(p), false, tr("exception %1 (%2)").arg(code).arg(exception_name(code)),
                 nullptr, code);
        break;
    }
    case QModbusDevice::TimeoutError: {
        quietNeeded = true;
        sinceTimeOut.start();
        unmatchedAnswer = mismatchSeen && !crcSeen;
        timedOut = true;
        const QString what = crcSeen        ? tr("CRC error")
                             : mismatchSeen ? tr("answer did not match")
                                            : tr("time out");
        complete(std::move(p), false,
                 tr("%1, no valid answer within %2 ms").arg(what).arg(timeoutMs), nullptr);
        break;
    }
    default:
        complete(std::move(p), false, reply->errorString(), nullptr);
        break;
    }
    schedulePump();
}

void ModbusLink::complete(Pending p, bool ok, const QString& message, const QModbusDataUnit* answer,
                          int exception) {
    LinkStatus s = linkStatus;
    s.anyTransaction = true;
    s.lastOk = ok;
    s.lastException = exception;
    s.lastUnmatched = !ok && unmatchedAnswer;
    s.lastNoAnswer = !ok && timedOut;
    unmatchedAnswer = false;
    timedOut = false;
    s.lastMessage = QStringLiteral("%1: %2").arg(describe(p.request), message);
    ok ? ++s.good : ++s.failed;
    setStatus(s);
    if (p.hasContext && !p.context)
        return; // its owner is gone: neither buffer nor callback is touched
    if (ok && answer)
        store_answer(p.request, *answer, p.buffer);
    if (p.done)
        p.done(ok ? 0 : kLinkFailure);
}

// The request with Qt fails (from the event loop) ahead of everything queued.
void ModbusLink::failInFlight(const QString& why) {
    if (!busy)
        return;
    if (inFlightReply)
        inFlightReply->disconnect(this);
    inFlightReply = nullptr;
    busy = false;
    inFlight.failure = why;
    queue.push_front(std::move(inFlight));
    inFlight = Pending{};
    schedulePump();
}

bool ModbusLink::isOpen() const {
    return client && client->state() == QModbusDevice::ConnectedState;
}

QString ModbusLink::settingsText() const {
    QString text =
        target.tcp ? QStringLiteral("Modbus TCP") : line_settings_text(target.baud, target.parity);
    if (lastSlave > 0)
        text += tr(", address %1").arg(lastSlave);
    return text;
}

void ModbusLink::setStatus(const LinkStatus& next) {
    if (same(next, linkStatus))
        return;
    linkStatus = next;
    emit statusChanged();
}
