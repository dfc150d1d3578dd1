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

    // What the command line says follows --lang, a mistaken option named on one line; the CSV's
    // own headers are English with --lang en, the captions as they are.
    void inTheInterfaceLanguage_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown option") << "en"
                                        << "--frm"
                                        << "unknown option --frm; see mt3600-console --help";
        QTest::newRow("unknown option, Chinese") << "zh_CN"
                                                 << "--frm"
                                                 << "未知选项 --frm；请看 mt3600-console --help";
        QTest::newRow("export, Chinese") << "zh_CN"
                                         << "--db"
                                         << "100 条短记录已写入 ";
        QTest::newRow("export, English") << "en"
                                         << "--db"
                                         << "100 short records written to ";
    }

    void inTheInterfaceLanguage() {
        QFETCH(QString, lang);
        QFETCH(QString, option);
        QFETCH(QString, said);
        const QString out = dir.filePath(QStringLiteral("%1.csv").arg(QTest::currentDataTag()));
        QProcess console;
        console.start(QStringLiteral(MT3600_CONSOLE_PATH),
                      {"--lang", lang, "--export-csv", out, option, db});
        QVERIFY(console.waitForFinished(30000));
        const QString suffix = option == "--db" ? out : QString();
        QCOMPARE(QString::fromUtf8(console.readAll() + console.readAllStandardError()),
                 "mt3600-console: " + said + suffix + "\n");
        QFile csv(out);
        if (lang == "en" && csv.open(QIODevice::ReadOnly))
            QVERIFY(csv.readLine().startsWith("\xEF\xBB\xBFtime,record number,当前PV,"));
    }
};

QTEST_GUILESS_MAIN(TestExportCli)
#include "test_export_cli.moc"
