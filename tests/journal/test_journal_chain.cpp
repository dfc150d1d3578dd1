// The journal's hash chain against a second program on the record file (as sqlite3 would be:
// guards dropped, rows deleted and edited): --verify-journal names the first break; the console's
// next start makes the guards again and says so; events from before the chain are chained once;
// two connections appending at once keep one chain; and consoles killed while another ran are
// found, each once, by real console processes.
#include "journal/event_journal.h"
#include "journal/journal_chain.h"
#include "journal_fill.h"
#include "support/settable_clock.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

// Runs statements on the file through a connection of its own, as another program would.
bool tamper(const QString& path, const QStringList& statements) {
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "tamper");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& sql : statements)
            if (ok && !q.exec(sql)) {
                qWarning() << sql << q.lastError().text();
                ok = false;
            }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tamper"));
    return ok;
}

qint64 count_of(const QString& path, const QString& where) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "count");
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("select count(*) from events where ") + where) &&
            q.next())
            n = q.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return n;
}

EventDraft write_event(int k) {
    EventDraft d;
    d.category = EventCategory::Write;
    d.code = QStringLiteral("register");
    d.newValue = QString::number(k);
    d.detail = QStringLiteral("Register 3 = %1").arg(k);
    return d;
}

const QStringList kDropGuards{"drop trigger events_no_update", "drop trigger events_no_delete"};

} // namespace

class TestJournalChain : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void verifyNamesTheFirstBreak_data();
    void verifyNamesTheFirstBreak();
    void droppedGuardsAreRemadeAndJournaled();
    void earlierEventsAreChainedOnce();
    void twoConnectionsAppendOneChain();
    void consoleKilledBesideAnotherIsFoundOnce();
};

void TestJournalChain::verifyNamesTheFirstBreak_data() {
    QTest::addColumn<QStringList>("statements"); // after the guards were dropped; none: untouched
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("intact") << QStringList{} << 0 << "chain intact: 10 events";
    QTest::newRow("a row deleted, a later one edited")
        << QStringList{"delete from events where seq = 4",
                       "update events set new_value = '9' where seq = 7"}
        << 1 << "chain broken at event 4: event 4 is missing";
    QTest::newRow("a row edited, a later one deleted")
        << QStringList{"update events set detail = 'Register 3 = 0' where seq = 3",
                       "delete from events where seq = 8"}
        << 1 << "chain broken at event 3: event 3 was changed after it was journaled";
    QTest::newRow("two rows deleted") << QStringList{"delete from events where seq in (5, 6)"} << 1
                                      << "chain broken at event 5: events 5 to 6 are missing";
    QTest::newRow("the newest deleted") << QStringList{"delete from events where seq = 10"} << 1
                                        << "chain broken at event 10: event 10, the newest";
    QTest::newRow("a hash overwritten")
        << QStringList{"update events set hash = '" + QString(64, u'0') + "' where seq = 2"} << 1
        << "chain broken at event 2: the hash of event 2 does not match the chain";
    QTest::newRow("a row slipped in without a hash")
        << QStringList{"insert into events (utc_ms, local_time, category, code) values (0, '', "
                       "'write', 'register')"}
        << 1 << "chain broken at event 11: event 11 has no hash";
}

void TestJournalChain::verifyNamesTheFirstBreak() {
    QFETCH(QStringList, statements);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString path = dir.filePath(QStringLiteral("%1.db").arg(QTest::currentDataTag()));
    {
        EventJournal journal(path);
        QVERIFY(journal.open());
        for (int k = 1; k <= 10; ++k)
            QVERIFY(journal.record(write_event(k)));
    }
    if (!statements.isEmpty())
        QVERIFY(tamper(path, kDropGuards + statements));
    QProcess console;
    console.setProcessChannelMode(QProcess::MergedChannels);
    console.start(QStringLiteral(MT3600_CONSOLE_PATH),
                  {"--verify-journal", "--db", path, "--lang", "en"});
    QVERIFY(console.waitForFinished(30000));
    const QString printed = QString::fromUtf8(console.readAll());
    QVERIFY2(printed.contains(said), qPrintable(printed));
    QCOMPARE(console.exitCode(), status);
}

void TestJournalChain::droppedGuardsAreRemadeAndJournaled() {
    const QString path = dir.filePath(QStringLiteral("guards.db"));
    {
        EventJournal journal(path);
        QVERIFY(journal.open());
        journal.startSession();
        journal.endSession();
    }
    QVERIFY(tamper(path, kDropGuards));
    {
        EventJournal journal(path);
        QVERIFY(journal.open());
        journal.startSession();
        journal.endSession();
    }
    QCOMPARE(count_of(path, "code = 'guards_remade' and new_value = "
                            "'events_no_update,events_no_delete'"),
             qint64(1));
    QVERIFY(!tamper(path, {"delete from events where seq = 1"})); // the guard is back
    ChainCheck check(path);
    QCOMPARE(check.runToEnd(), ChainCheck::State::Intact);
}

void TestJournalChain::earlierEventsAreChainedOnce() {
    const QString path = dir.filePath(QStringLiteral("earlier.db"));
    QVERIFY(fill_journal(path, 50, 0, 1000)); // written without hashes, as before the chain
    ChainCheck before(path);
    QCOMPARE(before.runToEnd(), ChainCheck::State::Broken);
    QCOMPARE(before.breakSeq(), qint64(1));
    for (int start = 0; start < 2; ++start) {
        EventJournal journal(path);
        QVERIFY(journal.open());
        journal.startSession();
        journal.endSession();
    }
    QCOMPARE(count_of(path, "code = 'chained'"), qint64(1));
    QCOMPARE(count_of(path, "code = 'chained' and new_value = '50'"), qint64(1));
    ChainCheck after(path);
    QCOMPARE(after.runToEnd(), ChainCheck::State::Intact);
    QCOMPARE(after.checked(), count_of(path, "1")); // every event, the 50 among them
}

void TestJournalChain::twoConnectionsAppendOneChain() {
    const QString path = dir.filePath(QStringLiteral("two.db"));
    JournalStore(path).open();
    // Each thread a console of its own: its connection, its appends, as fast as they go.
    auto console = [&path](int first) {
        JournalStore store(path);
        JournalEntry e;
        e.category = EventCategory::Write;
        for (int k = 0; k < 150; ++k) {
            e.code = QString::number(first + k);
            for (int attempt = 0; attempt < 20 && !store.append(e); ++attempt) {
            }
        }
    };
    std::thread a(console, 0);
    std::thread b(console, 1000);
    a.join();
    b.join();
    ChainCheck check(path);
    QCOMPARE(check.runToEnd(), ChainCheck::State::Intact);
    QCOMPARE(check.checked(), qint64(300));
}

void TestJournalChain::consoleKilledBesideAnotherIsFoundOnce() {
    const QString path = dir.filePath(QStringLiteral("sessions.db"));
    auto started = [&](QProcess& p, qint64 nth) {
        p.start(QStringLiteral(MT3600_CONSOLE_PATH),
                {"--db", path, "--lang", "en", "--max-seconds", "90"});
        QTRY_COMPARE_WITH_TIMEOUT(count_of(path, "code = 'started'"), nth, 30000);
    };
    QProcess killed;
    started(killed, 1);
    QProcess second;
    started(second, 2);
    QCOMPARE(count_of(path, "code = 'unclean_end'"), qint64(0)); // the first one still runs
    killed.kill();
    QVERIFY(killed.waitForFinished(10000));
    second.terminate();
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(count_of(path, "code = 'ended'"), qint64(1));
    for (qint64 nth : {3, 4}) {
        QProcess next;
        started(next, nth);
        next.terminate();
        QVERIFY(next.waitForFinished(30000));
    }
    QCOMPARE(count_of(path, "code = 'unclean_end'"), qint64(1));
    QCOMPARE(count_of(path, "code = 'unclean_end' and old_value = (select session from events "
                            "where code = 'started' order by seq limit 1)"),
             qint64(1));
    ChainCheck check(path);
    QCOMPARE(check.runToEnd(), ChainCheck::State::Intact);
}

QTEST_GUILESS_MAIN(TestJournalChain)
#include "test_journal_chain.moc"
