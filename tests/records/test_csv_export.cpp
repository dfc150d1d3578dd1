// Records out to CSV from real record files: oldest first across the ring's wrap, the header and
// byte-order mark a spreadsheet needs, ISO 8601 local times with their offset, a period with
// nothing in it, and failures that leave no file behind.
#include "records/csv_export.h"
#include "records/record_store.h"
#include "support/record_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate kDay(2024, 3, 1); // day number 45352, the first day of the filled rings

QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestCsvExport : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

private slots:
    void initTestCase() {
        qputenv("TZ", "CST-8"); // the local times carry this zone's offset
        db = dir.filePath(QStringLiteral("Rdatabj.db"));
        {
            RecordStore maker(db);
            maker.open();
        }
        RecordFile file(db);
        // Newest record 2: ..., 65499, 65500, 1, 2 are the last four seconds of the ring.
        QVERIFY(file.fillRing(QStringLiteral("pv_data"), 65500, 2));
        QVERIFY(file.fillRing(QStringLiteral("Lpv_wdjl"), 30, 30, 10));
        QVERIFY(file.setPositions(2, 30));
    }

    void acrossTheWrapInTimeOrder() {
        const QString out = dir.filePath(QStringLiteral("wrap.csv"));
        // Record n is second (n - 3) mod 65500 of the ring: 65499 is second 65496, 18:11:36.
        const QDateTime from(kDay, QTime(18, 11, 36));
        const QDateTime to(kDay, QTime(18, 11, 39));
        qint64 rows = 0;
        QString why;
        QVERIFY2(CsvExport::run({db, false, from, to, out}, &rows, &why), qPrintable(why));
        QCOMPARE(rows, 4);
        const QByteArray text = read_all(out);
        QVERIFY(text.startsWith("\xEF\xBB\xBF"));
        const QList<QByteArray> lines = text.mid(3).split('\n');
        QCOMPARE(lines.size(), 6); // header, four records, and the end of the last line
        QVERIFY(lines[0].contains(QStringLiteral("当前PV").toUtf8()));
        QVERIFY(lines[0].contains("OP (%)"));
        QCOMPARE(lines[1].trimmed(),
                 QByteArray("2024-03-01T18:11:36+08:00,65499,65499,32749.5,2.3,3.3,"
                            "4.3,5.3,6.3,7.3,")); // measured: not judged without a journal
        QVERIFY(lines[2].startsWith("2024-03-01T18:11:37+08:00,65500,"));
        QVERIFY(lines[3].startsWith("2024-03-01T18:11:38+08:00,1,"));
        QVERIFY(lines[4].startsWith("2024-03-01T18:11:39+08:00,2,"));
        QVERIFY(lines[5].isEmpty());
    }

    void longRecordWhole() {
        const QString out = dir.filePath(QStringLiteral("long.csv"));
        qint64 rows = 0;
        QVERIFY(CsvExport::run({db, true, {}, {}, out}, &rows, nullptr));
        QCOMPARE(rows, 30);
        const QList<QByteArray> lines = read_all(out).split('\n');
        QVERIFY(lines[1].startsWith("2024-03-01T00:00:00+08:00,1,1,"));
        QVERIFY(lines[30].startsWith("2024-03-01T00:04:50+08:00,30,30,"));
    }

    void periodWithNothingInIt() {
        const QString out = dir.filePath(QStringLiteral("empty.csv"));
        qint64 rows = -1;
        QVERIFY(CsvExport::run({db, false, QDateTime(kDay.addDays(9), QTime(0, 0)),
                                QDateTime(kDay.addDays(10), QTime(0, 0)), out},
                               &rows, nullptr));
        QCOMPARE(rows, 0);
        const QByteArray text = read_all(out);
        QCOMPARE(text.count('\n'), 1); // the header alone
    }

    void cells_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("=") << "=cmd|'/c calc'!A1" << QByteArray("'=cmd|'/c calc'!A1");
        QTest::newRow("+") << "+1+2" << QByteArray("'+1+2");
        QTest::newRow("-") << "-2+3" << QByteArray("'-2+3");
        QTest::newRow("@") << "@SUM(A1)" << QByteArray("'@SUM(A1)");
        QTest::newRow("tab") << "\t=1" << QByteArray("'\t=1");
        QTest::newRow("carriage return") << "\r=1" << QByteArray("\"'\r=1\"");
        QTest::newRow("a negative number") << "-1.5e-05" << QByteArray("-1.5e-05");
        QTest::newRow("empty") << "" << QByteArray();
    }

    void cells() {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QCOMPARE(csv_field(text), written);
    }

    // The hour repeated when the clocks go back, in the order written: summer time, then winter
    // time; a value the file does not hold is an empty cell.
    void repeatedHour() {
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        const QString path = dir.filePath(QStringLiteral("autumn.db"));
        RecordStore(path).open();
        RecordFile file(path);
        for (int n : {1, 2}) // 2024-10-27 02:30 twice
            QVERIFY(file.run(QStringLiteral("insert into pv_data values (%1, 45592, 2.5 / 24, "
                                            "null, -1, 2, 3, 4, 5, 6, 7)")
                                 .arg(n))
                        .isEmpty());
        QVERIFY(file.setPositions(2, 0));
        const QString out = dir.filePath(QStringLiteral("autumn.csv"));
        QVERIFY(CsvExport::run({path, false, {}, {}, out}, nullptr, nullptr));
        qputenv("TZ", "CST-8");
        const QList<QByteArray> lines = read_all(out).split('\n');
        QCOMPARE(lines[1], QByteArray("2024-10-27T02:30:00+02:00,1,,-1,2,3,4,5,6,7,\r"));
        QCOMPARE(lines[2], QByteArray("2024-10-27T02:30:00+01:00,2,,-1,2,3,4,5,6,7,\r"));
    }

    void failuresLeaveNoFile_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("words");
        QTest::newRow("no record file") << "missing.db"
                                        << "a.csv"
                                        << "not found";
        QTest::newRow("not a database") << "text.db"
                                        << "b.csv"
                                        << "cannot be read";
        QTest::newRow("folder that does not exist") << ""
                                                    << "no/such/folder/c.csv"
                                                    << "cannot be written";
    }

    void failuresLeaveNoFile() {
        QFETCH(QString, database);
        QFETCH(QString, target);
        QFETCH(QString, words);
        QFile text(dir.filePath(QStringLiteral("text.db")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("these are not the records you are looking for\n");
        text.close();
        const QString out = dir.filePath(target);
        QString why;
        QVERIFY(!CsvExport::run(
            {database.isEmpty() ? db : dir.filePath(database), false, {}, {}, out}, nullptr, &why));
        QVERIFY2(why.contains(words), qPrintable(why));
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "test_csv_export.moc"
