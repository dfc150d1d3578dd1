// The console against the simulated instrument: a command given on the overview reaches the
// instrument and shows on the panel after the next poll; the console executable, run for a few
// seconds, records one short row a second and one long row every ten seconds with the image's
// values; killed outright mid-run, it leaves a consistent record ring, and the next start
// journals the unclean end.
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "overview/overview_form.h"
#include "params/alarm_form.h"
#include "programs/tech_form.h"
#include "support/sim_process.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {
struct Rows {
    QList<qint32> ids;
    QList<double> times;
    QList<double> pv;
    QList<qint32> positions; // sl_void columns 0..3
};

Rows read_table(const QString& dbPath, const QString& table, const QString& key) {
    Rows r;
    const QString name = QStringLiteral("e2e-%1").arg(table);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select %1, w_time, * from %2 order by w_date, w_time")
                       .arg(key, table));
            while (q.next()) {
                r.ids << q.value(0).toInt();
                r.times << q.value(1).toDouble();
                r.pv << q.value(5).toDouble(); // column 3 of the row: Val3X[0]
            }
            q.exec(QStringLiteral("select * from  sl_void"));
            if (q.next())
                for (int i = 0; i < 4; ++i)
                    r.positions << q.value(i).toInt();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return r;
}
} // namespace

class TestE2eConsole : public QObject {
    Q_OBJECT
private slots:
    void overviewCommandReachesTheInstrumentAndShowsAfterThePoll();
    void alarmSetPointFromTheAlarmScreen();
    void segmentEditedOnTheProgramEditorRuns();
    void consoleRecordsShortAndLongRows();
    void killedConsoleLeavesAConsistentRing();

private:
    bool runConsole(QProcess& console, const QString& dbPath, const QString& pty, int maxSeconds);
};

void TestE2eConsole::overviewCommandReachesTheInstrumentAndShowsAfterThePoll() {
    Instrument instrument;
    SimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--write-log"), sim.writeLogPath()}));
    ModbusLink link{PortTable{}};
    Met1 poll(instrument, link);
    OverviewForm form(instrument, link, poll, PortTable{});
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form, 2000));
    form.applyLinkOptions(sim.ptyPath(), 1, 0, 1);
    form.Command9_Click();
    QVERIFY(poll.pollEnabled());

    auto* box = form.findChild<QLineEdit*>(QStringLiteral("T_3RW(2)"));
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Command11"));
    auto* shown = form.findChild<QLabel*>(QStringLiteral("D_4W(2)"));
    QVERIFY(box && button && shown);
    box->setFocus();
    QTRY_VERIFY(button->isVisible());
    box->clear();
    QTest::keyClicks(box, QStringLiteral("733"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile(sim.writeLogPath()).size() > 0, 3000);
    QFile log(sim.writeLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray line = log.readAll();
    QVERIFY2(line.contains("\"register\":3") && line.contains("\"value\":733"), line.constData());
    QTRY_COMPARE_WITH_TIMEOUT(shown->text(), QStringLiteral("733"), 3000);
    form.Command10_Click();
}

bool TestE2eConsole::runConsole(QProcess& console, const QString& dbPath, const QString& pty,
                                int maxSeconds) {
    console.setProcessChannelMode(QProcess::ForwardedChannels);
    console.start(QStringLiteral(MT3600_CONSOLE_PATH),
                  {QStringLiteral("--connect"), pty, QStringLiteral("--db"), dbPath,
                   QStringLiteral("--max-seconds"), QString::number(maxSeconds)});
    return console.waitForStarted(5000);
}

// A set point written on ALM1 is read back by the screen's next refresh, and the instrument acts
// on it: alarm 1 (high) at 10 degrees comes on over a furnace at room temperature.
void TestE2eConsole::alarmSetPointFromTheAlarmScreen() {
    Instrument instrument;
    SimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--write-log"), sim.writeLogPath()}));
    ModbusLink link{PortTable{}};
    Met1 poll(instrument, link);
    instrument.target().address = 1;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, sim.ptyPath()), 0);
    poll.setPollEnabled(true);
    ALM1 alarms(instrument, link, [] {});
    alarms.Form_Load();
    alarms.show();
    QTRY_VERIFY_WITH_TIMEOUT(alarms.isVisible(), 3000); // once its first read has answered
    QVERIFY(QTest::qWaitForWindowActive(&alarms, 2000));
    auto* shown = alarms.findChild<QLabel*>(QStringLiteral("D_4W(256)"));
    QTRY_COMPARE_WITH_TIMEOUT(shown->text(), QStringLiteral("1100"), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesCompleted() > 0, 3000);
    QCOMPARE(instrument.image().Bit1X[0], 0);

    auto* box = alarms.findChild<QLineEdit*>(QStringLiteral("T_3RW(256)"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("10"));
    alarms.returnButton()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE_WITH_TIMEOUT(shown->text(), QStringLiteral("10"), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(instrument.image().Bit1X[0], 1,
                              5000);          // the poll cycle sees alarm 1 on
    QCOMPARE(instrument.image().Raw3X[7], 1); // of type 1, high alarm
    QFile log(sim.writeLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count("\"register\":257"), 1); // written once
    poll.setPollEnabled(false);
}

// Segment 1 of curve 0 edited on Tech (345 degrees in 1 minute, where it held 200 in 10) is read
// back on the screen, and the simulated instrument runs it: the running segment's target is 345.
void TestE2eConsole::segmentEditedOnTheProgramEditorRuns() {
    Instrument instrument;
    SimProcess sim;
    QVERIFY(sim.start());
    ModbusLink link{PortTable{}};
    Met1 poll(instrument, link);
    instrument.target().address = 1;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, sim.ptyPath()), 0);
    poll.setPollEnabled(true);
    Tech tech(instrument, link, [] {});
    tech.Form_Load();
    tech.show();
    tech.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tech, 2000));
    auto* sv = tech.findChild<QLabel*>(QStringLiteral("Label13A"));
    auto* time = tech.findChild<QLabel*>(QStringLiteral("Label13B"));
    QTRY_COMPARE_WITH_TIMEOUT(sv->text(), QStringLiteral("200"), 4000);
    QCOMPARE(tech.findChild<QLabel*>(QStringLiteral("Label3(2)"))->text(), QStringLiteral("1"));

    for (const auto& [name, text] : {std::pair{"TxtA", "345"}, std::pair{"TxtB", "1"}}) {
        auto* box = tech.findChild<QLineEdit*>(QLatin1String(name));
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, QLatin1String(text));
        tech.returnButton()->setFocus(Qt::TabFocusReason);
    }
    QTRY_COMPARE_WITH_TIMEOUT(sv->text(), QStringLiteral("345"), 4000);
    QTRY_COMPARE_WITH_TIMEOUT(time->text(), QStringLiteral("1"), 4000);

    bool started = false;
    link.Set_0X_Bit1(1, 1, 2, &tech, [&](int r) { started = r == 0; });             // program mode
    link.Set_4X_D1(1, 1, 8, 1, &tech, [&](int r) { started = started && r == 0; }); // run
    QTRY_VERIFY_WITH_TIMEOUT(started, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(instrument.image().Val3X4097[0], 1, 3000); // running
    QCOMPARE(instrument.image().Val3X4097[3], 1);                        // segment 1, a minute long
    QCOMPARE(instrument.image().Val3X4097[2], 345); // its target: the edited set value
    poll.setPollEnabled(false);
}

void TestE2eConsole::consoleRecordsShortAndLongRows() {
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("records.sqlite"));
    QProcess console;
    QVERIFY(runConsole(console, db, sim.ptyPath(), 14));
    QVERIFY(console.waitForFinished(30000));
    QCOMPARE(console.exitCode(), 0);

    // About 12 s after the splash: a short row each second, a long row every ten seconds.
    const Rows shortRows = read_table(db, QStringLiteral("pv_data"), QStringLiteral("w_id"));
    const Rows longRows = read_table(db, QStringLiteral("Lpv_wdjl"), QStringLiteral("lw_id"));
    QVERIFY2(shortRows.ids.size() >= 8 && shortRows.ids.size() <= 14,
             qPrintable(QString::number(shortRows.ids.size())));
    QVERIFY2(longRows.ids.size() >= 1 && longRows.ids.size() <= 2,
             qPrintable(QString::number(longRows.ids.size())));
    for (int i = 0; i < shortRows.ids.size(); ++i)
        QCOMPARE(shortRows.ids[i], i + 1);
    for (int i = 1; i < shortRows.times.size(); ++i)
        QCOMPARE(qRound((shortRows.times[i] - shortRows.times[i - 1]) * 86400), 1);
    if (longRows.times.size() == 2)
        QCOMPARE(qRound((longRows.times[1] - longRows.times[0]) * 86400), 10);
    QCOMPARE(shortRows.positions.value(0), shortRows.ids.last());
    QCOMPARE(shortRows.positions.value(1), shortRows.ids.last());
    QCOMPARE(shortRows.positions.value(2), longRows.ids.last());
    // The first row may predate the first poll (zeros); later rows carry the furnace's PV.
    QVERIFY(shortRows.pv.last() > 0);
}

void TestE2eConsole::killedConsoleLeavesAConsistentRing() {
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("records.sqlite"));
    for (int run = 0; run < 2; ++run) {
        QProcess console;
        QVERIFY(runConsole(console, db, sim.ptyPath(), 30));
        QTest::qWait(4500 + 350 * run); // somewhere inside a second, not on its edge
        ::kill(static_cast<pid_t>(console.processId()), SIGKILL);
        QVERIFY(console.waitForFinished(5000));
    }
    const Rows rows = read_table(db, QStringLiteral("pv_data"), QStringLiteral("w_id"));
    QVERIFY(!rows.ids.isEmpty());
    // The position names the newest row, and every number up to it is there exactly once.
    QCOMPARE(rows.positions.value(0), rows.ids.size());
    QList<qint32> sorted = rows.ids;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < sorted.size(); ++i)
        QCOMPARE(sorted[i], i + 1);

    // A third console, ended cleanly, finds the second one's kill (the second found the first's):
    // each start, unclean end, link opening and first read is in the journal once, in order.
    QProcess console;
    QVERIFY(runConsole(console, db, sim.ptyPath(), 4));
    QVERIFY(console.waitForFinished(20000));
    QCOMPARE(console.exitCode(), 0);
    QStringList events;
    qint64 seq = 0;
    {
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "journal");
        file.setDatabaseName(db);
        QVERIFY(file.open());
        QSqlQuery q(file);
        QVERIFY(q.exec(QStringLiteral("select seq, code from events where category in "
                                      "('console', 'link') order by seq")));
        while (q.next()) {
            QVERIFY(q.value(0).toLongLong() > seq);
            seq = q.value(0).toLongLong();
            events << q.value(1).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("journal"));
    QCOMPARE(events.join(u' '),
             QStringLiteral("started opened first_read unclean_end started opened first_read "
                            "unclean_end started opened first_read ended"));
}

QTEST_MAIN(TestE2eConsole)
#include "test_e2e_console.moc"
