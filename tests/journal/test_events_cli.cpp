// mt3600-console --export-events from the command line, with no window and no display: exit 0 and
// a one-line summary, or exit 2 with the reason and no file (a category it does not know names
// the ones it does). Both exports refuse a target that would destroy a database, only read the
// record file, and end with no file on a damaged page.
#include "journal/event_journal.h"
#include "journal/journal_fill.h"
#include "records/record_store.h"
#include "support/record_file.h"
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
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed at all
    console.setProcessEnvironment(env);
    console.start(QStringLiteral(MT3600_CONSOLE_PATH), args + QStringList{"--lang", "en"});
    if (!console.waitForFinished(30000))
        return {-1, QStringLiteral("still running")};
    return {console.exitCode(), QString::fromUtf8(console.readAll())};
}

QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

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
        QVERIFY(QFile::link(db, dir.filePath(QStringLiteral("link.db"))));
        QVERIFY(QFile::copy(db, dir.filePath(QStringLiteral("other.db"))));
        // Records without a journal, in SQLite's rollback mode; and a file damaged in the middle
        // of its records and of its journal.
        for (const char* name : {"plain.db", "damaged.db"}) {
            const QString path = dir.filePath(QLatin1String(name));
            RecordStore(path).open();
            RecordFile file(path);
            QVERIFY(file.fillRing(QStringLiteral("pv_data"), 30000, 30000));
            QVERIFY(file.setPositions(30000, 0));
            QVERIFY(file.run(QStringLiteral("pragma journal_mode=delete")).isEmpty());
        }
        const QString damaged = dir.filePath(QStringLiteral("damaged.db"));
        QVERIFY(fill_journal(damaged, 5000, 0, 1000));
        QVERIFY(damage_middle_page(damaged, QStringLiteral("pv_data")));
        QVERIFY(damage_middle_page(damaged, QStringLiteral("events")));
    }

    void refusedTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty") << QString() << "needs a file name";
        QTest::newRow("the record file") << db << "record file";
        QTest::newRow("its -wal") << db + "-wal"
                                  << "record file";
        QTest::newRow("a symlink to it")
            << dir.filePath(QStringLiteral("link.db")) << "record file";
        QTest::newRow("another SQLite file")
            << dir.filePath(QStringLiteral("other.db")) << "SQLite database";
        QTest::newRow("a folder") << dir.path() << "is a folder";
    }

    void refusedTargets() {
        QFETCH(QString, target);
        QFETCH(QString, said);
        const QByteArray record = bytes(db);
        const QByteArray other = bytes(dir.filePath(QStringLiteral("other.db")));
        for (const char* option : {"--export-csv", "--export-events"}) {
            const auto [status, printed] =
                run_console({QLatin1String(option), target, QStringLiteral("--db"), db});
            QCOMPARE(status, 2);
            QVERIFY2(printed.contains(said), qPrintable(printed));
        }
        QCOMPARE(bytes(db), record);
        QCOMPARE(bytes(dir.filePath(QStringLiteral("other.db"))), other);
        QVERIFY(!QFile::exists(db + QStringLiteral("-wal")));
    }

    void readOnly_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("database");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("records") << "--export-csv"
                                 << "plain.db" << 0 << "30000 short records";
        QTest::newRow("no journal") << "--export-events"
                                    << "plain.db" << 0 << "0 events written";
        QTest::newRow("damaged records") << "--export-csv"
                                         << "damaged.db" << 2 << "database disk image is malformed";
        QTest::newRow("damaged journal") << "--export-events"
                                         << "damaged.db" << 2 << "database disk image is malformed";
    }

    void readOnly() {
        QFETCH(QString, option);
        QFETCH(QString, database);
        QFETCH(int, status);
        QFETCH(QString, said);
        const QString path = dir.filePath(database);
        const QByteArray before = bytes(path);
        const QString out = dir.filePath(QStringLiteral("%1.csv").arg(QTest::currentDataTag()));
        const auto [exitCode, printed] = run_console({option, out, QStringLiteral("--db"), path});
        QCOMPARE(exitCode, status);
        QVERIFY2(printed.contains(said), qPrintable(printed));
        QCOMPARE(QFile::exists(out), status == 0);
        QVERIFY(bytes(path) == before); // no table made, the journal mode as it was
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
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
        const auto [exitCode, printed] = run_console(all + args);
        QCOMPARE(exitCode, status);
        QVERIFY2(printed.contains(said), qPrintable(printed));
        if (status == 0)
            QVERIFY(!printed.trimmed().contains(u'\n')); // one line
        QCOMPARE(QFile::exists(out), status == 0);
        QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/records.db")));
    }
};

QTEST_GUILESS_MAIN(TestEventsCli)
#include "test_events_cli.moc"
