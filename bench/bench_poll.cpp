// bench_poll [cycles]: the poll cycle against mt3600-sim on a pseudo terminal.
//  - paced at 9600 and 19200 baud: median cycle time beside the wire-time limit (request and
//    response bytes x 10 bits / baud, a 3.5-character gap before each frame, the simulator's
//    turnaround), as a ratio;
//  - unpaced: the software cost per transaction;
//  - against an instrument that never answers: the event loop's worst lateness during a cycle,
//    measured by a 2 ms timer.
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "support/sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kTurnaroundMs = 2.0; // the simulator's default with --pace

// Bytes of the seven transactions of a cycle: requests are 8 bytes; a 16-register answer is
// 5 + 32 bytes, a 16-bit answer 5 + 2.
double wire_limit_ms(int baud) {
    const int requestBytes = 7 * 8;
    const int answerBytes = 5 * 37 + 2 * 7;
    const double charMs = 10.0 * 1000.0 / baud;
    return (requestBytes + answerBytes) * charMs + 14 * 3.5 * charMs + 7 * kTurnaroundMs;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

struct Cycles {
    std::vector<double> ms;
    double worstLatenessMs = 0;
};

// Runs `count` cycles back to back (each starts when the previous one finished).
Cycles run_cycles(const QStringList& simArgs, int baudCode, int count, bool watchLateness) {
    Cycles out;
    SimProcess sim;
    if (!sim.start(simArgs, 600)) {
        std::fprintf(stderr, "mt3600-sim did not start: %s\n", qPrintable(sim.error()));
        return out;
    }
    ModbusLink link{PortTable{}};
    if (link.OpenPort_Modbus(1, baudCode, 0, sim.ptyPath()) != 0)
        return out;
    Instrument instrument;
    instrument.target().port = 1;
    instrument.target().address = 1;
    Met1 poll(instrument, link);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(2);
    QElapsedTimer sinceTick;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        out.worstLatenessMs = std::max(out.worstLatenessMs, sinceTick.nsecsElapsed() / 1e6 - 2);
        sinceTick.restart();
    });
    // A real event loop: QTest::qWait sleeps 10 ms between its passes over the events, which
    // would delay every wake-up (answer read, next request) by up to that much.
    QEventLoop loop;
    QElapsedTimer cycle;
    int done = -1; // the first cycle warms up and is not counted
    QObject::connect(&poll, &Met1::cycleFinished, [&] {
        if (done >= 0)
            out.ms.push_back(cycle.nsecsElapsed() / 1e6);
        ++done;
        if (done < count) {
            cycle.restart();
            poll.Timer1_Timer();
        } else {
            loop.quit();
        }
    });
    if (watchLateness) {
        sinceTick.start();
        ticker.start();
    }
    cycle.start();
    poll.Timer1_Timer();
    QTimer::singleShot(120000, &loop, &QEventLoop::quit); // bounded
    loop.exec();
    return out;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(3, atoi(argv[1])) : 21;

    std::printf("poll cycle, %d cycles each, over a pty against mt3600-sim\n\n", count);
    std::printf("%-28s %12s %12s %8s\n", "", "median ms", "wire ms", "ratio");
    for (const auto& [baud, code] : {std::pair{9600, 1}, std::pair{19200, 2}}) {
        const Cycles c =
            run_cycles({QStringLiteral("--pace"), QStringLiteral("--baud"), QString::number(baud)},
                       code, count, false);
        const double m = median(c.ms);
        const double limit = wire_limit_ms(baud);
        std::printf("%-28s %12.1f %12.1f %8.2f\n",
                    qPrintable(QStringLiteral("paced, %1 baud").arg(baud)), m, limit, m / limit);
    }
    const Cycles fast = run_cycles({}, 2, count, false);
    const double m = median(fast.ms);
    std::printf("%-28s %12.1f %12s %8s   (%.2f ms a transaction)\n", "unpaced, 19200 settings", m,
                "-", "-", m / 7);

    const Cycles dead = run_cycles({QStringLiteral("--no-answer"), QStringLiteral("1")}, 1,
                                   std::max(3, count / 5), true);
    std::printf("\ndead link (no answers, 9600): cycle median %.0f ms, event loop worst lateness "
                "%.1f ms (2 ms timer)\n",
                median(dead.ms), dead.worstLatenessMs);
    return 0;
}
