#include "recording_link.h"

#include "link/modbus_request.h"

#include <QTimer>

QString LinkCall::text() const {
    if (op == u"Set_4X_D1")
        return QStringLiteral("%1(%2,%3,%4,%5)").arg(op).arg(port).arg(slave).arg(first).arg(value);
    return QStringLiteral("%1(%2,%3,%4,%5)").arg(op).arg(port).arg(slave).arg(first).arg(count);
}

RecordingLink::RecordingLink(QObject* parent) : InstrumentLink(parent) {}

int RecordingLink::OpenPort_Modbus(int port, int baudCode, int parityCode, const QString& device) {
    LinkCall c{QStringLiteral("OpenPort_Modbus"), port, 0, baudCode, parityCode, 0, device};
    calls.append(c);
    linkStatus.open = openResult == 0;
    linkStatus.wanted = true;
    emit statusChanged();
    return openResult;
}

int RecordingLink::ClosePort_Modbus(int port) {
    calls.append(LinkCall{QStringLiteral("ClosePort_Modbus"), port, 0, 0, 0, 0, {}});
    linkStatus.open = false;
    linkStatus.wanted = false;
    emit statusChanged();
    return 0;
}

void RecordingLink::submit(const LinkRequest& r, qint32* buffer, QObject* context, LinkDone done) {
    const LinkCall call{
        QLatin1String(op_name(r.op)), r.port, r.slave, r.number, r.count, r.value, {}};
    calls.append(call);
    pending.append(
        Pending{call, buffer, QPointer<QObject>(context), context != nullptr, std::move(done)});
    scheduleAuto();
}

QList<LinkCall> RecordingLink::callsOf(const QString& op) const {
    QList<LinkCall> out;
    for (const auto& c : calls)
        if (c.op == op)
            out.append(c);
    return out;
}

QList<LinkCall> RecordingLink::writes() const {
    QList<LinkCall> out;
    for (const auto& c : calls)
        if (c.op.startsWith(u"Set_") || c.op.startsWith(u"Rst_"))
            out.append(c);
    return out;
}

void RecordingLink::scheduleAuto() {
    if (!autoComplete || autoScheduled)
        return;
    autoScheduled = true;
    QTimer::singleShot(0, this, [this] {
        autoScheduled = false;
        completeAll();
    });
}

bool RecordingLink::completeNext() {
    if (pending.isEmpty())
        return false;
    const Pending p = pending.takeFirst();
    if (p.hasContext && !p.context)
        return true; // its owner is gone: nothing is touched
    const int result = execute(p);
    if (p.done)
        p.done(result);
    return true;
}

int RecordingLink::completeAll() {
    int n = 0;
    while (completeNext())
        ++n;
    return n;
}

int RecordingLink::execute(const Pending& p) {
    const LinkCall& c = p.call;
    const bool isWrite = c.op.startsWith(u"Set_") || c.op.startsWith(u"Rst_");
    int result = 0;
    if (c.op == u"Set_4X_D1" && !writeResults.isEmpty())
        result = writeResults.takeFirst();
    if (failingOps.contains(c.op))
        result = kLinkFailure;
    if (c.op == u"Set_4X_D1" && (c.value < -32768 || c.value > 32767))
        result = kLinkFailure;
    if (result != 0) {
        ++linkStatus.failed;
        return result;
    }
    ++linkStatus.good;
    if (isWrite) {
        if (c.op == u"Set_4X_D1")
            holdingRegisters[c.first] = static_cast<qint32>(c.value);
        else if (c.op == u"Set_0X_Bit1")
            coils |= static_cast<quint16>(1u << (c.first - 1));
        else
            coils &= static_cast<quint16>(~(1u << (c.first - 1)));
        return 0;
    }
    if (c.op == u"Get_1X_B16" || c.op == u"Get_0X_B16") {
        const quint16 word = c.op == u"Get_1X_B16" ? discreteInputs : coils;
        p.buffer[0] = static_cast<qint32>(word >> (c.first - 1));
        return 0;
    }
    const auto& regs = c.op == u"Get_3X_DX" ? inputRegisters : holdingRegisters;
    for (int i = 0; i < c.count; ++i)
        p.buffer[i] = regs.value(c.first + i, 0);
    return 0;
}
