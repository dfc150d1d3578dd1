#pragma once
// How a real RS-485 line would carry the frames, for --pace: every byte takes 10 bit times
// (start, 8 data, stop); a request reaches the instrument when its last byte has crossed the
// line; the answer starts 3.5 characters of silence (the end-of-frame gap) plus the turnaround
// after that, and reaches the console when its own last byte has crossed.

#include <QByteArray>

namespace sim {

inline constexpr int kBitsPerByte = 10;

constexpr double wire_seconds(int bytes, int baud) {
    return double(bytes) * kBitsPerByte / baud;
}

constexpr double gap_seconds(int baud) {
    return 3.5 * kBitsPerByte / baud;
}

// Length of the RTU answer frame that starts `head` (address, function code, ...): 0 while too
// few bytes have arrived to tell, -1 for a function code whose length is not known here.
int answer_length(const QByteArray& head);

class PacedLine {
public:
    PacedLine(bool paced, int baud, double turnaround)
        : pace(paced), rate(baud), turn(turnaround) {}

    // A request chunk of `bytes` handed to the line at `now` (s): when it reaches the instrument.
    double request(double now, int bytes);
    // An answer of `bytes` ready at `now`, `extra` s late on purpose: when it reaches the console.
    double answer(double now, int bytes, double extra);

    bool paced() const { return pace; }
    // Seconds from the request's last byte to the answer's first, paced.
    double replyDelay() const { return gap_seconds(rate) + turn; }

private:
    bool pace;
    int rate;
    double turn;
    double toInstrumentBusy = 0.0;
    double toConsoleBusy = 0.0;
    double requestEnd = -1e9;
};

} // namespace sim
