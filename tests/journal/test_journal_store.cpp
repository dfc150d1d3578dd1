// The journal's table in a real record file: append-only by the file itself, pages that continue
// without a gap or a double, and an unclean end found at the next start.
#include "core/clock.h"
#include "journal/event_journal.h"
#include "journal/journal_marks.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return at; }
    QDateTime at = QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0));
};

EventDraft draft(EventCategory c, const QString& code, const QString& detail = QString()) {
    EventDraft d;
    d.category = c;
    d.code = code;
    d.source = QStringLiteral("test");
    d.detail = detail;
    return d;
}
} // namespace

class TestJournalStore : public QObject {
    Q_OBJECT
private slots:
    void rowsCannotBeChangedOrDeleted_data();
    void rowsCannotBeChangedOrDeleted();
    void pagesContinueAcrossEqualTimes();
    void filterByCategoryTextAndTime();
    void uncleanEndIsFoundOnceAtTheNextStart();
    void eventsWaitWhileTheFileIsAway();
    void chartSpansFromTheirEvents_data();
    void chartSpansFromTheirEvents();

private:
    QTemporaryDir dir;
};

void TestJournalStore::rowsCannotBeChangedOrDeleted_data() {
    QTest::addColumn<QString>("sql");
    QTest::newRow("update") << "update events set result = 'forged' where seq = 1";
    QTest::newRow("delete one") << "delete from events where seq = 1";
    QTest::newRow("delete all") << "delete from events";
}

void TestJournalStore::rowsCannotBeChangedOrDeleted() {
    QFETCH(QString, sql);
    const QString path = dir.filePath(QStringLiteral("guard.db"));
    EventJournal journal(path);
    QVERIFY(journal.open());
    QVERIFY2(journal.record(draft(EventCategory::Write, QStringLiteral("register"))),
             qPrintable(journal.status().text));
    // Another program on the same file, as a user with sqlite3 would be.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("x"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(!q.exec(sql));
        QVERIFY2(q.lastError().text().contains(QStringLiteral("append-only")),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.exec(QStringLiteral("select count(*), min(result) from events")) && q.next());
        QVERIFY(q.value(0).toInt() >= 1);
        QVERIFY(q.value(1).toString() != QStringLiteral("forged"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("x"));
}

void TestJournalStore::pagesContinueAcrossEqualTimes() {
    FixedClock clock;
    EventJournal journal(dir.filePath(QStringLiteral("pages.db")), &clock);
    QVERIFY(journal.open());
    // 25 events, five to a millisecond: a page boundary falls inside a run of equal times.
    for (int i = 0; i < 25; ++i) {
        if (i % 5 == 0)
            clock.at = clock.at.addMSecs(1);
        QVERIFY(journal.record(draft(EventCategory::Alarm, QString::number(i))));
    }
    QList<qint64> seen;
    std::optional<JournalCursor> cursor;
    for (;;) {
        const auto page = journal.store().page({}, cursor, 7);
        if (page.empty())
            break;
        for (const JournalEntry& e : page)
            seen << e.seq;
        cursor = JournalCursor{page.back().utcMs, page.back().seq};
    }
    QCOMPARE(seen.size(), 25);
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] == seen[i - 1] - 1, "newest first, each once");
}

void TestJournalStore::filterByCategoryTextAndTime() {
    FixedClock clock;
    EventJournal journal(dir.filePath(QStringLiteral("filter.db")), &clock);
    QVERIFY(journal.open());
    const QDateTime t0 = clock.at;
    journal.record(draft(EventCategory::Alarm, QStringLiteral("alarm1_on"), QStringLiteral("A")));
    clock.at = t0.addSecs(60);
    journal.record(
        draft(EventCategory::Write, QStringLiteral("register"), QStringLiteral("50%_x")));
    clock.at = t0.addSecs(120);
    journal.record(draft(EventCategory::Link, QStringLiteral("lost"), QStringLiteral("B")));

    auto codes = [&](const JournalFilter& f) {
        QStringList c;
        for (const JournalEntry& e : journal.store().page(f, std::nullopt, 10))
            c << e.code;
        return c.join(u',');
    };
    QCOMPARE(codes({}), QStringLiteral("lost,register,alarm1_on"));
    QCOMPARE(codes({{}, {}, {EventCategory::Alarm, EventCategory::Link}, {}}),
             QStringLiteral("lost,alarm1_on"));
    // Wildcards typed by the operator are taken literally.
    QCOMPARE(codes({{}, {}, {}, QStringLiteral("%_")}), QStringLiteral("register"));
    QCOMPARE(codes({{}, {}, {}, QStringLiteral("ALARM1")}), QStringLiteral("alarm1_on"));
    QCOMPARE(codes({t0.addSecs(60), t0.addSecs(60), {}, {}}), QStringLiteral("register"));
}

void TestJournalStore::uncleanEndIsFoundOnceAtTheNextStart() {
    const QString path = dir.filePath(QStringLiteral("unclean.db"));
    FixedClock clock;
    auto count = [&](const QString& code) {
        EventJournal reader(path, &clock);
        reader.open();
        JournalFilter f;
        f.categories = {EventCategory::Console};
        int n = 0;
        for (const JournalEntry& e : reader.store().page(f, std::nullopt, 100))
            n += e.code == code;
        return n;
    };
    // Each console starts later than the one before (a session is named by its start).
    {
        clock.at = clock.at.addSecs(10);
        EventJournal clean(path, &clock);
        QVERIFY(clean.open());
        clean.startSession();
        clean.endSession();
    }
    {
        clock.at = clock.at.addSecs(10);
        EventJournal killed(path, &clock); // never ends: as after kill -9 or a power cut
        QVERIFY(killed.open());
        killed.startSession();
    }
    QCOMPARE(count(QStringLiteral("unclean_end")), 0);
    {
        clock.at = clock.at.addSecs(10);
        EventJournal next(path, &clock);
        QVERIFY(next.open());
        next.startSession();
        next.endSession();
    }
    {
        clock.at = clock.at.addSecs(10);
        EventJournal after(path, &clock);
        QVERIFY(after.open());
        after.startSession();
        after.endSession();
    }
    QCOMPARE(count(QStringLiteral("unclean_end")), 1);
    QCOMPARE(count(QStringLiteral("started")), 4);
}

void TestJournalStore::eventsWaitWhileTheFileIsAway() {
    // A file where the record file's folder should be: nothing can be opened until it goes.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile block(blocker);
    QVERIFY(block.open(QIODevice::WriteOnly));
    block.close();
    EventJournal journal(blocker + QStringLiteral("/r.db"));
    QVERIFY(!journal.open());
    QVERIFY(!journal.record(draft(EventCategory::Link, QStringLiteral("lost"))));
    QVERIFY(!journal.record(draft(EventCategory::Link, QStringLiteral("restored"))));
    QCOMPARE(journal.status().waiting, 2);
    QVERIFY(!journal.status().ok);

    QVERIFY(QFile::remove(blocker));
    QVERIFY(journal.record(draft(EventCategory::Console, QStringLiteral("ended"))));
    QCOMPARE(journal.status().waiting, 0);
    QStringList codes;
    for (const JournalEntry& e : journal.store().newerThan({}, 0, 10))
        codes << e.code;
    QCOMPARE(codes, (QStringList{"lost", "restored", "ended"}));
}

void TestJournalStore::chartSpansFromTheirEvents_data() {
    // Events "minute:category:code", the window minutes 10..20; the spans as "kind from-to"
    // (minutes; "open" for a span still running).
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("spans");
    QTest::newRow("alarm inside") << QStringList{"12:alarm:alarm1_on", "15:alarm:alarm1_off"}
                                  << QStringList{"alarm 12-15"};
    QTest::newRow("on before the window")
        << QStringList{"5:alarm:alarm2_on", "14:alarm:alarm2_off"} << QStringList{"alarm 5-14"};
    QTest::newRow("off before the window")
        << QStringList{"3:alarm:alarm1_on", "4:alarm:alarm1_off", "11:alarm:pv1_open_on"}
        << QStringList{"alarm 11-open"};
    QTest::newRow("two alarms overlap") << QStringList{"11:alarm:alarm1_on", "12:alarm:alarm2_on",
                                                       "13:alarm:alarm1_off", "14:alarm:alarm2_off"}
                                        << QStringList{"alarm 11-13", "alarm 12-14"};
    QTest::newRow("outage ended by closing, closed after it")
        << QStringList{"11:link:lost", "16:link:closed"}
        << QStringList{"outage 11-16", "outage 16-open"};
    QTest::newRow("opened, not yet read")
        << QStringList{"12:link:opened", "14:link:first_read"} << QStringList{"outage 12-14"};
    QTest::newRow("outage still running")
        << QStringList{"19:link:lost"} << QStringList{"outage 19-open"};
}

void TestJournalStore::chartSpansFromTheirEvents() {
    QFETCH(QStringList, events);
    QFETCH(QStringList, spans);
    FixedClock clock;
    const QDateTime t0 = clock.at;
    EventJournal journal(dir.filePath(QStringLiteral("marks-%1.db").arg(QTest::currentDataTag())),
                         &clock);
    QVERIFY(journal.open());
    // Measuring from before the window: only what the row's events do is hatched.
    journal.record(draft(EventCategory::Link, QStringLiteral("first_read")));
    for (const QString& e : events) {
        const QStringList p = e.split(u':');
        clock.at = t0.addSecs(60 * p[0].toInt());
        journal.record(draft(*category_of_key(p[1]), p[2]));
    }
    QStringList got;
    int ticks = 0;
    for (const ChartMark& m : journal_marks(journal.store(), t0.addSecs(600), t0.addSecs(1200))) {
        if (m.kind == ChartMarkKind::Event) {
            ++ticks;
            continue;
        }
        got << QStringLiteral("%1 %2-%3")
                   .arg(m.kind == ChartMarkKind::AlarmSpan ? "alarm" : "outage")
                   .arg(t0.secsTo(m.from) / 60)
                   .arg(m.to.isValid() ? QString::number(t0.secsTo(m.to) / 60)
                                       : QStringLiteral("open"));
    }
    got.sort();
    QCOMPARE(got, spans);
    int inside = 0; // the first read before the window is no tick
    for (const QString& e : events)
        inside += e.split(u':')[0].toInt() >= 10;
    QCOMPARE(ticks, inside);
}

QTEST_GUILESS_MAIN(TestJournalStore)
#include "test_journal_store.moc"
