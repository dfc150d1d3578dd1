// bench_readback [read-backs]: the program editor on a busy line. Against mt3600-sim --pace at
// 9600 baud with the poll cycle running: one read-back of the program window (13 reads of 16
// registers) beside its wire time; the poll cycle's period while read-backs run; and the display
// refresh with the plot's redraw (24 segments drawn every time).
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "programs/tech_form.h"
#include "support/sim_process.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kTurnaroundMs = 2.0; // the simulator's default with --pace

double read_wire_ms(int baud) {
    return (8 + 37 + 7) * 10.0 * 1000.0 / baud + kTurnaroundMs;
}

void wait_until(const std::function<bool()>& done, int boundMs) {
    QEventLoop loop;
    QTimer check;
    check.setInterval(1);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
double worst(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 20;
    SimProcess sim;
    if (!sim.start({QStringLiteral("--pace"), QStringLiteral("--baud"), QStringLiteral("9600")},
                   600)) {
        std::fprintf(stderr, "mt3600-sim did not start: %s\n", qPrintable(sim.error()));
        return 1;
    }
    ModbusLink link{PortTable{}};
    if (link.OpenPort_Modbus(1, 1, 0, sim.ptyPath()) != 0)
        return 1;
    Instrument instrument;
    instrument.target().port = 1;
    instrument.target().address = 1;
    Met1 poll(instrument, link);
    QElapsedTimer clock;
    clock.start();
    std::vector<double> cycleEnds;
    QObject::connect(&poll, &Met1::cycleFinished,
                     [&] { cycleEnds.push_back(double(clock.nsecsElapsed()) / 1e6); });
    poll.setPollEnabled(true);
    Tech tech(instrument, link, [] {});
    tech.Form_Load();
    tech.show();
    tech.timer2().stop(); // the bench starts each read-back itself
    tech.timer1().stop();

    std::vector<double> readBack;
    const std::size_t cyclesBefore = cycleEnds.size();
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        tech.Timer2_Timer();
        wait_until([&] { return !tech.readingBack(); }, 10000);
        readBack.push_back(double(t.nsecsElapsed()) / 1e6);
        tech.timer2().stop();
    }
    std::vector<double> periods;
    for (std::size_t i = cyclesBefore + 1; i < cycleEnds.size(); ++i)
        periods.push_back(cycleEnds[i] - cycleEnds[i - 1]);
    poll.setPollEnabled(false);

    std::vector<double> refresh;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        tech.Timer1_Timer();
        refresh.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("program editor against mt3600-sim --pace at 9600 baud, poll cycle running\n\n");
    std::printf("read-back of the window (13 reads): median %.0f ms, worst %.0f ms over %d; "
                "13 reads alone take %.0f ms on the wire\n",
                median(readBack), worst(readBack), rounds, 13 * read_wire_ms(9600));
    std::printf("poll cycle period meanwhile: median %.0f ms, worst %.0f ms over %zu cycles "
                "(timer 500 ms)\n",
                median(periods), worst(periods), periods.size());
    std::printf("display refresh with the plot's redraw: median %.2f ms, worst %.2f ms over 50\n",
                median(refresh), worst(refresh));
    return 0;
}
