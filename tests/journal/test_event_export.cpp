// Journal events out to CSV, read back: the byte-order mark and header, fields with separators,
// quotes and line breaks quoted, UTC with its Z beside the local time shown, oldest first across
// equal timestamps whatever the chunk size, the filter applied; and a failure leaves nothing.
#include "journal/event_export.h"
#include "journal/event_journal.h"
#include "support/settable_clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A CSV file's records, as a spreadsheet splits them (quoted fields may hold line breaks).
QList<QStringList> read_csv(const QByteArray& bytes) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    const QString text = QString::fromUtf8(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    return rows;
}

} // namespace

class TestEventExport : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

private slots:
    void initTestCase() {
        db = dir.filePath(QStringLiteral("records.db"));
        SettableClock clock(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 59, 250)));
        EventJournal journal(db, &clock);
        QVERIFY(journal.open());
        journal.setPvSource([] { return std::optional<double>(612.5); });
        EventDraft write;
        write.category = EventCategory::Write;
        write.code = QStringLiteral("register");
        write.source = QStringLiteral("ALM1 Text1(0)");
        write.oldValue = QStringLiteral("600");
        write.newValue = QStringLiteral("650");
        write.result = QStringLiteral("failed: no answer, twice");
        write.detail = QStringLiteral("SV1 \"high\", then\nlow");
        QVERIFY(journal.record(write));
        // Three at one millisecond, the next day.
        clock.advanceMs(1000);
        for (int k = 0; k < 3; ++k) {
            EventDraft alarm;
            alarm.category = EventCategory::Alarm;
            alarm.code = QStringLiteral("on");
            alarm.source = QStringLiteral("Met1 Timer1");
            alarm.detail = QStringLiteral("alarm %1").arg(k);
            QVERIFY(journal.record(alarm));
        }
    }

    void readBack() {
        const QString file = dir.filePath(QStringLiteral("all.csv"));
        qint64 rows = 0;
        QString why;
        QVERIFY2(EventExport::run({db, {}, file}, &rows, &why), qPrintable(why));
        QCOMPARE(rows, 4);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> csv = read_csv(bytes.mid(3));
        QCOMPARE(csv.size(), 5);
        QCOMPARE(csv[0], EventExport::header());
        const QStringList& w = csv[1];
        QCOMPARE(w.size(), csv[0].size());
        QCOMPARE(w[0], QStringLiteral("1"));
        const QDateTime local(QDate(2024, 3, 5), QTime(23, 59, 59, 250));
        QCOMPARE(w[1], local.toUTC().toString(Qt::ISODateWithMs));
        QVERIFY(w[1].endsWith(u'Z'));
        QCOMPARE(w[2], QStringLiteral("2024-03-05T23:59:59.250"));
        QCOMPARE(w[4], category_title(EventCategory::Write));
        QCOMPARE(w[6], QStringLiteral("ALM1 Text1(0)"));
        QCOMPARE(w[7], QStringLiteral("600"));
        QCOMPARE(w[8], QStringLiteral("650"));
        QCOMPARE(w[9], QStringLiteral("612.5"));
        QCOMPARE(w[12], QStringLiteral("failed: no answer, twice"));
        QCOMPARE(w[13], QStringLiteral("SV1 \"high\", then\nlow"));
        QCOMPARE(csv[2][2], QStringLiteral("2024-03-06T00:00:00.250"));
        QCOMPARE(csv[4][13], QStringLiteral("alarm 2"));
    }

    // Chunks continue after the last row written, also inside a run of equal timestamps.
    void chunks_data() {
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QList<EventCategory>>("categories");
        QTest::addColumn<QStringList>("seqs");
        QTest::newRow("one at a time")
            << 1 << QList<EventCategory>{} << QStringList{"1", "2", "3", "4"};
        QTest::newRow("two at a time")
            << 2 << QList<EventCategory>{} << QStringList{"1", "2", "3", "4"};
        QTest::newRow("alarms only")
            << 2 << QList<EventCategory>{EventCategory::Alarm} << QStringList{"2", "3", "4"};
        QTest::newRow("none taken")
            << 5 << QList<EventCategory>{EventCategory::Link} << QStringList{};
    }

    void chunks() {
        QFETCH(int, chunk);
        QFETCH(QList<EventCategory>, categories);
        QFETCH(QStringList, seqs);
        const QString file = dir.filePath(QStringLiteral("chunks.csv"));
        JournalFilter filter;
        filter.categories = categories;
        EventExport e({db, filter, file});
        QVERIFY(e.begin());
        int turns = 0;
        while (e.step(chunk))
            ++turns;
        QVERIFY(e.finish());
        QCOMPARE(e.written(), seqs.size());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList got;
        for (const QStringList& row : read_csv(f.readAll().mid(3)).mid(1))
            got << row[0];
        QCOMPARE(got, seqs);
    }

    void failuresLeaveNothing_data() {
        QTest::addColumn<QString>("dbPath");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("said");
        QTest::newRow("no record file")
            << QStringLiteral("missing.db") << QStringLiteral("out.csv") << "not found";
        QTest::newRow("folder not there")
            << QString() << QStringLiteral("no/such/folder/out.csv") << "cannot be written";
    }

    void failuresLeaveNothing() {
        QFETCH(QString, dbPath);
        QFETCH(QString, file);
        QFETCH(QString, said);
        qint64 rows = -1;
        QString why;
        const QString target = dir.filePath(file);
        QVERIFY(!EventExport::run({dbPath.isEmpty() ? db : dir.filePath(dbPath), {}, target}, &rows,
                                  &why));
        QVERIFY2(why.contains(said), qPrintable(why));
        QVERIFY(!QFile::exists(target));
        if (!dbPath.isEmpty())
            QVERIFY(!QFile::exists(dir.filePath(dbPath))); // a missing record file is not made
    }
};

QTEST_GUILESS_MAIN(TestEventExport)
#include "test_event_export.moc"
