#include "line_timing.h"

#include <algorithm>

namespace sim {

int answer_length(const QByteArray& head) {
    if (head.size() < 2)
        return 0;
    const int fc = quint8(head[1]);
    if (fc & 0x80)
        return 5; // address, code, exception code, CRC
    switch (fc) {
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x04:
        return head.size() < 3 ? 0 : 5 + quint8(head[2]); // byte count follows the code
    case 0x05:
    case 0x06:
    case 0x0F:
    case 0x10:
        return 8;
    default:
        return -1;
    }
}

double PacedLine::request(double now, int bytes) {
    if (!pace) {
        requestEnd = now;
        return now;
    }
    const double done = std::max(now, toInstrumentBusy) + wire_seconds(bytes, rate);
    toInstrumentBusy = done;
    requestEnd = done;
    return done;
}

double PacedLine::answer(double now, int bytes, double extra) {
    if (!pace)
        return now + extra;
    const double start = std::max({now, requestEnd + replyDelay(), toConsoleBusy}) + extra;
    const double done = start + wire_seconds(bytes, rate);
    toConsoleBusy = done;
    return done;
}

} // namespace sim
