// Instrument files against the simulated instrument on a pseudo terminal, end to end: back up,
// change six registers by hand, compare (exactly those six), restore (exactly those six written,
// all verified, as the instrument's write log shows), compare again (none); a value the
// instrument refuses; the link lost half way; a running program; the curve selection put back;
// files refused before any write; the file read and written again unchanged to the byte.
#include "app/translations.h"
#include "files/setup_job.h"
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "support/sim_process.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {
// Registers changed by hand: one per block, an option, a tenths field, a segment of curve 3.
struct Change {
    int curve;
    int reg;
    int value;
};
const Change kChanges[] = {
    {-1, 4102, 1},    // configuration, option: Fahrenheit
    {-1, 4106, 1250}, // configuration, integer
    {-1, 258, 7},     // alarms
    {-1, 4355, 77},   // PID, tenths (7.7 s)
    {-1, 5122, 250},  // grouped PID
    {3, 8217, 432},   // curve 3, segment 2's set value
};

QList<QJsonObject> write_log(const QString& path) {
    QList<QJsonObject> out;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.isEmpty())
                out << QJsonDocument::fromJson(line).object();
    return out;
}
} // namespace

class TestInstrumentFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ModbusLink> link;
    const LinkTarget target{.address = 1}; // the simulated instrument's address

    bool wait(SetupJob& job, SetupJob::Status* status) {
        QSignalSpy done(&job, &SetupJob::finished);
        if (!done.wait(30000))
            return false;
        *status = done.at(0).at(0).value<SetupJob::Status>();
        return true;
    }
    bool write(int reg, int value) {
        bool ok = false;
        bool called = false;
        link->Set_4X_D1(1, 1, reg, value, nullptr, [&](int r) {
            ok = r == 0;
            called = true;
        });
        return QTest::qWaitFor([&] { return called; }, 5000) && ok;
    }
    void changeByHand() {
        for (const Change& c : kChanges) {
            if (c.curve >= 0)
                QVERIFY(write(7, c.curve));
            QVERIFY(write(c.reg, c.value));
            if (c.curve >= 0)
                QVERIFY(write(7, 4)); // the operator's curve again
        }
    }
    QString backup(const QString& name) {
        const QString path = dir.filePath(name);
        QFile::remove(path); // an earlier test's, maybe made no instrument file
        SetupJob job(*link, target);
        job.backup(path, {QDateTime(QDate(2026, 12, 8), QTime(9, 0)), QStringLiteral("pty"),
                          QStringLiteral("9600 8N1"), 1});
        SetupJob::Status status{};
        if (!wait(job, &status) || status != SetupJob::Status::Done)
            qWarning() << job.report();
        return status == SetupJob::Status::Done ? path : QString();
    }

private slots:
    void init() {
        sim = std::make_unique<SimProcess>();
        QVERIFY(sim->start({QStringLiteral("--write-log"), sim->writeLogPath()}));
        link = std::make_unique<ModbusLink>(PortTable{});
        QCOMPARE(link->OpenPort_Modbus(1, 1, 0, sim->ptyPath()), 0);
    }
    void cleanup() {
        link.reset();
        sim.reset();
    }

    void backupCompareRestoreCompare() {
        QVERIFY(write(7, 4)); // the operator's curve
        const QString file = backup(QStringLiteral("setup.json"));
        QVERIFY(!file.isEmpty());
        qint32 curve = -1;
        bool read = false;
        link->Get_4X_DX(1, 1, 7, 1, &curve, nullptr, [&](int) { read = true; });
        QVERIFY(QTest::qWaitFor([&] { return read; }, 5000));
        QCOMPARE(curve, 4); // the backup put the operator's curve back
        changeByHand();
        const qsizetype before = write_log(sim->writeLogPath()).size();

        SetupJob compare(*link, target);
        compare.compare(file);
        SetupJob::Status status{};
        QVERIFY(wait(compare, &status));
        QCOMPARE(status, SetupJob::Status::Differences);
        QStringList differing;
        for (const CompareRow& r : compare.rows())
            if (r.differs())
                differing << r.entry->key();
        QCOMPARE(differing.size(), 6);
        for (const Change& c : kChanges)
            QVERIFY2(differing.contains(
                         c.curve < 0 ? QString::number(c.reg)
                                     : QStringLiteral("curve %1 / %2").arg(c.curve).arg(c.reg)),
                     qPrintable(differing.join(u',')));

        SetupJob restore(*link, target);
        restore.restore(file, false);
        QVERIFY(wait(restore, &status));
        QCOMPARE(status, SetupJob::Status::Done);
        QCOMPARE(int(restore.writes().size()), 6);
        for (const WriteResult& w : restore.writes())
            QCOMPARE(w.outcome, WriteOutcome::Verified);
        QStringList written; // the instrument's own record, curve selections aside
        int lastCurve = -1;
        for (const QJsonObject& line : write_log(sim->writeLogPath()).mid(before)) {
            const int reg = line.value(QStringLiteral("register")).toInt();
            if (reg == 7)
                lastCurve = line.value(QStringLiteral("value")).toInt();
            else
                written << QString::number(reg);
        }
        QCOMPARE(written, (QStringList{"4102", "4106", "258", "4355", "5122", "8217"}));
        QCOMPARE(lastCurve, 4); // put back

        SetupJob again(*link, target);
        again.compare(file);
        QVERIFY(wait(again, &status));
        QCOMPARE(status, SetupJob::Status::Done);
        QVERIFY(again.report().last().startsWith(QStringLiteral("0 ")));
    }

    void linkLostHalfWay() {
        const QString file = backup(QStringLiteral("setup.json"));
        changeByHand();
        SetupJob restore(*link, target);
        int writesSeen = 0;
        connect(link.get(), &InstrumentLink::statusChanged, this, [&] {
            if (link->status().lastMessage.startsWith(QStringLiteral("Set_4X_D1 258")) &&
                writesSeen++ == 0)
                sim->terminate(); // the line goes dead after the third write
        });
        restore.restore(file, false);
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        QCOMPARE(status, SetupJob::Status::Differences);
        int verified = 0, written = 0, notWritten = 0;
        for (const WriteResult& w : restore.writes()) {
            verified += w.outcome == WriteOutcome::Verified;
            written += w.outcome == WriteOutcome::Written;
            notWritten += w.outcome == WriteOutcome::NotWritten;
            if (w.entry->reg == 258) // answered, then the line went: taken, even if not read back
                QVERIFY(w.outcome == WriteOutcome::Written || w.outcome == WriteOutcome::Verified);
        }
        QVERIFY2(verified >= 2 && notWritten >= 2, qPrintable(restore.report().join(u'\n')));
        QCOMPARE(verified + written + notWritten, 6);
        QVERIFY(restore.report().join(u'\n').contains(QStringLiteral("not written")));
    }

    void backupRefusedWhileAProgramRuns() {
        QVERIFY(write(8, 1)); // run... in program mode:
        bool called = false;
        link->Set_0X_Bit1(1, 1, 2, nullptr, [&](int) { called = true; });
        QVERIFY(QTest::qWaitFor([&] { return called; }, 5000));
        QVERIFY(write(8, 1));
        const QString path = dir.filePath(QStringLiteral("running.json"));
        SetupJob job(*link, target);
        job.backup(path, {});
        SetupJob::Status status{};
        QVERIFY(wait(job, &status));
        QCOMPARE(status, SetupJob::Status::Failed);
        QVERIFY2(job.report().join(u' ').contains(QStringLiteral("program is running")),
                 qPrintable(job.report().join(u' ')));
        QVERIFY(!QFile::exists(path));
    }

    void filesRefusedBeforeAnyWrite_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("words");
        QTest::newRow("another version") << "version" << 2 << "version 2";
        QTest::newRow("an unknown register") << "register" << 4108 << "not one this console knows";
        QTest::newRow("no 16-bit value") << "value" << 70000 << "no 16-bit value";
        QTest::newRow("outside what it accepts") << "4161" << 9 << "4161 holds 9 (0 to 7)";
        QTest::newRow("truncated") << "keep" << 40 << "1056 of the 1096 registers are missing";
        QTest::newRow("empty") << "keep" << 0 << "1096 of the 1096 registers are missing";
    }

    void filesRefusedBeforeAnyWrite() {
        QFETCH(QString, key);
        QFETCH(int, value);
        QFETCH(QString, words);
        const QString file = backup(QStringLiteral("setup.json"));
        changeByHand();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
        f.close();
        QJsonArray regs = root.value(QStringLiteral("registers")).toArray();
        if (key == u"version") {
            root.insert(key, value);
        } else if (key == u"keep") {
            while (regs.size() > value)
                regs.removeLast();
            root.insert(QStringLiteral("registers"), regs);
        } else if (key == u"4161") {
            for (int i = 0; i < regs.size(); ++i) {
                QJsonObject r = regs[i].toObject();
                if (r.value(QStringLiteral("register")).toInt() == 4161)
                    r.insert(QStringLiteral("value"), value);
                regs[i] = r;
            }
            root.insert(QStringLiteral("registers"), regs);
        } else {
            QJsonObject last = regs.last().toObject();
            last.insert(key, value);
            regs.append(last);
            root.insert(QStringLiteral("registers"), regs);
        }
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(root).toJson());
        out.close();
        const quint64 sent = link->status().good + link->status().failed;
        SetupJob restore(*link, target);
        restore.restore(file, true);
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        QCOMPARE(status, SetupJob::Status::Failed);
        QVERIFY2(restore.report().join(u' ').contains(words),
                 qPrintable(restore.report().join(u' ')));
        QCOMPARE(link->status().good + link->status().failed, sent); // not one request
    }

    // Each option register accepts its list's codes; a hint's bounds are read in its terms.
    void mapRanges_data() {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("plain bounds") << -1 << 4169 << 0 << 20000;
        QTest::newRow("blanks about the dash") << -1 << 4170 << -10000 << 30000;
        QTest::newRow("a double dash") << -1 << 4366 << -10000 << 30000;
        QTest::newRow("tenths") << -1 << 4367 << 10 << 40;
        QTest::newRow("percent") << -1 << 4114 << 0 << 1000;
        QTest::newRow("words before") << -1 << 4159 << 1 << 247;
        QTest::newRow("no hint") << -1 << 4171 << -32768 << 32767;
        QTest::newRow("recipe") << 4 << 8204 << 0 << 8;
        QTest::newRow("segment count") << 4 << 8196 << 0 << 24;
        QTest::newRow("loop end") << 0 << 8203 << 0 << 24;
    }
    void mapRanges() {
        for (const MapEntry& e : register_map())
            if (e.info->kind == FieldKind::Option)
                QCOMPARE(e.high - e.low + 1, qint32(e.info->options->entries.size()));
        QFETCH(int, curve);
        QFETCH(int, reg);
        const MapEntry* e = find_entry(curve, reg);
        QVERIFY(e);
        QFETCH(int, low);
        QFETCH(int, high);
        QCOMPARE(std::pair(e->low, e->high), std::pair(low, high));
    }

    // The before-copy holds what the instrument held: restoring it undoes the restore.
    void beforeCopyUndoes() {
        const QString file = backup(QStringLiteral("original.json"));
        changeByHand();
        SetupJob restore(*link, target);
        restore.restore(file, false);
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        QCOMPARE(status, SetupJob::Status::Done);
        QCOMPARE(restore.report().last(), QStringLiteral("Compared after writing: 0 differences"));
        const QString copy = restore.report().first().section(QStringLiteral(" to "), -1);
        QVERIFY2(QFile::exists(copy), qPrintable(copy));
        SetupJob undo(*link, target);
        undo.restore(copy, false);
        QVERIFY(wait(undo, &status));
        QCOMPARE(status, SetupJob::Status::Done);
        QCOMPARE(int(undo.writes().size()), int(std::size(kChanges)));
    }

    // A program started between two writes: no curve is selected under it, not even put back.
    void programStartedStopsTheRestore() {
        const QString file = backup(QStringLiteral("setup.json"));
        changeByHand();
        bool started = false;
        connect(link.get(), &InstrumentLink::statusChanged, this, [this, &started] {
            if (started || !link->status().lastMessage.startsWith(QStringLiteral("Set_4X_D1 5122")))
                return;
            started = true;
            link->Set_0X_Bit1(1, 1, 2, nullptr, [](int) {}); // program mode, run: another hand
            link->Set_4X_D1(1, 1, 8, 1, nullptr, [](int) {});
        });
        const qsizetype before = write_log(sim->writeLogPath()).size();
        SetupJob restore(*link, target);
        restore.restore(file, false);
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        QCOMPARE(status, SetupJob::Status::Differences);
        QVERIFY(restore.report().join(u' ').contains(QStringLiteral("program was started")));
        QCOMPARE(restore.writes().back().outcome, WriteOutcome::NotWritten); // curve 3's segment
        bool running = false;
        for (const QJsonObject& line : write_log(sim->writeLogPath()).mid(before)) {
            running = running || line.value(QStringLiteral("register")).toInt() == 8;
            QVERIFY(!running || line.value(QStringLiteral("register")).toInt() != 7);
        }
    }

    // The line goes silent after the first write: three unanswered requests and it stops.
    void silentLinkStops() {
        const QString file = backup(QStringLiteral("setup.json"));
        changeByHand();
        connect(link.get(), &InstrumentLink::statusChanged, this, [this] {
            if (link->status().lastMessage.startsWith(QStringLiteral("Get_4X_DX 4102")))
                ::kill(pid_t(sim->pid()), SIGSTOP);
        });
        SetupJob restore(*link, target);
        restore.restore(file, false);
        const quint64 failedBefore = link->status().failed;
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        ::kill(pid_t(sim->pid()), SIGCONT);
        QCOMPARE(status, SetupJob::Status::Differences);
        QVERIFY(restore.report().join(u' ').contains(QStringLiteral("stopped answering")));
        // Three, the curve put-back and the compare's first read; not the other four writes.
        QVERIFY(link->status().failed - failedBefore <= 5);
    }

    // The link settings last, after the curve is put back; each answered is taken.
    void commsLastAndAnswered() {
        const QString file = backup(QStringLiteral("setup.json"));
        changeByHand();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray json = f.readAll();
        json.replace("\"register\": 4159,\n            \"value\": 1", // the address
                     "\"register\": 4159,\n            \"value\": 7");
        QVERIFY(f.resize(0) && f.write(json) == json.size());
        f.close();
        const qsizetype before = write_log(sim->writeLogPath()).size();
        SetupJob restore(*link, target);
        restore.restore(file, true);
        SetupJob::Status status{};
        QVERIFY(wait(restore, &status));
        QStringList written;
        for (const QJsonObject& line : write_log(sim->writeLogPath()).mid(before))
            written << QString::number(line.value(QStringLiteral("register")).toInt());
        QCOMPARE(written.mid(written.size() - 2), (QStringList{"7", "4159"}));
        QCOMPARE(restore.writes().back().outcome, WriteOutcome::Written);
        QCOMPARE(restore.writes().back().why,
                 QStringLiteral("written; not verifiable after the link setting changed"));
        QCOMPARE(status, SetupJob::Status::Done);
    }

    void readAndWrittenAgainToTheByte() {
        const QString file = backup(QStringLiteral("setup.json"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QString why;
        const auto parsed = parse_instrument_file(bytes, &why);
        QVERIFY2(parsed, qPrintable(why));
        QCOMPARE(parsed->values.size(), std::size_t(1096));
        QCOMPARE(instrument_file_json(*parsed), bytes);
    }
};

QTEST_GUILESS_MAIN(TestInstrumentFiles)
#include "test_instrument_files.moc"
