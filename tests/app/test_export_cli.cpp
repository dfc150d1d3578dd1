// mt3600-console --export-csv from the command line, with no window and no display: exit 0 and a
// one-line summary, or exit 2 with the reason and no file.
#include "records/record_store.h"
#include "support/record_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestExportCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

private slots:
    void initTestCase() {
        db = dir.filePath(QStringLiteral("Rdatabj.db"));
        {
            RecordStore maker(db);
            maker.open();
        }
        RecordFile file(db);
        QVERIFY(file.fillRing(QStringLiteral("pv_data"), 100, 100));
        QVERIFY(file.setPositions(100, 0));
    }

    void exits_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("all of it") << QStringList{} << 0 << "100 short records written";
        QTest::newRow("a period") << QStringList{"--from", "2024-03-01T00:00:10", "--to",
                                                 "2024-03-01 00:00:19"}
                                  << 0 << "10 short records written";
        QTest::newRow("a day with none")
            << QStringList{"--from", "2024-04-01", "--to", "2024-04-01"} << 0
            << "0 short records written";
        QTest::newRow("bad time") << QStringList{"--from", "2024-13-01"} << 2 << "is no time";
        QTest::newRow("from after to")
            << QStringList{"--from", "2024-03-02", "--to", "2024-03-01"} << 2 << "after --to";
        QTest::newRow("bad record") << QStringList{"--record", "hourly"} << 2 << "short or long";
        QTest::newRow("no record file")
            << QStringList{"--db", "/nonexistent/Rdatabj.db"} << 2 << "not found";
    }

    void exits() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        const QString out = dir.filePath(QStringLiteral("out-%1.csv").arg(QTest::currentDataTag()));
        QStringList all{QStringLiteral("--export-csv"), out};
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
        QCOMPARE(QFile::exists(out), status == 0);
    }
};

QTEST_GUILESS_MAIN(TestExportCli)
#include "test_export_cli.moc"
