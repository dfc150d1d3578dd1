// The record store on a full ring, built once into a temporary file: the chart's window query of
// 241 and 321 rows with and without the wrap, one record with its position committed, and one
// logger tick writing both records. Prints the file's size. Run with -median N for medians.

#include "records/logger_form.h"
#include "records/record_store.h"
#include "support/record_file.h"
#include "support/settable_clock.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class BenchRecordStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void window_data();
    void window();
    void oneRecord_data();
    void oneRecord();
    void loggerTick();
    void cleanupTestCase();

private:
    void printSize(const char* when) const;

    QTemporaryDir dir;
    QString path;
};

void BenchRecordStore::initTestCase() {
    QVERIFY(dir.isValid());
    path = dir.filePath(QStringLiteral("ring.db"));
    {
        RecordStore store(path);
        QVERIFY(store.open());
    }
    RecordFile file(path);
    QVERIFY(file.fillRing(QStringLiteral("pv_data"), kRingSize, 30000, 1));
    QVERIFY(file.fillRing(QStringLiteral("Lpv_wdjl"), kRingSize, 30000, 10));
    QVERIFY(file.setPositions(30000, 30000));
    QCOMPARE(file.run(QStringLiteral("pragma wal_checkpoint(truncate)")), QString());
    printSize("full ring");
}

void BenchRecordStore::printSize(const char* when) const {
    const qint64 main = QFileInfo(path).size();
    const qint64 wal = QFileInfo(path + QStringLiteral("-wal")).size();
    qInfo("record file (%s): %lld bytes (%.1f MiB), write-ahead log %lld bytes", when, main,
          main / 1048576.0, wal);
}

void BenchRecordStore::window_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<qint32>("windowEnd");
    QTest::addColumn<qint32>("windowLen");
    for (int table : {0, 1}) {
        const char* name = table == 0 ? "short" : "long";
        for (qint32 len : {241, 321}) {
            QTest::addRow("%s %d rows", name, len) << table << 30000 << len;
            QTest::addRow("%s %d rows across the wrap", name, len) << table << 100 << len;
        }
    }
}

void BenchRecordStore::window() {
    QFETCH(int, table);
    QFETCH(qint32, windowEnd);
    QFETCH(qint32, windowLen);
    const qint32 windowStart =
        windowEnd >= windowLen ? windowEnd - windowLen : kRingSize - (windowLen - windowEnd);
    RecordStore store(path);
    QVERIFY(store.open());
    RecordSource& source = table == 0 ? store.shortRecords() : store.longRecords();
    std::vector<RecordRow> rows;
    QBENCHMARK {
        rows = source.window(windowStart, windowEnd);
    }
    QCOMPARE(rows.size(), size_t(windowLen));
}

void BenchRecordStore::oneRecord_data() {
    QTest::addColumn<int>("table");
    QTest::newRow("short record, overwriting") << 0;
    QTest::newRow("long record, overwriting") << 1;
}

void BenchRecordStore::oneRecord() {
    QFETCH(int, table);
    RecordStore store(path);
    QVERIFY(store.open());
    const RecordTable which = table == 0 ? RecordTable::Short : RecordTable::Long;
    const std::array<float, 8> values{21.5f, 0.1f, 150.f, -3.7f, 1234.5f, 99.9f, 0.f, 4.f};
    qint32 number = (*store.readPositions())[table * 2];
    bool ok = true;
    QBENCHMARK {
        number = number % kRingSize + 1;
        ok = store.writeRecord(which, number, 45400, number / 86400.0, values) && ok;
    }
    QVERIFY(ok);
}

void BenchRecordStore::loggerTick() {
    // Each tick ten seconds on: sl_void read, a short and a long record, each committed.
    SettableClock clock;
    RegisterImage image;
    LoggerState logging;
    mscom logger(image, logging, path, &clock);
    logger.timer().stop();
    QBENCHMARK {
        clock.advanceSeconds(10);
        logger.Timer1_Timer();
    }
    QCOMPARE(logger.store().status().state, RecordStoreState::Ok);
}

void BenchRecordStore::cleanupTestCase() {
    printSize("after the benchmarks");
}

QTEST_GUILESS_MAIN(BenchRecordStore)
#include "bench_store.moc"
