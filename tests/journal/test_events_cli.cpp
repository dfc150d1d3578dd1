// mt3600-console --export-events from the command line, with no window and no display: exit 0 and
// a one-line summary, or exit 2 with the reason and no file (a category it does not know names
// the ones it does).
#include "journal/event_journal.h"
#include "support/settable_clock.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestEventsCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

private slots:
    void initTestCase() {
        db = dir.filePath(QStringLiteral("records.db"));
        // Ten events a day apart from 2024-03-01 12:00 local, writes and alarms by turns.
        SettableClock clock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        EventJournal journal(db, &clock);
        QVERIFY(journal.open());
        for (int k = 0; k < 10; ++k) {
            EventDraft d;
            d.category = k % 2 ? EventCategory::Alarm : EventCategory::Write;
            d.code = QStringLiteral("x");
            QVERIFY(journal.record(d));
            clock.advanceSeconds(24 * 3600);
        }
    }

    void exits_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("all of it") << QStringList{} << 0 << "10 events written";
        QTest::newRow("a period") << QStringList{"--from", "2024-03-03", "--to", "2024-03-05T12:00"}
                                  << 0 << "3 events written";
        QTest::newRow("one category")
            << QStringList{"--category", "alarm"} << 0 << "5 events written";
        QTest::newRow("two categories, any case")
            << QStringList{"--category", "Alarm,write"} << 0 << "10 events written";
        QTest::newRow("a day with none")
            << QStringList{"--from", "2024-04-01", "--to", "2024-04-01"} << 0 << "0 events written";
        QTest::newRow("unknown category")
            << QStringList{"--category", "alarm,writes"} << 2
            << "\"writes\" is no category; the categories are alarm, write, mode, program, "
               "link, console, file";
        QTest::newRow("with --export-csv too")
            << QStringList{"--export-csv", "x.csv"} << 2 << "exclude each other";
        QTest::newRow("bad time") << QStringList{"--to", "2024-03-05 25:00"} << 2 << "is no time";
        QTest::newRow("from after to")
            << QStringList{"--from", "2024-03-02", "--to", "2024-03-01"} << 2 << "after --to";
        QTest::newRow("unwritable file")
            << QStringList{"--export-events", "/nonexistent/folder/events.csv"} << 2
            << "cannot be written";
        QTest::newRow("no record file")
            << QStringList{"--db", "/nonexistent/records.db"} << 2 << "not found";
    }

    void exits() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        const QString out =
            dir.filePath(QStringLiteral("events-%1.csv").arg(QTest::currentDataTag()));
        QStringList all;
        if (!args.contains(QStringLiteral("--export-events")))
            all << QStringLiteral("--export-events") << out;
        if (!args.contains(QStringLiteral("--db")))
            all << QStringLiteral("--db") << db;
        QProcess console;
        console.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed at all
        console.setProcessEnvironment(env);
        console.start(QStringLiteral(MT3600_CONSOLE_PATH),
                      all + args + QStringList{"--lang", "en"});
        QVERIFY(console.waitForFinished(30000));
        const QString printed = QString::fromUtf8(console.readAll());
        QCOMPARE(console.exitCode(), status);
        QVERIFY2(printed.contains(said), qPrintable(printed));
        if (status == 0)
            QVERIFY(!printed.trimmed().contains(u'\n')); // one line
        QCOMPARE(QFile::exists(out), status == 0);
        QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/records.db")));
    }
};

QTEST_GUILESS_MAIN(TestEventsCli)
#include "test_events_cli.moc"
