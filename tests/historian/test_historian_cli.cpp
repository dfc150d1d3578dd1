// mt3600-console --forward as a program: its exit codes, and a forwarder killed with SIGKILL
// mid-batch that loses and doubles nothing at its next start. Needs the throwaway server.
#include "historian_rig.h"

#include <QTemporaryDir>
#include <csignal>

class TestHistorianCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    static int forward(const QStringList& args, QString* said = nullptr) {
        QProcess p;
        p.start(MT3600_CONSOLE_PATH, QStringList{"--forward", "--lang", "en"} + args);
        if (!p.waitForFinished(120000))
            return -1;
        if (said)
            *said = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }

private slots:
    void initTestCase() {
        QVERIFY2(!central_conninfo().isEmpty(),
                 "this test needs the throwaway PostgreSQL server: run scripts/test, or "
                 "source scripts/pg-throwaway && pg_throwaway_start");
        central_db(true);
    }

    void exitCodes_data() {
        QTest::addColumn<QString>("conninfo");
        QTest::addColumn<bool>("recordFile");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("password named") << "host=/tmp password=secret" << true << 2 << ".pgpass";
        QTest::newRow("no record file") << central_conninfo() << false << 2 << "no record file";
        QTest::newRow("no server there") << "host=/nonexistent dbname=h" << true << 2 << "socket";
        QTest::newRow("all forwarded") << central_conninfo() << true << 0 << "";
    }
    void exitCodes() {
        QFETCH(QString, conninfo);
        QFETCH(bool, recordFile);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const QString path = dir.filePath(QTest::currentDataTag());
        if (recordFile)
            QVERIFY(LoggedFile(path).log(RecordTable::Short, 10));
        QString stderrText;
        QCOMPARE(forward({"--historian", conninfo, "--db", path}, &stderrText), exitCode);
        QVERIFY2(stderrText.contains(said), qPrintable(stderrText));
    }

    // Killed between or inside its batches, the next run sends the rest: every row once.
    void killedMidBatch() {
        const QString path = dir.filePath("killed");
        LoggedFile file(path);
        QVERIFY(file.log(RecordTable::Short, kRingSize + 77) &&
                file.log(RecordTable::Long, kRingSize));
        QProcess p;
        p.start(MT3600_CONSOLE_PATH,
                {"--forward", "--historian", central_conninfo(), "--db", path, "--address", "9"});
        QTRY_VERIFY_WITH_TIMEOUT(central_count("records where address = 9") > 0, 60000);
        QCOMPARE(p.state(), QProcess::Running);
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(forward({"--historian", central_conninfo(), "--db", path, "--address", "9"}), 0);
        QSqlQuery q(central_db());
        QVERIFY(q.exec("select console from records where address = 9 limit 1") && q.next());
        const QString console = q.value(0).toString();
        QCOMPARE(central_rows(console, "short"), file.rows(RecordTable::Short));
        QCOMPARE(central_rows(console, "long"), file.rows(RecordTable::Long));
    }
};

QTEST_GUILESS_MAIN(TestHistorianCli)
#include "test_historian_cli.moc"
