#include "modbus_request.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

namespace {
struct OpInfo {
    LinkOp op;
    const char* name;
    QModbusDataUnit::RegisterType table;
    bool write;
};
constexpr OpInfo kOps[] = {
    {LinkOp::Get_3X_DX, "Get_3X_DX", QModbusDataUnit::InputRegisters, false},
    {LinkOp::Get_4X_DX, "Get_4X_DX", QModbusDataUnit::HoldingRegisters, false},
    {LinkOp::Get_1X_B16, "Get_1X_B16", QModbusDataUnit::DiscreteInputs, false},
    {LinkOp::Get_0X_B16, "Get_0X_B16", QModbusDataUnit::Coils, false},
    {LinkOp::Set_4X_D1, "Set_4X_D1", QModbusDataUnit::HoldingRegisters, true},
    {LinkOp::Set_0X_Bit1, "Set_0X_Bit1", QModbusDataUnit::Coils, true},
    {LinkOp::Rst_0X_Bit1, "Rst_0X_Bit1", QModbusDataUnit::Coils, true},
};

const OpInfo& info(LinkOp op) {
    for (const auto& i : kOps)
        if (i.op == op)
            return i;
    return kOps[0];
}

struct ExceptionName {
    int code;
    const char* name;
};
constexpr ExceptionName kExceptions[] = {
    {1, QT_TRANSLATE_NOOP("ModbusRequest", "illegal function")},
    {2, QT_TRANSLATE_NOOP("ModbusRequest", "illegal data address")},
    {3, QT_TRANSLATE_NOOP("ModbusRequest", "illegal data value")},
    {4, QT_TRANSLATE_NOOP("ModbusRequest", "server device failure")},
    {5, QT_TRANSLATE_NOOP("ModbusRequest", "acknowledge")},
    {6, QT_TRANSLATE_NOOP("ModbusRequest", "server device busy")},
    {8, QT_TRANSLATE_NOOP("ModbusRequest", "memory parity error")},
    {10, QT_TRANSLATE_NOOP("ModbusRequest", "gateway path unavailable")},
    {11, QT_TRANSLATE_NOOP("ModbusRequest", "gateway target device failed to respond")},
};

constexpr int kLongestRequestBytes = 8;
constexpr int kLongestAnswerBytes = 37; // address, function, byte count, 16 registers, CRC
constexpr double kFrameGapChars = 3.5;
constexpr int kTurnaroundAllowanceMs = 150;
constexpr int kMaxReadCount = 125; // registers one read may ask for
} // namespace

const char* op_name(LinkOp op) {
    return info(op).name;
}

bool is_write(LinkOp op) {
    return info(op).write;
}

QString refusal_of(const LinkRequest& r) {
    if (r.slave < 1 || r.slave > 247)
        return QCoreApplication::translate("ModbusRequest",
                                           "address %1 is outside 1..247, not sent")
            .arg(r.slave);
    const int count = is_write(r.op) ? 1 : r.count;
    if (count < 1 || count > kMaxReadCount)
        return QCoreApplication::translate("ModbusRequest", "count %1 is outside 1..%2, not sent")
            .arg(count)
            .arg(kMaxReadCount);
    if (r.number < 1 || qint64(r.number) + count - 1 > 65536)
        return QCoreApplication::translate("ModbusRequest",
                                           "number %1 is outside 1..65536, not sent")
            .arg(r.number);
    if (r.op == LinkOp::Set_4X_D1 && (r.value < -32768 || r.value > 32767))
        return QCoreApplication::translate("ModbusRequest",
                                           "value %1 is outside -32768..32767, not sent")
            .arg(r.value);
    return {};
}

QModbusDataUnit data_unit_of(const LinkRequest& r) {
    const auto table = info(r.op).table;
    const int address = r.number - 1;
    switch (r.op) {
    case LinkOp::Set_4X_D1:
        return QModbusDataUnit(table, address, QList<quint16>{quint16(qint16(r.value))});
    case LinkOp::Set_0X_Bit1:
        return QModbusDataUnit(table, address, QList<quint16>{1});
    case LinkOp::Rst_0X_Bit1:
        return QModbusDataUnit(table, address, QList<quint16>{0});
    default:
        return QModbusDataUnit(table, address, quint16(r.count));
    }
}

QString answer_mismatch(const LinkRequest& r, const QModbusDataUnit& answer) {
    if (is_write(r.op))
        return {};
    if (answer.startAddress() != r.number - 1 || answer.valueCount() < qsizetype(r.count))
        return QCoreApplication::translate("ModbusRequest",
                                           "answer of %1 values from %2 does not fit the request")
            .arg(answer.valueCount())
            .arg(answer.startAddress() + 1);
    return {};
}

void store_answer(const LinkRequest& r, const QModbusDataUnit& answer, qint32* buffer) {
    if (is_write(r.op) || !buffer)
        return;
    if (r.op == LinkOp::Get_1X_B16 || r.op == LinkOp::Get_0X_B16) {
        qint32 bits = 0;
        for (int k = 0; k < r.count && k < 16; ++k)
            if (answer.value(k))
                bits |= qint32(1) << k;
        buffer[0] = bits;
        return;
    }
    for (int k = 0; k < r.count; ++k)
        buffer[k] = qint16(answer.value(k));
}

QString describe(const LinkRequest& r) {
    const QString name = QLatin1String(op_name(r.op));
    switch (r.op) {
    case LinkOp::Set_4X_D1:
        return QStringLiteral("%1 %2 = %3").arg(name).arg(r.number).arg(r.value);
    case LinkOp::Set_0X_Bit1:
    case LinkOp::Rst_0X_Bit1:
        return QStringLiteral("%1 %2").arg(name).arg(r.number);
    default:
        return QStringLiteral("%1 %2+%3").arg(name).arg(r.number).arg(r.count);
    }
}

QString exception_name(int code) {
    for (const auto& e : kExceptions)
        if (e.code == code)
            return QCoreApplication::translate("ModbusRequest", e.name);
    return QCoreApplication::translate("ModbusRequest", "unknown exception");
}

QString failure_words(const LinkStatus& s) {
    // What an operator reads in a refusal: the instrument's reason, not the protocol's.
    switch (s.lastException) {
    case 0:
        break;
    case 1:
        return QCoreApplication::translate(
            "LinkFailure",
            "the instrument refused the value (exception 1: function not supported)");
    case 2:
        return QCoreApplication::translate(
            "LinkFailure", "the instrument refused the value (exception 2: no such register)");
    case 3:
        return QCoreApplication::translate(
            "LinkFailure", "the instrument refused the value (exception 3: value out of range)");
    case 4:
        return QCoreApplication::translate(
            "LinkFailure", "the instrument refused the value (exception 4: instrument fault)");
    default:
        return QCoreApplication::translate("LinkFailure",
                                           "the instrument refused the value (exception %1: %2)")
            .arg(s.lastException)
            .arg(exception_name(s.lastException));
    }
    if (s.lastNoAnswer)
        return QCoreApplication::translate(
            "LinkFailure", "no answer: check the address, baud rate, parity and wiring");
    // "Set_4X_D1 260 = 700: not sent: …": the request is the journal's and the screen's business.
    static const QRegularExpression request(QStringLiteral("^(Get|Set|Rst)_\\w+ [^:]*: "));
    QString said = s.lastMessage;
    return said.remove(request);
}

QString line_settings_text(int baud, QSerialPort::Parity parity) {
    const char p = parity == QSerialPort::OddParity    ? 'O'
                   : parity == QSerialPort::EvenParity ? 'E'
                                                       : 'N';
    return QString::number(baud) + QStringLiteral(" 8") + QLatin1Char(p) + QLatin1Char('1');
}

int serial_response_timeout_ms(int baud, QSerialPort::Parity parity) {
    if (baud <= 0)
        return kTcpResponseTimeoutMs;
    const int bitsPerChar = parity == QSerialPort::NoParity ? 10 : 11;
    const double chars = kLongestRequestBytes + kLongestAnswerBytes + 2 * kFrameGapChars;
    const double wireMs = chars * bitsPerChar * 1000.0 / baud;
    return int(std::ceil(wireMs)) + kTurnaroundAllowanceMs;
}
