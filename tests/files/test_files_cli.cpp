// --backup, --compare and --restore from the command line against the simulated instrument, with
// no window: the exit status says done (0), differences (1) or refused (2).
#include "journal/event_journal.h"
#include "link/modbus_link.h"
#include "support/sim_process.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestFilesCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    SimProcess sim;

    int console(const QStringList& args, QString* printed = nullptr) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        const QStringList db{"--db", journalFile()};
        p.start(QStringLiteral(MT3600_CONSOLE_PATH),
                args + QStringList{"--lang", "en"} + (args.contains("--db") ? QStringList{} : db));
        if (!p.waitForFinished(60000))
            return -1;
        if (printed)
            *printed = QString::fromUtf8(p.readAll());
        return p.exitCode();
    }
    QString journalFile() const { return dir.filePath(QStringLiteral("records.db")); }
    void setValue(const QString& file, int reg, int value) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
        f.close();
        QJsonArray regs = root.value(QStringLiteral("registers")).toArray();
        for (int i = 0; i < regs.size(); ++i) {
            QJsonObject r = regs[i].toObject();
            if (r.value(QStringLiteral("register")).toInt() == reg && !r.contains("curve")) {
                r.insert(QStringLiteral("value"), value);
                regs[i] = r;
            }
        }
        root.insert(QStringLiteral("registers"), regs);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(root).toJson());
    }

private slots:
    void initTestCase() { QVERIFY(sim.start()); }

    void backupCompareRestore() {
        const QString file = dir.filePath(QStringLiteral("setup.json"));
        const QStringList link{QStringLiteral("--connect"), sim.ptyPath()};
        QString said;
        QCOMPARE(console(link + QStringList{"--backup", file}, &said), 0);
        QVERIFY2(said.contains(QStringLiteral("1096 registers backed up")), qPrintable(said));
        QCOMPARE(console(link + QStringList{"--compare", file}), 0);
        setValue(file, 4106, 1111);
        QCOMPARE(console(link + QStringList{"--compare", file}, &said), 1);
        QVERIFY2(said.contains(QStringLiteral("1 differences")), qPrintable(said));
        QCOMPARE(console(link + QStringList{"--restore", file}, &said), 0);
        QVERIFY2(said.contains(QStringLiteral("written and verified 1")), qPrintable(said));
        QCOMPARE(console(link + QStringList{"--compare", file}), 0);
        // Two files, no instrument: the one just restored from, and a copy that differs.
        const QString copy = dir.filePath(QStringLiteral("copy.json"));
        QVERIFY(QFile::copy(file, copy));
        setValue(copy, 258, 9);
        QCOMPARE(console({"--compare", file, "--against", copy}, &said), 1);
        QVERIFY2(said.contains(QStringLiteral("1 differences")), qPrintable(said));
        QCOMPARE(console({"--compare", file, "--against", file}), 0);

        // Each job journaled its outcome, and the restore its one write with the value it
        // replaced.
        EventJournal journal(journalFile());
        QVERIFY(journal.open());
        QStringList jobs;
        for (const JournalEntry& e :
             journal.store().newerThan({{}, {}, {EventCategory::File}, {}}, 0, 100))
            jobs << e.code + u' ' + e.result;
        QCOMPARE(jobs.join(u','), QStringLiteral("backup done,compare done,compare differences,"
                                                 "restore done,compare done,"
                                                 "compare_files differences,compare_files done"));
        QStringList writes;
        for (const JournalEntry& e :
             journal.store().newerThan({{}, {}, {EventCategory::Write}, {}}, 0, 1000))
            if (e.source.startsWith(QStringLiteral("Command line · restore · ")) &&
                e.newValue == QStringLiteral("1111"))
                writes << e.oldValue.value_or(QStringLiteral("?")) + u'>' + *e.newValue;
        QCOMPARE(writes.size(), 1);
        QVERIFY(writes[0] != QStringLiteral("?>1111"));
    }

    // SIGTERM in the middle of a backup on a slow line: the job stops between two requests, the
    // operator's curve is put back, no file is left, and the exit status says it did not finish.
    void stoppedMidBackupPutsTheCurveBack() {
        SimProcess paced;
        QVERIFY(paced.start({QStringLiteral("--pace")}));
        auto curve = [&](std::optional<int> set) {
            ModbusLink link{PortTable{}};
            if (link.OpenPort_Modbus(1, 1, 0, paced.ptyPath()) != 0)
                return -1;
            qint32 value = -1;
            bool done = false;
            if (set)
                link.Set_4X_D1(1, 1, 7, *set, nullptr, [&](int) { done = true; });
            else
                link.Get_4X_DX(1, 1, 7, 1, &value, nullptr, [&](int) { done = true; });
            const bool answered = QTest::qWaitFor([&] { return done; }, 5000);
            link.ClosePort_Modbus(1);
            return !answered ? -1 : set ? *set : int(value);
        };
        QCOMPARE(curve(4), 4);
        const QString file = dir.filePath(QStringLiteral("stopped.json"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(MT3600_CONSOLE_PATH), {"--connect", paced.ptyPath(), "--backup",
                                                      file, "--lang", "en", "--db", journalFile()});
        QVERIFY(p.waitForStarted(5000));
        QTest::qWait(1500); // into the programs by now: curves are being selected
        p.terminate();
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!QFile::exists(file));
        QCOMPARE(curve(std::nullopt), 4);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no --connect") << QStringList{"--compare", "x.json"};
        QTest::newRow("two at once")
            << QStringList{"--connect", "1", "--backup", "a.json", "--compare", "b.json"};
        QTest::newRow("no such file")
            << QStringList{"--connect", "PTY", "--restore", "/nonexistent/setup.json"};
        QTest::newRow("a journal that cannot be written")
            << QStringList{"--connect", "PTY", "--restore", "SETUP", "--db", "NOTES"};
        QTest::newRow("a backup over what is no instrument file")
            << QStringList{"--connect", "PTY", "--backup", "NOTES"};
        QTest::newRow("a backup onto the record file's log")
            << QStringList{"--connect", "PTY", "--backup", "RECORDS-wal"};
    }

    // Refused before any request: the instrument's write log stays as it was.
    void refused() {
        QFETCH(QStringList, args);
        QFile notes(dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("line 3 oven\n") > 0);
        notes.close();
        args.replaceInStrings(QStringLiteral("PTY"), sim.ptyPath())
            .replaceInStrings(QStringLiteral("SETUP"), dir.filePath(QStringLiteral("setup.json")))
            .replaceInStrings(QStringLiteral("NOTES"), notes.fileName())
            .replaceInStrings(QStringLiteral("RECORDS"), journalFile());
        QCOMPARE(console(args), 2);
        QVERIFY(notes.open(QIODevice::ReadOnly));
        QCOMPARE(notes.readAll(), QByteArray("line 3 oven\n"));
    }

    // Over TCP the restore waits for the connection, and says where the instrument's setup went.
    void restoreOverTcp() {
        SimProcess gateway;
        const QString at =
            QStringLiteral("127.0.0.1:%1").arg(20000 + QCoreApplication::applicationPid() % 20000);
        QVERIFY(gateway.start({QStringLiteral("--tcp"), at}));
        const QString file = dir.filePath(QStringLiteral("tcp.json"));
        QString said;
        QCOMPARE(console({"--connect", at, "--backup", file}, &said), 0);
        setValue(file, 4106, 1222);
        QCOMPARE(console({"--connect", at, "--restore", file}, &said), 0);
        QVERIFY2(said.contains(QStringLiteral("written and verified 1,")), qPrintable(said));
        const QString copy = said.section(QStringLiteral(" saved to "), 1).section(u'\n', 0, 0);
        QVERIFY2(copy.contains(QStringLiteral("tcp-before-")) && QFile::exists(copy),
                 qPrintable(said));
        QVERIFY(said.trimmed().endsWith(QStringLiteral("Compared after writing: 0 differences")));
    }
};

QTEST_GUILESS_MAIN(TestFilesCli)
#include "test_files_cli.moc"
