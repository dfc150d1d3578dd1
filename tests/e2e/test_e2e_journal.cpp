// The event journal against the simulated instrument over a pseudo terminal: every write with its
// source, old value and result; an alarm driven on and off by its set point; a mode changed by the
// console and one changed at the instrument by another master; a program run and held; the link
// cut and restored with the length of the outage. Read back from the record file's events table.
#include "journal/event_journal.h"
#include "journal/event_watcher.h"
#include "journal/journal_link.h"
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "overview/overview_form.h"
#include "params/alarm_form.h"
#include "support/sim_process.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {
int free_tcp_port() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The console's journaling parts, as the assembly puts them together.
struct Rig {
    explicit Rig(const QString& db)
        : journal(db), journaled(wire, journal), poll(instrument, journaled),
          watcher(instrument, poll, journaled, journal) {
        journal.setAddressSource(target_address(instrument.target()));
        journal.open();
    }
    QList<JournalEntry> events(EventCategory c) {
        QList<JournalEntry> out;
        for (const JournalEntry& e : journal.store().newerThan({{}, {}, {c}, {}}, 0, 1000))
            out << e;
        return out;
    }
    QStringList codes(EventCategory c) {
        QStringList out;
        for (const JournalEntry& e : events(c))
            out << e.code;
        return out;
    }
    Instrument instrument; // a fresh image for every rig
    EventJournal journal;
    ModbusLink wire{PortTable{}};
    JournalLink journaled;
    Met1 poll;
    EventWatcher watcher;
};

void type_and_click(QWidget& window, const QString& box, const QString& text,
                    const QString& button) {
    auto* edit = window.findChild<QLineEdit*>(box);
    auto* click = window.findChild<QPushButton*>(button);
    QVERIFY(edit && click);
    edit->setFocus();
    QTRY_VERIFY(click->isVisible());
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::mouseClick(click, Qt::LeftButton);
}

void pick_and_click(QWidget& window, const QString& combo, int index, const QString& button) {
    auto* list = window.findChild<QComboBox*>(combo);
    auto* click = window.findChild<QPushButton*>(button);
    QVERIFY(list && click);
    list->setCurrentIndex(index);
    QTest::mouseClick(click, Qt::LeftButton);
}
} // namespace

class TestE2eJournal : public QObject {
    Q_OBJECT
private slots:
    void everyChangeJournaledOnceWithItsSource();
    void linkCutAndRestoredWithItsOutage();

private:
    QTemporaryDir dir;
};

void TestE2eJournal::everyChangeJournaledOnceWithItsSource() {
    const int tcp = free_tcp_port();
    SimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--tcp"), QString::number(tcp)}));
    Rig rig(dir.filePath(QStringLiteral("changes.db")));
    OverviewForm overview(rig.instrument, rig.journaled, rig.poll, PortTable{});
    overview.show();
    overview.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&overview, 2000));
    overview.applyLinkOptions(sim.ptyPath(), 1, 0, 1);
    overview.Command9_Click();
    QTRY_VERIFY_WITH_TIMEOUT(rig.poll.cyclesCompleted() >= 2, 3000);
    const QString sv1Before = QString::number(rig.instrument.image().Raw4X[2]);

    // A write from the overview, with the value the poll cycle had read.
    type_and_click(overview, QStringLiteral("T_3RW(2)"), QStringLiteral("733"),
                   QStringLiteral("Command11"));
    // Program mode from the overview, then run and hold.
    QTest::mouseClick(overview.findChild<QPushButton*>(QStringLiteral("Command12")),
                      Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Bit0X[1], 1, 3000);
    pick_and_click(overview, QStringLiteral("Combo3"), 1, QStringLiteral("Command13"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Val3X4097[0], 1, 3000);
    pick_and_click(overview, QStringLiteral("Combo3"), 2, QStringLiteral("Command13"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Val3X4097[0], 2, 3000);

    // Another master at the instrument (its front panel, as far as the console can tell) turns
    // it to manual.
    ModbusLink panel{PortTable{}};
    panel.OpenPort_Modbus(1, 1, 0, QStringLiteral("127.0.0.1:%1").arg(tcp));
    bool sent = false;
    panel.Rst_0X_Bit1(1, 1, 1, nullptr, [&](int r) { sent = r == 0; });
    QTRY_VERIFY_WITH_TIMEOUT(sent, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(rig.instrument.image().Bit0X[0], 0, 3000);

    // Alarm 1 (high) at 10 degrees comes on over a cold furnace, and goes off at 1100 again.
    ALM1 alarms(rig.instrument, rig.journaled, [] {});
    alarms.Form_Load();
    alarms.show();
    QTRY_VERIFY_WITH_TIMEOUT(alarms.isVisible(), 3000); // once its first read has answered
    QVERIFY(QTest::qWaitForWindowActive(&alarms, 2000));
    auto* box = alarms.findChild<QLineEdit*>(QStringLiteral("T_3RW(256)"));
    // The screen has read the row: the console knows the value a write replaces.
    auto* shown = alarms.findChild<QLabel*>(QStringLiteral("D_4W(256)"));
    QTRY_COMPARE_WITH_TIMEOUT(shown->text(), QStringLiteral("1100"), 3000);
    int changes = 0;
    for (const char* value : {"10", "1100"}) {
        box->setFocus(Qt::TabFocusReason);
        box->clear();
        QTest::keyClicks(box, QLatin1String(value));
        alarms.returnButton()->setFocus(Qt::TabFocusReason);
        ++changes;
        QTRY_COMPARE_WITH_TIMEOUT(rig.codes(EventCategory::Alarm).size(), changes, 8000);
    }
    alarms.hide();

    // The writes, in order, each once, with source, old and new value and result.
    const QList<JournalEntry> writes = rig.events(EventCategory::Write);
    QStringList seen;
    for (const JournalEntry& w : writes)
        seen << QStringLiteral("%1 %2 %3>%4 %5")
                    .arg(w.source, w.code, w.oldValue.value_or(QStringLiteral("?")),
                         w.newValue.value_or(QStringLiteral("?")), w.result);
    const QStringList expected{
        QStringLiteral("Overview · SV1值 register %1>733 accepted").arg(sv1Before),
        QStringLiteral("Overview · 单点/程序 coil 0>1 accepted"),
        QStringLiteral("Overview · 程序状态 register 0>1 accepted"),
        QStringLiteral("Overview · 程序状态 register 1>2 accepted"),
        QStringLiteral("报警设定 · 报警1设定值/偏差值 register 1100>10 accepted"),
        QStringLiteral("报警设定 · 报警1设定值/偏差值 register 10>1100 accepted"),
    };
    QCOMPARE(seen, expected);
    for (const JournalEntry& w : writes)
        QCOMPARE(w.address, std::optional<int>(1));

    // The alarm's on and off, with PV at the change.
    const QList<JournalEntry> alarmEvents = rig.events(EventCategory::Alarm);
    QCOMPARE(rig.codes(EventCategory::Alarm),
             (QStringList{QStringLiteral("alarm1_on"), QStringLiteral("alarm1_off")}));
    QVERIFY(alarmEvents[0].pv.has_value() && *alarmEvents[0].pv > 10);
    QVERIFY2(alarmEvents[0].detail.contains(QStringLiteral("报警一ON")),
             qPrintable(alarmEvents[0].detail));

    // The modes: the console's own change named by its control, the other one by the instrument.
    const QList<JournalEntry> modes = rig.events(EventCategory::Mode);
    QCOMPARE(modes.size(), 2);
    QCOMPARE(modes[0].code, QStringLiteral("program"));
    QCOMPARE(modes[0].source, QStringLiteral("Overview · 单点/程序"));
    QCOMPARE(modes[1].code, QStringLiteral("manual"));
    QCOMPARE(modes[1].source, QStringLiteral("Instrument"));

    // The program: the commands, and the state following them, run then hold.
    QStringList program;
    for (const JournalEntry& e : rig.events(EventCategory::Program))
        if (e.code == QStringLiteral("state"))
            program << e.oldValue.value_or(QString()) + u'>' + e.newValue.value_or(QString());
    QCOMPARE(program, (QStringList{QStringLiteral("0>1"), QStringLiteral("1>2")}));
    overview.Command10_Click();
    QCOMPARE(rig.codes(EventCategory::Link),
             (QStringList{QStringLiteral("opened"), QStringLiteral("first_read"),
                          QStringLiteral("closed")}));
}

// The device goes away for five seconds (the instrument's line is cut) and comes back on the same
// path: measured from the first read, lost after three failed poll cycles, restored with the
// outage's length, each once.
void TestE2eJournal::linkCutAndRestoredWithItsOutage() {
    const QString path = dir.filePath(QStringLiteral("line"));
    auto first = std::make_unique<SimProcess>();
    QVERIFY(first->start());
    QVERIFY(QFile::link(first->ptyPath(), path));
    Rig rig(dir.filePath(QStringLiteral("cut.db")));
    rig.instrument.target().address = 1;
    QCOMPARE(rig.journaled.OpenPort_Modbus(1, 1, 0, path), 0);
    rig.poll.setPollEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(rig.poll.cyclesCompleted() >= 2, 3000);

    QVERIFY(first->terminate());
    QTRY_COMPARE_WITH_TIMEOUT(rig.codes(EventCategory::Link).size(), 3, 5000);
    QTest::qWait(5000);
    SimProcess second;
    QVERIFY(second.start());
    QFile::remove(path);
    QVERIFY(QFile::link(second.ptyPath(), path));
    QTRY_COMPARE_WITH_TIMEOUT(rig.codes(EventCategory::Link).size(), 4, 15000);
    rig.poll.setPollEnabled(false);

    const QList<JournalEntry> link = rig.events(EventCategory::Link);
    QCOMPARE(rig.codes(EventCategory::Link),
             (QStringList{QStringLiteral("opened"), QStringLiteral("first_read"),
                          QStringLiteral("lost"), QStringLiteral("restored")}));
    const double outage = link[3].newValue.value_or(QString()).toDouble();
    QVERIFY2(outage >= 5.0 && outage < 20.0, qPrintable(link[3].detail));
    QVERIFY(link[3].utcMs - link[2].utcMs >= 5000);
}

QTEST_MAIN(TestE2eJournal)
#include "test_e2e_journal.moc"
