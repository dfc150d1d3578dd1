// Records judged measured or not against the journal's link spans of real journal files: one
// console's opening, first good read, outage, restore and close, a command-line job's port beside
// it, and the next console after an unclean end; and the records' CSV export across an outage.
#include "journal/measured_spans.h"
#include "records/csv_export.h"
#include "records/record_store.h"
#include "support/record_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDateTime kT0(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC);

struct Event {
    int second;
    EventCategory category;
    const char* code;
    const char* session;
    const char* oldValue = nullptr;
};

// Console 1 measures from 12 s, loses the link at 100 s and has it back at 130 s, closes the port
// at 200 s and measures again from 302 s until it dies; a command-line job opens and closes a port
// meanwhile; console 2 says the unclean end at 500 s and measures from 515 s on.
const std::vector<Event> kEvents = {
    {0, EventCategory::Console, "started", "c1"},
    {10, EventCategory::Link, "opened", "c1"},
    {12, EventCategory::Link, "first_read", "c1"},
    {50, EventCategory::Link, "opened", "job"},
    {60, EventCategory::Link, "closed", "job"},
    {100, EventCategory::Link, "lost", "c1"},
    {130, EventCategory::Link, "restored", "c1"},
    {200, EventCategory::Link, "closed", "c1"},
    {300, EventCategory::Link, "opened", "c1"},
    {302, EventCategory::Link, "first_read", "c1"},
    {500, EventCategory::Console, "unclean_end", "c2", "c1"},
    {500, EventCategory::Console, "started", "c2"},
    {510, EventCategory::Link, "opened", "c2"},
    {515, EventCategory::Link, "first_read", "c2"},
};

bool journal(JournalStore& store, const QDateTime& t0, const std::vector<Event>& events) {
    for (const Event& e : events) {
        JournalEntry entry;
        entry.utcMs = t0.addMSecs(qint64(e.second) * 1000).toMSecsSinceEpoch();
        entry.category = e.category;
        entry.code = QLatin1String(e.code);
        entry.session = QLatin1String(e.session);
        if (e.oldValue)
            entry.oldValue = QLatin1String(e.oldValue);
        if (!store.append(entry))
            return false;
    }
    return true;
}
} // namespace

class TestMeasuredSpans : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { qputenv("TZ", "CST-8"); } // the local times carry this zone's offset

    void judgement_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("sampled");
        QTest::addColumn<bool>("measured");
        QTest::newRow("nothing journaled yet") << -100 << 600 << -50 << false;
        QTest::newRow("before the first good poll") << 0 << 600 << 11 << false;
        QTest::newRow("at the first good poll") << 0 << 600 << 12 << true;
        QTest::newRow("inside a span, a job's port meanwhile") << 0 << 600 << 55 << true;
        QTest::newRow("at the link lost") << 0 << 600 << 100 << false;
        QTest::newRow("during an outage") << 0 << 600 << 110 << false;
        QTest::newRow("after a restore") << 0 << 600 << 140 << true;
        QTest::newRow("a span begun before the window") << 140 << 150 << 145 << true;
        QTest::newRow("port closed") << 0 << 600 << 250 << false;
        QTest::newRow("opened again, not yet read") << 0 << 600 << 301 << false;
        QTest::newRow("after the console ended uncleanly") << 450 << 600 << 505 << false;
        QTest::newRow("a span open at the window's end") << 520 << 600 << 600 << true;
    }

    void judgement() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, sampled);
        QFETCH(bool, measured);
        JournalStore store(dir.filePath(QStringLiteral("spans.db")));
        QVERIFY(store.open());
        if (store.rowCount() == 0)
            QVERIFY(journal(store, kT0, kEvents));
        const MeasuredSpans spans = measured_spans(store, kT0.addSecs(from), kT0.addSecs(to));
        QCOMPARE(spans.measured(kT0.addSecs(sampled).toLocalTime()), measured);
    }

    // A second a record; the link read first at 2.5 s, lost at 8 s and back at 12.5 s.
    void csvColumnAcrossAnOutage() {
        const QString db = dir.filePath(QStringLiteral("Rdatabj.db"));
        RecordStore(db).open();
        RecordFile file(db);
        QVERIFY(file.fillRing(QStringLiteral("pv_data"), 20, 20)); // record n at second n - 1
        QVERIFY(file.setPositions(20, 0));
        const QDateTime t0(QDate(2024, 3, 1), QTime(0, 0)); // local, as the records are stamped
        {
            JournalStore store(db);
            QVERIFY(store.open());
            QVERIFY(journal(store, t0.addMSecs(500),
                            {{0, EventCategory::Link, "opened", "c1"},
                             {2, EventCategory::Link, "first_read", "c1"},
                             {7, EventCategory::Link, "lost", "c1"}, // at 7.5 s
                             {12, EventCategory::Link, "restored", "c1"}}));
        }
        set_measured_spans_source(journal_measured_source());
        const QString out = dir.filePath(QStringLiteral("outage.csv"));
        QVERIFY(CsvExport::run({db, false, {}, {}, out}, nullptr, nullptr));
        set_measured_spans_source({});
        QFile csv(out);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 21);
        QVERIFY(lines[0].trimmed().endsWith(",alarm 1 type,measured"));
        QByteArray judged;
        for (int n = 1; n <= 20; ++n)
            judged += lines[n].trimmed().endsWith(",yes")  ? 'y'
                      : lines[n].trimmed().endsWith(",no") ? 'n'
                                                           : '?';
        // Seconds 0..2 before the first read, 8..12 in the outage.
        QCOMPARE(judged, QByteArray("nnnyyyyynnnnnyyyyyyy"));
    }
};

QTEST_GUILESS_MAIN(TestMeasuredSpans)
#include "test_measured_spans.moc"
