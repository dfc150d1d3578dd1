#pragma once
// What stands between a Modbus request and the instrument: injected exceptions, refusal of values
// the instrument does not take, and the write log. (Answers lost or spoilt on the wire are the
// relay's business.)

#include "fault_plan.h"
#include "instrument.h"
#include "write_log.h"

#include <QModbusPdu>

#include <optional>
#include <vector>

namespace sim {

struct WriteItem {
    Table table;
    int number; // one-based
    int value;  // signed register value; 1/0 for coils, -1 for a coil value that is neither
};

// The items a write request carries (function codes 05, 06, 15, 16); empty for other requests.
std::vector<WriteItem> write_items(const QModbusPdu& request);
// The one-based range a request addresses: {first, count}, or {0, 0} for other function codes.
std::pair<int, int> addressed_range(const QModbusPdu& request);

class RequestFilter {
public:
    RequestFilter(Instrument& instrument, FaultPlan& faults, WriteLog* log);
    void setLog(WriteLog* writeLog) { log = writeLog; }

    // An answer that replaces normal processing (an injected or a refusing exception), if any.
    std::optional<QModbusResponse> before(const QModbusPdu& request);
    // The answer to send after normal processing.
    QModbusResponse after(const QModbusPdu& request, const QModbusResponse& response);

private:
    void logWrites(const QModbusPdu& request, int exception);

    Instrument& inst;
    FaultPlan& faults;
    WriteLog* log;
};

} // namespace sim
