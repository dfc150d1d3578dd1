// mt3600-console --run-report from the command line, with no window and no display, on a record
// file holding two runs: the newest run that ended by default, PDF or CSV by the ending, and the
// refusals as rows (exit 2 with the reason, no file left).
#include "core/conversions.h"
#include "journal/event_journal.h"
#include "records/record_store.h"
#include "runs/run_store.h"
#include "support/settable_clock.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
std::pair<int, QString> run_console(const QStringList& args) {
    QProcess console;
    console.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    console.setProcessEnvironment(env);
    console.start(QStringLiteral(MT3600_CONSOLE_PATH), args + QStringList{"--lang", "en"});
    if (!console.waitForFinished(30000))
        return {-1, QStringLiteral("still running")};
    return {console.exitCode(), QString::fromUtf8(console.readAll())};
}

// A run of a two-segment program (ramp, soak) from `start` for `seconds`.
ProgramRun run_at(const QDateTime& start, int seconds) {
    ProgramRun r;
    r.curve = 2;
    r.address = 1;
    r.startMs = start.toMSecsSinceEpoch();
    r.startLocal = local_text(r.startMs);
    r.startSegment = 1;
    r.programRead = true;
    r.program.curve = 2;
    r.program.header[2] = 2; // seconds
    r.program.header[3] = 2;
    r.program.segments[0] = {300, qint16(seconds / 2), 0, 0};
    r.program.segments[1] = {300, qint16(seconds / 2), 0, 0};
    return r;
}
} // namespace

class TestRunReportCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;
    QDateTime t0 = QDateTime(QDate::currentDate().addDays(-1), QTime(12, 0));

private slots:
    void initTestCase() {
        db = dir.filePath(QStringLiteral("records.db"));
        RecordStore records(db);
        QVERIFY(records.open());
        for (int s = 0; s <= 120; ++s) { // two minutes of short records at PV 300
            const QDateTime at = t0.addSecs(s);
            QVERIFY(records.writeRecord(RecordTable::Short, s + 1, ole_date(at.date()),
                                        ole_time(at.time()), {300, 50, 300, 0, 0, 0, 0, 0}));
        }
        RunStore runs(db);
        QVERIFY(runs.open());
        // Run 1 began an hour before the oldest record; run 2 lies within the short ring.
        const auto early = runs.begin(run_at(t0.addSecs(-3600), 60));
        QVERIFY(early &&
                runs.finish(*early, RunEnding::Stopped, t0.addSecs(-3500).toMSecsSinceEpoch()));
        const auto within = runs.begin(run_at(t0.addSecs(10), 100));
        QVERIFY(within &&
                runs.finish(*within, RunEnding::Ended, t0.addSecs(110).toMSecsSinceEpoch()));
        QVERIFY(runs.begin(run_at(t0.addSecs(115), 100))); // still running: never the default
        // Measured from the first read on; the soak began a minute in, as the journal says.
        SettableClock clock(t0);
        EventJournal journal(db, &clock);
        QVERIFY(journal.open());
        EventDraft firstRead;
        firstRead.category = EventCategory::Link;
        firstRead.code = QStringLiteral("first_read");
        QVERIFY(journal.record(firstRead));
        clock.advanceSeconds(60);
        EventDraft segment;
        segment.category = EventCategory::Program;
        segment.code = QStringLiteral("segment");
        segment.newValue = QStringLiteral("2");
        QVERIFY(journal.record(segment));
        QVERIFY(QFile::copy(db, dir.filePath(QStringLiteral("records.pdf"))));
        RunStore unended(dir.filePath(QStringLiteral("unended.db")));
        QVERIFY(unended.open() && unended.begin(run_at(t0, 10)));
    }

    void reports_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        const QString csv = dir.filePath(QStringLiteral("run.csv"));
        QTest::newRow("newest ended, CSV")
            << QStringList{"--run-report", csv, "--db", db} << 0 << "report of run 2";
        QTest::newRow("PDF") << QStringList{"--run-report", dir.filePath("run.pdf"), "--db", db}
                             << 0 << "report of run 2";
        QTest::newRow("no such run") << QStringList{"--run-report", csv, "--run", "9", "--db", db}
                                     << 2 << "there is no run 9";
        QTest::newRow("records overwritten")
            << QStringList{"--run-report", csv, "--run", "1", "--db", db} << 2
            << "have been overwritten";
        QTest::newRow("no run ended")
            << QStringList{"--run-report", csv, "--db", dir.filePath("unended.db")} << 2
            << "no run has ended";
        QTest::newRow("folder missing")
            << QStringList{"--run-report", dir.filePath("none/run.csv"), "--db", db} << 2
            << "cannot be written";
        QTest::newRow("the record file itself")
            << QStringList{"--run-report", dir.filePath("records.pdf"), "--db",
                           dir.filePath("records.pdf")}
            << 2 << "record file's own";
        QTest::newRow("neither PDF nor CSV")
            << QStringList{"--run-report", dir.filePath("run.txt"), "--db", db} << 2
            << "ending in .pdf or .csv";
        QTest::newRow("--run alone")
            << QStringList{"--run", "2", "--db", db} << 2 << "--run goes with --run-report";
    }
    void reports() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFile::remove(dir.filePath(QStringLiteral("run.csv")));
        const auto [code, out] = run_console(args);
        QVERIFY2(out.contains(said, Qt::CaseInsensitive), qPrintable(out));
        QCOMPARE(code, exitCode);
        const QString target = args.value(1);
        if (exitCode != 0 && !target.endsWith(u"records.pdf"))
            QVERIFY(!QFile::exists(target));
        if (exitCode == 0) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            if (target.endsWith(u".pdf")) {
                QVERIFY(bytes.startsWith("%PDF"));
                return;
            }
            // The header and the two segments; the soak at PV 300 on its target.
            const QList<QByteArray> lines = bytes.trimmed().split('\n');
            QCOMPARE(lines.size(), 3);
            QVERIFY2(lines[2].startsWith("2,300,0:00:50,"), lines[2].constData());
            QVERIFY2(lines[2].contains(",yes,300.0,300.0,300.0,0:00:00,0:00:00"),
                     lines[2].constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestRunReportCli)
#include "test_run_report_cli.moc"
