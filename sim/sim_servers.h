#pragma once
// The Modbus servers of Qt Serial Bus, serving the instrument's registers instead of a data map.

#include "instrument.h"
#include "request_filter.h"

#include <QModbusRtuSerialServer>
#include <QModbusTcpServer>

namespace sim {

inline Table table_of(QModbusDataUnit::RegisterType t) {
    switch (t) {
    case QModbusDataUnit::Coils:
        return Table::Coils;
    case QModbusDataUnit::DiscreteInputs:
        return Table::DiscreteInputs;
    case QModbusDataUnit::InputRegisters:
        return Table::InputRegisters;
    default:
        return Table::HoldingRegisters;
    }
}

template <class Base> class InstrumentServer final : public Base {
public:
    InstrumentServer(Instrument& instrument, RequestFilter& filter)
        : inst(instrument), requests(filter) {}

protected:
    bool readData(QModbusDataUnit* unit) const override {
        if (!unit || unit->registerType() == QModbusDataUnit::Invalid || unit->startAddress() < 0)
            return false;
        std::vector<std::uint16_t> values;
        if (!inst.read(table_of(unit->registerType()), unit->startAddress() + 1,
                       int(unit->valueCount()), &values))
            return false;
        unit->setValues(QList<quint16>(values.begin(), values.end()));
        return true;
    }

    bool writeData(const QModbusDataUnit& unit) override {
        const Table t = table_of(unit.registerType());
        for (qsizetype i = 0; i < unit.valueCount(); ++i) {
            const int v = t == Table::Coils ? (unit.value(i) ? 1 : 0) : qint16(unit.value(i));
            if (!inst.write(t, unit.startAddress() + 1 + int(i), v))
                return false;
        }
        return true;
    }

    QModbusResponse processRequest(const QModbusPdu& request) override {
        if (auto refusal = requests.before(request))
            return *refusal;
        return requests.after(request, Base::processRequest(request));
    }

private:
    Instrument& inst;
    RequestFilter& requests;
};

using RtuServer = InstrumentServer<QModbusRtuSerialServer>;
using TcpServer = InstrumentServer<QModbusTcpServer>;

} // namespace sim
