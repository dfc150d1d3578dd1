// bench_commit [commits]: a commit on the configuration screen while the line is busy. Against
// mt3600-sim --pace at 9600 and 4800 baud, with the poll cycle running (seven reads every 500 ms)
// and CONFIG1 open (six reads every second): the time from leaving an entry box to the answer of
// its write (median and worst), beside one transaction's time on the wire; the worst length of the
// link's queue; and the worst lateness of a 10 ms timer meanwhile.
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "params/config_form.h"
#include "support/sim_process.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kTurnaroundMs = 2.0; // the simulator's default with --pace

// A read of 16 registers (8-byte request, 37-byte answer) and a single-register write (8 and 8),
// each with two 3.5-character gaps and the turnaround.
double read_wire_ms(int baud) {
    return (8 + 37 + 7) * 10.0 * 1000.0 / baud + kTurnaroundMs;
}
double write_wire_ms(int baud) {
    return (8 + 8 + 7) * 10.0 * 1000.0 / baud + kTurnaroundMs;
}

void wait_ms(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Figures {
    std::vector<double> commitMs;
    int worstQueue = 0;
    double worstLateMs = 0;
    int lost = 0;
};

Figures run(int baud, int baudCode, int commits) {
    Figures out;
    SimProcess sim;
    if (!sim.start({QStringLiteral("--pace"), QStringLiteral("--baud"), QString::number(baud)},
                   600)) {
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
    poll.setPollEnabled(true);
    CONFIG1 config(instrument, link, [] {});
    config.Form_Load();
    config.show();
    auto* box = config.findChild<QLineEdit*>(QStringLiteral("T_3RW(10)"));

    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        out.worstLateMs = std::max(out.worstLateMs, double(sinceTick.restart()) - 10.0);
        out.worstQueue = std::max(out.worstQueue, link.queuedCount());
    });
    QElapsedTimer sinceLeave;
    bool waiting = false;
    QString expected;
    QEventLoop answered;
    QTimer bound; // one bound for each commit's wait, never a stale one from an earlier commit
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &answered, &QEventLoop::quit);
    QObject::connect(&link, &InstrumentLink::statusChanged, [&] {
        out.worstQueue = std::max(out.worstQueue, link.queuedCount());
        if (waiting && link.status().lastMessage.startsWith(expected)) {
            out.commitMs.push_back(double(sinceLeave.nsecsElapsed()) / 1e6);
            waiting = false;
            answered.quit();
        }
    });
    wait_ms(1500); // poll cycles and refreshes under way
    sinceTick.start();
    ticker.start();
    for (int i = 0; i < commits; ++i) {
        const int value = 3000 + i;
        expected = QStringLiteral("Set_4X_D1 4106 = %1").arg(value);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QString::number(value)); // typed, as the operator types
        waiting = true;
        sinceLeave.start();
        config.returnButton()->setFocus(Qt::TabFocusReason);
        bound.start(3000);
        if (waiting)
            answered.exec();
        if (waiting) {
            ++out.lost;
            waiting = false;
        }
        wait_ms(137 + (i * 53) % 400); // leave at every phase of the refresh and the poll
    }
    ticker.stop();
    poll.setPollEnabled(false);
    return out;
}

void report(int baud, const Figures& f) {
    std::vector<double> v = f.commitMs;
    std::sort(v.begin(), v.end());
    const double median = v.empty() ? 0 : v[v.size() / 2];
    const double worst = v.empty() ? 0 : v.back();
    std::printf("%5d baud: commit to answer median %6.1f ms, worst %6.1f ms over %zu commits "
                "(%d unanswered);\n"
                "            one 16-register read %.1f ms and one write %.1f ms on the wire; "
                "queue worst %d; 10 ms timer worst %.1f ms late\n",
                baud, median, worst, v.size(), f.lost, read_wire_ms(baud), write_wire_ms(baud),
                f.worstQueue, f.worstLateMs);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int commits = argc > 1 ? std::max(5, std::atoi(argv[1])) : 50;
    std::printf("commit on CONFIG1 with the poll cycle running, against mt3600-sim --pace\n\n");
    report(9600, run(9600, 1, commits));
    report(4800, run(4800, 0, commits));
    return 0;
}
