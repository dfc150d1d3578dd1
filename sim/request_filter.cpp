#include "request_filter.h"

namespace sim {

namespace {

int word(const QByteArray& d, int at) {
    if (at + 1 >= d.size())
        return 0;
    return (quint8(d[at]) << 8) | quint8(d[at + 1]);
}

} // namespace

std::vector<WriteItem> write_items(const QModbusPdu& request) {
    const QByteArray d = request.data();
    std::vector<WriteItem> items;
    const int first = word(d, 0) + 1;
    switch (request.functionCode()) {
    case QModbusPdu::WriteSingleCoil: {
        const int v = word(d, 2);
        items.push_back({Table::Coils, first, v == 0xFF00 ? 1 : (v == 0 ? 0 : -1)});
        break;
    }
    case QModbusPdu::WriteSingleRegister:
        items.push_back({Table::HoldingRegisters, first, qint16(word(d, 2))});
        break;
    case QModbusPdu::WriteMultipleCoils: {
        const int count = word(d, 2);
        for (int i = 0; i < count && 5 + i / 8 < d.size(); ++i)
            items.push_back({Table::Coils, first + i, (quint8(d[5 + i / 8]) >> (i % 8)) & 1});
        break;
    }
    case QModbusPdu::WriteMultipleRegisters: {
        const int count = word(d, 2);
        for (int i = 0; i < count && 5 + 2 * i + 1 < d.size(); ++i)
            items.push_back({Table::HoldingRegisters, first + i, qint16(word(d, 5 + 2 * i))});
        break;
    }
    default:
        break;
    }
    return items;
}

std::pair<int, int> addressed_range(const QModbusPdu& request) {
    const QByteArray d = request.data();
    switch (request.functionCode()) {
    case QModbusPdu::ReadCoils:
    case QModbusPdu::ReadDiscreteInputs:
    case QModbusPdu::ReadHoldingRegisters:
    case QModbusPdu::ReadInputRegisters:
    case QModbusPdu::WriteMultipleCoils:
    case QModbusPdu::WriteMultipleRegisters:
        return {word(d, 0) + 1, word(d, 2)};
    case QModbusPdu::WriteSingleCoil:
    case QModbusPdu::WriteSingleRegister:
        return {word(d, 0) + 1, 1};
    default:
        return {0, 0};
    }
}

RequestFilter::RequestFilter(Instrument& instrument, FaultPlan& faultPlan, WriteLog* writeLog)
    : inst(instrument), faults(faultPlan), log(writeLog) {}

void RequestFilter::logWrites(const QModbusPdu& request, int exception) {
    if (!log)
        return;
    for (const WriteItem& w : write_items(request))
        log->record(request.functionCode(), w.table == Table::Coils, w.number, w.value, exception);
}

std::optional<QModbusResponse> RequestFilter::before(const QModbusPdu& request) {
    const auto [first, count] = addressed_range(request);
    int code = count > 0 ? faults.exceptionFor(first, count) : 0;
    if (!code) {
        for (const WriteItem& w : write_items(request)) {
            code = inst.check_write(w.table, w.number, w.value);
            if (code)
                break;
        }
    }
    if (!code)
        return std::nullopt;
    logWrites(request, code);
    return QModbusExceptionResponse(request.functionCode(),
                                    QModbusExceptionResponse::ExceptionCode(code));
}

QModbusResponse RequestFilter::after(const QModbusPdu& request, const QModbusResponse& response) {
    logWrites(request, response.isException() ? response.exceptionCode() : 0);
    return response;
}

} // namespace sim
