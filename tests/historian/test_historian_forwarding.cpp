// Store and forward end to end: record files logged as the logger logs, forwarded into the
// throwaway PostgreSQL server, and compared row for row with what arrived. Fails (never skips)
// when MT_TEST_PG names no server.
#include "historian/forwarder.h"
#include "historian_rig.h"
#include "journal/journal_store.h"
#include "runs/run_store.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>

class TestHistorianForwarding : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    ForwarderConfig config(const QString& file, int batch = 5000) {
        QString why;
        const auto info = HistorianConninfo::parse(central_conninfo(), &why);
        return {dir.filePath(file), info.value_or(HistorianConninfo{}), file, 3, {}, {}, batch};
    }
    // Passes until nothing waits; false when one fails.
    static bool drain(ForwardPass& pass, int most = 200) {
        QString why;
        for (int i = 0; i < most; ++i) {
            const auto outcome = pass.step(&why);
            if (outcome == ForwardPass::Outcome::Failed)
                qWarning("%s", qPrintable(why));
            if (outcome != ForwardPass::Outcome::Sent)
                return outcome == ForwardPass::Outcome::Current;
        }
        return false;
    }

private slots:
    void initTestCase() {
        QVERIFY2(!central_conninfo().isEmpty(),
                 "these tests need the throwaway PostgreSQL server: run scripts/test, or "
                 "source scripts/pg-throwaway && pg_throwaway_start");
        QVERIFY2(central_db().isOpen(), qPrintable(central_db().lastError().text()));
    }
    void init() { central_db(true); }

    // Every ring caught up exactly, however far it wrapped; sent again, nothing doubles.
    void caughtUpRowForRow_data() {
        QTest::addColumn<qint64>("shortRows");
        QTest::addColumn<qint64>("longRows");
        QTest::addColumn<bool>("cursorLost");
        QTest::newRow("part of a ring") << qint64(777) << qint64(5) << false;
        QTest::newRow("wrapped ring") << qint64(kRingSize + 1234) << qint64(kRingSize) << false;
        QTest::newRow("wrapped, cursors lost") << qint64(kRingSize + 3) << qint64(1) << true;
    }
    void caughtUpRowForRow() {
        QFETCH(qint64, shortRows);
        QFETCH(qint64, longRows);
        QFETCH(bool, cursorLost);
        const QString name = QTest::currentDataTag();
        LoggedFile file(dir.filePath(name));
        QVERIFY(file.log(RecordTable::Short, shortRows) && file.log(RecordTable::Long, longRows));
        JournalStore journal(dir.filePath(name)); // events with their chain, one without a PV
        for (const double pv : {std::nan(""), 801.5, 0.0})
            QVERIFY(journal.append({0, 1765000000000, "2025-12-06 05:46:40.000", 1,
                                    EventCategory::Write, "register", "PID", "1", "2",
                                    std::isnan(pv) ? std::nullopt : std::optional(pv), "anna", "pc",
                                    "accepted", "Kp 1 → 2", "pc:1:1"}));
        ForwardPass pass(config(name));
        QString why;
        QVERIFY2(pass.start(&why), qPrintable(why));
        QVERIFY(drain(pass));
        if (cursorLost) // a copy of the file from before the cursors moved: all of it again
            QSqlQuery(QSqlDatabase::database(file.db)).exec("delete from historian_cursor");
        QVERIFY(drain(pass));
        QCOMPARE(central_rows(pass.consoleId(), "short"), file.rows(RecordTable::Short));
        QCOMPARE(central_rows(pass.consoleId(), "long"), file.rows(RecordTable::Long));
        QCOMPARE(pass.waiting(), 0);
        QSqlQuery local(QSqlDatabase::database(file.db)), central(central_db());
        QVERIFY(local.exec("select seq, hash, pv, detail from events order by seq"));
        QVERIFY(central.exec("select seq, hash, pv, detail from events order by seq"));
        while (local.next()) {
            QVERIFY(central.next());
            const auto text = [](const QSqlQuery& q, int c) {
                return q.isNull(c) ? QString("NULL") : q.value(c).toString();
            };
            for (int c = 0; c < 4; ++c)
                QCOMPARE(text(central, c), text(local, c));
        }
        QVERIFY(!central.next());
    }

    // A database wiped (or another one) gets everything again; a newer one is refused, saying so.
    void newDatabase() {
        LoggedFile file(dir.filePath("new"));
        QVERIFY(file.log(RecordTable::Short, 50));
        ForwardPass pass(config("new"));
        QString why;
        QVERIFY(pass.start(&why) && drain(pass));
        central_db(true);
        ForwardPass again(config("new")); // the console started again
        QVERIFY(again.start(&why) && drain(again));
        QCOMPARE(central_rows(again.consoleId(), "short"), file.rows(RecordTable::Short));
        QVERIFY(QSqlQuery(central_db()).exec("insert into schema_version values (2)"));
        ForwardPass older(config("new"));
        QVERIFY(older.start(&why));
        QCOMPARE(older.step(&why), ForwardPass::Outcome::Failed);
        QVERIFY2(why.contains("schema version 2, newer than this console knows (1)"),
                 qPrintable(why));
    }

    // Two consoles into one database, each its own rows under its own id.
    void twoConsolesKeptApart() {
        LoggedFile a(dir.filePath("a")), b(dir.filePath("b"));
        QVERIFY(a.log(RecordTable::Short, 300) && b.log(RecordTable::Short, 500));
        ForwardPass pa(config("a")), pb(config("b"));
        QString why;
        QVERIFY(pa.start(&why) && pb.start(&why));
        QVERIFY(drain(pa) && drain(pb));
        QVERIFY(pa.consoleId() != pb.consoleId());
        QCOMPARE(central_rows(pa.consoleId(), "short"), a.rows(RecordTable::Short));
        QCOMPARE(central_rows(pb.consoleId(), "short"), b.rows(RecordTable::Short));
        QCOMPARE(central_count("consoles"), 2);
    }

    // A run goes once it has ended, with its times; one still going waits, and so does the next.
    void runsGoWhenEnded() {
        LoggedFile file(dir.filePath("runs"));
        RunStore runs(dir.filePath("runs"));
        QVERIFY(runs.open());
        ProgramRun run;
        run.curve = 3;
        run.startMs = 1765000000000;
        run.seenMs = run.startMs;
        run.startLocal = local_text(run.startMs);
        const auto first = runs.begin(run), second = runs.begin(run);
        QVERIFY(first && second && runs.finish(*first, RunEnding::Ended, run.startMs + 60000));
        ForwardPass pass(config("runs"));
        QString why;
        QVERIFY(pass.start(&why) && drain(pass));
        QSqlQuery q(central_db());
        QVERIFY(q.exec("select run_number, (extract(epoch from ended_utc) * 1000)::bigint, "
                       "data->>'ending' from runs order by run_number"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), *first);
        QCOMPARE(q.value(1).toLongLong(), run.startMs + 60000);
        QCOMPARE(q.value(2).toString(), QStringLiteral("ended"));
        QVERIFY(!q.next()); // the second still runs
        QVERIFY(runs.finish(*second, RunEnding::Stopped, run.startMs + 90000) && drain(pass));
        QCOMPARE(central_count("runs"), 2);
    }

    // The ring come round past the cursor while the server was away: one gap of the rows lost,
    // journaled and forwarded, and everything still held forwarded after it.
    void overtakenCursorGivesOneGap_data() {
        QTest::addColumn<qint64>("overtakenBy");
        QTest::newRow("one row") << qint64(1);
        QTest::newRow("500 rows") << qint64(500);
        QTest::newRow("exactly one ring: none lost") << qint64(0);
    }
    void overtakenCursorGivesOneGap() {
        QFETCH(qint64, overtakenBy);
        const QString name = QTest::currentDataTag();
        LoggedFile file(dir.filePath(name));
        QVERIFY(file.log(RecordTable::Short, 100));
        ForwardPass pass(config(name));
        QString why;
        QVERIFY(pass.start(&why) && drain(pass));
        QVERIFY(file.log(RecordTable::Short, kRingSize + overtakenBy));
        QVERIFY(drain(pass) && drain(pass));
        const QString gaps =
            QStringLiteral("events where code = 'gap' and console = '%1'").arg(pass.consoleId());
        QCOMPARE(central_count(gaps), overtakenBy > 0 ? 1 : 0);
        QCOMPARE(central_count(gaps + QStringLiteral(" and new_value = '%1'").arg(overtakenBy)),
                 overtakenBy > 0 ? 1 : 0);
        QCOMPARE(central_count("records"), 100 + kRingSize);
    }

    // The server stopped as a crash stops it while batches go, and started again: nothing lost,
    // nothing twice, and the forwarder on its thread found it again by itself.
    void serverStoppedAndStarted() {
        LoggedFile file(dir.filePath("restart"));
        QVERIFY(file.log(RecordTable::Short, kRingSize));
        HistorianForwarder forwarder(config("restart", 2000));
        QSignalSpy states(&forwarder, &HistorianForwarder::stateChanged);
        const auto phase = [&] { return forwarder.state().phase; };
        forwarder.start();
        QTRY_VERIFY_WITH_TIMEOUT(phase() == HistorianState::Phase::CatchingUp, 30000);
        QVERIFY(pg_ctl("stop"));
        QTRY_VERIFY_WITH_TIMEOUT(phase() == HistorianState::Phase::Failing, 30000);
        QVERIFY(pg_ctl("start"));
        QTRY_VERIFY_WITH_TIMEOUT(phase() == HistorianState::Phase::Current, 90000);
        QSqlDatabase::database("historian-test").close();
        ForwardPass reader(config("restart"));
        QString why;
        QVERIFY(reader.start(&why));
        QCOMPARE(central_rows(reader.consoleId(), "short"), file.rows(RecordTable::Short));
        QCOMPARE(central_count("events where code = 'historian failing'"), 1);
    }
};

QTEST_GUILESS_MAIN(TestHistorianForwarding)
#include "test_historian_forwarding.moc"
