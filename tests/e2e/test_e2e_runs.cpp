// A program run against the simulated instrument, fast, over a pseudo terminal: a three-segment
// program started from the overview, held once and resumed from it, run to its end. The run row
// read back from the record file, with the program as read; then its report from the command line
// (CSV read back): the three segments, the soak, the hold.
#include "journal/event_journal.h"
#include "journal/event_watcher.h"
#include "journal/journal_link.h"
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "overview/overview_form.h"
#include "records/logger_form.h"
#include "records/logger_state.h"
#include "runs/run_store.h"
#include "runs/run_watcher.h"
#include "support/sim_process.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The console's parts that keep runs, as the assembly puts them together.
struct Rig {
    explicit Rig(const QString& db)
        : journal(db), journaled(wire, journal), poll(instrument, journaled),
          watcher(instrument, poll, journaled, journal), runs(db),
          runWatcher(instrument, poll, journaled, runs), logger(instrument.image(), logging, db) {
        journal.setAddressSource(target_address(instrument.target()));
        journal.open();
        runs.open();
    }
    Instrument instrument;
    EventJournal journal;
    ModbusLink wire{PortTable{}};
    JournalLink journaled;
    Met1 poll;
    EventWatcher watcher;
    RunStore runs;
    RunWatcher runWatcher;
    LoggerState logging;
    mscom logger;
};

void command_state(QWidget& overview, int entry) {
    auto* list = overview.findChild<QComboBox*>(QStringLiteral("Combo3"));
    auto* click = overview.findChild<QPushButton*>(QStringLiteral("Command13"));
    QVERIFY(list && click);
    list->setCurrentIndex(entry);
    QTest::mouseClick(click, Qt::LeftButton);
}
} // namespace

class TestE2eRuns : public QObject {
    Q_OBJECT
private slots:
    void runKeptAndReported();

private:
    QTemporaryDir dir;
};

void TestE2eRuns::runKeptAndReported() {
    SimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--speed"), QStringLiteral("200")}));
    const QString db = dir.filePath(QStringLiteral("runs.db"));
    Rig rig(db);
    OverviewForm overview(rig.instrument, rig.journaled, rig.poll, PortTable{});
    overview.show();
    overview.applyLinkOptions(sim.ptyPath(), 1, 0, 1);
    overview.Command9_Click();
    QTRY_VERIFY_WITH_TIMEOUT(rig.poll.cyclesCompleted() >= 2, 3000);
    QCOMPARE(rig.instrument.image().Val4X[6], 0.f); // curve 0: 200 for 10 min, 200, 600 for 20
    bool written = false;
    rig.journaled.Set_4X_D1(rig.instrument.target().port, 1, 8196, 3, nullptr,
                            [&](int r) { written = r == 0; });
    QTRY_VERIFY_WITH_TIMEOUT(written, 3000);

    QTest::mouseClick(overview.findChild<QPushButton*>(QStringLiteral("Command12")),
                      Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Bit0X[1], 1, 3000);
    command_state(overview, 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        rig.runWatcher.currentRun() && rig.runWatcher.currentRun()->programRead, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Val3X4097[3], 2, 15000);
    command_state(overview, 2);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Val3X4097[0], 2, 3000);
    QTest::qWait(1500); // held a while
    command_state(overview, 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Val3X4097[0], 4, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!rig.runWatcher.currentRun(), 3000);

    // The run as the record file keeps it.
    const auto run = rig.runs.run(1);
    QVERIFY(run);
    QCOMPARE(run->ending, RunEnding::Ended);
    QVERIFY(!run->joined);
    QCOMPARE(run->curve, 0);
    QVERIFY(run->programRead);
    QCOMPARE(run->program.segmentCount(), 3);
    QCOMPARE(run->program.segments[2].target, qint16(600));
    QVERIFY(run->endMs && *run->endMs > run->startMs);
    QVERIFY(!rig.runs.run(2));
    overview.Command10_Click();

    // Its report from the command line.
    QProcess console;
    console.setProcessChannelMode(QProcess::MergedChannels);
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    console.start(QStringLiteral(MT3600_CONSOLE_PATH),
                  {"--run-report", csv, "--db", db, "--lang", "en"});
    QVERIFY(console.waitForFinished(30000));
    QVERIFY2(console.exitCode() == 0, console.readAll().constData());
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    const QList<QByteArray> soak = lines[2].split(',');
    QCOMPARE(soak.value(0), QByteArray("2"));
    QCOMPARE(soak.value(8), QByteArray("yes"));
    QVERIFY2(soak.value(6) != "0:00:00", lines[2].constData()); // on hold
    QVERIFY2(!soak.value(9).isEmpty(), lines[2].constData());   // PV measured on the soak
    QVERIFY(sim.terminate());
}

QTEST_MAIN(TestE2eRuns)
#include "test_e2e_runs.moc"
