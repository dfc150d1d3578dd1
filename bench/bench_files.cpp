// bench_files: instrument files on a busy line. Against mt3600-sim --pace at 9600 baud with the
// poll cycle running: a backup, a compare, and a restore of 20 differences; for each the wall time
// beside the wire time of the transactions it made, and the poll cycle's worst period meanwhile.
#include "files/setup_job.h"
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "support/sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {
constexpr double kTurnaroundMs = 2.0;
// Wire time of one transaction: request and answer bytes, two 3.5-character gaps, turnaround.
double wire_ms(int requestBytes, int answerBytes) {
    return (requestBytes + answerBytes + 7) * 10.0 * 1000.0 / 9600 + kTurnaroundMs;
}

struct Run {
    double ms = 0;
    double wire = 0;
    double worstPollPeriod = 0;
    int transactions = 0;
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
    double lastCycle = -1;
    double worstPeriod = 0;
    QObject::connect(&poll, &Met1::cycleFinished, [&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        if (lastCycle >= 0)
            worstPeriod = std::max(worstPeriod, now - lastCycle);
        lastCycle = now;
    });
    poll.setPollEnabled(true);
    // Every transaction this bench's jobs make, by kind, for their wire time.
    double wire = 0;
    int transactions = 0;
    QObject::connect(&link, &InstrumentLink::statusChanged, [&] {
        const QString m = link.status().lastMessage;
        if (m.startsWith(QStringLiteral("Get_4X_DX")) ||
            m.startsWith(QStringLiteral("Get_3X_DX"))) {
            const int count = m.section(u'+', 1).section(u':', 0, 0).toInt();
            wire += wire_ms(8, 5 + 2 * count);
            ++transactions;
        } else if (m.startsWith(QStringLiteral("Set_4X_D1"))) {
            wire += wire_ms(8, 8);
            ++transactions;
        }
    });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("setup.json"));
    auto run = [&](const std::function<void(SetupJob&)>& start) {
        SetupJob job(link, instrument.target());
        QEventLoop loop;
        QObject::connect(&job, &SetupJob::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(300000, &loop, &QEventLoop::quit); // bounded
        // The poll cycle's own reads are counted too: subtract them by measuring only the job's
        // kinds is not possible on one status line, so the wire figure includes the poll's share.
        wire = 0;
        transactions = 0;
        worstPeriod = 0;
        lastCycle = -1;
        QElapsedTimer t;
        t.start();
        start(job);
        loop.exec();
        for (const QString& line : job.report())
            if (!line.contains(u'\t'))
                std::printf("    %s\n", qPrintable(line));
        return Run{double(t.nsecsElapsed()) / 1e6, wire, worstPeriod, transactions};
    };
    auto report = [](const char* what, const Run& r) {
        std::printf("%-28s %7.0f ms wall, %7.0f ms on the wire for its %d transactions (the poll "
                    "cycle's included); poll period worst %.0f ms\n",
                    what, r.ms, r.wire, r.transactions, r.worstPollPeriod);
    };
    std::printf("instrument files against mt3600-sim --pace at 9600 baud, poll cycle running\n\n");
    report("backup", run([&](SetupJob& j) { j.backup(file, {}); }));
    report("compare (no differences)", run([&](SetupJob& j) { j.compare(file); }));
    // 20 differences: ten configuration and alarm values, ten segments of curve 5.
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 1;
    QString why;
    auto parsed = parse_instrument_file(f.readAll(), &why);
    f.close();
    if (!parsed)
        return 1;
    int changed = 0;
    for (auto& [key, value] : parsed->values) {
        const MapEntry* e = find_entry(key.first, key.second);
        if (!e || !e->writable || e->comms || e->info->kind == FieldKind::Option)
            continue;
        const bool take =
            (key.first < 0 &&
             (key.second == 4106 || key.second == 4107 || key.second == 4110 ||
              key.second == 4111 || key.second == 4114 || key.second == 4115 || key.second == 257 ||
              key.second == 260 || key.second == 263 || key.second == 4363)) ||
            (key.first == 5 && e->segment > 0 && e->segment <= 10 &&
             e->reg == 8209 + 8 * (e->segment - 1));
        if (take && changed < 20) {
            value = value + 1;
            ++changed;
        }
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(instrument_file_json(*parsed));
    out.close();
    report("restore of 20 differences", run([&](SetupJob& j) { j.restore(file, false); }));
    poll.setPollEnabled(false);
    return 0;
}
