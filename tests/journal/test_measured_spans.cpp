// Records judged measured or not by the link spans of real journal files, and the records' CSV
// export across an outage.
#include "journal/measured_spans.h"
#include "records/csv_export.h"
#include "records/record_store.h"
#include "support/record_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDateTime kT0(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC);

// Console c1 measures from 12 s, is lost at 100 s and restored at 130 s, closes at 200 s and
// measures again from 302 s until it dies; a command-line job opens and closes a port meanwhile;
// console c2 journals c1's unclean end at 500 s and measures from 515 s on. "second category code
// session [old value]"; every window ends at 600 s.
const QStringList kEvents =
    QStringLiteral(
        "0 console started c1,10 link opened c1,12 link first_read c1,50 link opened job,"
        "60 link closed job,100 link lost c1,130 link restored c1,200 link closed c1,"
        "300 link opened c1,302 link first_read c1,500 console unclean_end c2 c1,"
        "500 console started c2,510 link opened c2,515 link first_read c2")
        .split(u',');

bool journal(JournalStore& store, const QDateTime& t0, const QStringList& events) {
    for (const QString& e : events) {
        const QStringList p = e.split(u' ');
        JournalEntry entry;
        entry.utcMs = t0.addMSecs(qint64(p[0].toInt()) * 1000).toMSecsSinceEpoch();
        entry.category = *category_of_key(p[1]);
        entry.code = p[2];
        entry.session = p[3];
        if (p.size() > 4)
            entry.oldValue = p[4];
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
        QTest::addColumn<int>("sampled");
        QTest::addColumn<bool>("measured");
        QTest::newRow("nothing journaled yet") << -100 << -50 << false;
        QTest::newRow("before the first good poll") << 0 << 11 << false;
        QTest::newRow("at the first good poll") << 0 << 12 << true;
        QTest::newRow("inside a span, a job's port meanwhile") << 0 << 55 << true;
        QTest::newRow("at the link lost") << 0 << 100 << false;
        QTest::newRow("during an outage") << 0 << 110 << false;
        QTest::newRow("after a restore") << 0 << 140 << true;
        QTest::newRow("a span begun before the window") << 140 << 145 << true;
        QTest::newRow("port closed") << 0 << 250 << false;
        QTest::newRow("opened again, not yet read") << 0 << 301 << false;
        QTest::newRow("after the console ended uncleanly") << 450 << 505 << false;
        QTest::newRow("a span open at the window's end") << 520 << 600 << true;
    }

    void judgement() {
        QFETCH(int, from);
        QFETCH(int, sampled);
        QFETCH(bool, measured);
        JournalStore store(dir.filePath(QStringLiteral("spans.db")));
        QVERIFY(store.open());
        if (store.rowCount() == 0)
            QVERIFY(journal(store, kT0, kEvents));
        const MeasuredSpans spans = measured_spans(store, kT0.addSecs(from), kT0.addSecs(600));
        QCOMPARE(spans.measured(kT0.addSecs(sampled).toLocalTime()), measured);
    }

    // A record a second; the values first read at 2.5 s, the link lost at 7.5 s and back at 12.5 s.
    void csvColumnAcrossAnOutage() {
        const QString db = dir.filePath(QStringLiteral("Rdatabj.db"));
        RecordStore(db).open();
        RecordFile file(db);
        QVERIFY(file.fillRing(QStringLiteral("pv_data"), 20, 20)); // record n at second n - 1
        QVERIFY(file.setPositions(20, 0));
        const QDateTime t0(QDate(2024, 3, 1), QTime(0, 0)); // local, as the records are stamped
        JournalStore store(db);
        QVERIFY(store.open());
        QVERIFY(journal(
            store, t0.addMSecs(500),
            {"0 link opened c1", "2 link first_read c1", "7 link lost c1", "12 link restored c1"}));
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
        QCOMPARE(judged, QByteArray("nnnyyyyynnnnnyyyyyyy")); // seconds 0..2 and 8..12 not
    }
};

QTEST_GUILESS_MAIN(TestMeasuredSpans)
#include "test_measured_spans.moc"
