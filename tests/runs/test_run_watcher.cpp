// The run watcher on a fake link and a real record file, driven cycle by cycle: which state
// changes begin and end a run, how each ends, which runs are joined, and the program window read
// (reads only) and kept with the run.
#include "link/poll_form.h"
#include "runs/run_store.h"
#include "runs/run_watcher.h"
#include "support/recording_link.h"
#include "support/settable_clock.h"

#include <QTemporaryDir>
#include <QTest>

class TestRunWatcher : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int files = 0;

private slots:
    void runsFromTheProgramState_data() {
        QTest::addColumn<QString>("cycles");   // program state per poll cycle; L: nothing read
        QTest::addColumn<QStringList>("runs"); // ending of each run, "+" when joined
        QTest::newRow("run to its end") << "0 1 1 4" << QStringList{"ended"};
        QTest::newRow("held and resumed, then stopped") << "0 1 2 1 0" << QStringList{"stopped"};
        QTest::newRow("running when first read") << "1 1 4" << QStringList{"ended+"};
        QTest::newRow("held when first read") << "2 1 0" << QStringList{"stopped+"};
        QTest::newRow("two runs") << "0 1 4 1 4" << QStringList{"ended", "ended"};
        QTest::newRow("link lost, then joined again")
            << "0 1 L L L 1 4" << QStringList{"link_lost", "ended+"};
        QTest::newRow("two failed cycles are no loss") << "0 1 L L 1 4" << QStringList{"ended"};
        QTest::newRow("console closed") << "0 1 2" << QStringList{"console_closed"};
    }
    void runsFromTheProgramState() {
        QFETCH(QString, cycles);
        QFETCH(QStringList, runs);
        const QString db = dir.filePath(QStringLiteral("w%1.db").arg(++files));
        SettableClock clock;
        Instrument instrument;
        RecordingLink link;
        link.holdingRegisters = {{7, 3}, {8196, 2}, {8204, 0}, {8209, 250}, {8210, 30}};
        Met1 poll(instrument, link);
        RunStore store(db);
        QVERIFY(store.open());
        {
            RunWatcher watcher(instrument, poll, link, store, &clock);
            for (const QString& c : cycles.split(u' ')) {
                clock.advanceSeconds(1);
                instrument.image().Val3X4097[0] = c.toInt();
                watcher.cycleFinished(c == u"L" ? 0 : 0x7f);
                link.completeAll();
            }
        }
        QStringList kept;
        for (const ProgramRun& r : store.page({}, 10)) {
            kept.prepend(ending_key(r.ending) + (r.joined ? QStringLiteral("+") : QString()));
            QVERIFY(r.programRead);
            QCOMPARE(r.curve, 3);
            QCOMPARE(r.program.segmentCount(), 2);
            QCOMPARE(r.program.segments[0], (ProgramSegment{250, 30, 0, 0}));
            QVERIFY(r.endMs && *r.endMs > r.startMs);
        }
        QCOMPARE(kept, runs);
        QVERIFY(link.writes().isEmpty()); // the program window is only read
    }
};

QTEST_GUILESS_MAIN(TestRunWatcher)
#include "test_run_watcher.moc"
