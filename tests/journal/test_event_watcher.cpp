// The watcher of the poll cycle at the moment a port is opened: an alarm is held against what the
// journal last said of it, so one that went off while nobody watched is journaled off, and one
// that stayed on across a restart is not journaled twice; a port opened again starts afresh.
#include "journal/event_journal.h"
#include "journal/event_watcher.h"
#include "journal/journal_link.h"
#include "link/instrument.h"
#include "link/poll_form.h"
#include "support/recording_link.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
// One console's journaling parts on the fake instrument: open, a poll cycle, close.
struct Console {
    Console(const QString& db, RecordingLink& fake)
        : journal(db), link(fake, journal), poll(instrument, link),
          watcher(instrument, poll, link, journal), fake(fake) {
        journal.open();
    }
    void openAndPoll(int address = 1) {
        instrument.target().address = address;
        link.OpenPort_Modbus(1, 1, 0, QStringLiteral("/dev/fake"));
        fake.linkStatus.wanted = true;
        poll.Timer1_Timer();
        fake.completeAll();
    }
    Instrument instrument; // a console of its own starts with an empty image
    EventJournal journal;
    JournalLink link;
    Met1 poll;
    EventWatcher watcher;
    RecordingLink& fake;
};

QStringList alarm_events(EventJournal& journal) {
    QStringList out;
    for (const JournalEntry& e : journal.store().newerThan(
             {{}, {}, {EventCategory::Alarm, EventCategory::Mode}, {}}, 0, 100))
        out << e.code;
    return out;
}
} // namespace

class TestEventWatcher : public QObject {
    Q_OBJECT
private slots:
    void alarmHeldAgainstTheJournalAtOpening_data();
    void alarmHeldAgainstTheJournalAtOpening();
    void portOpenedAgainStartsAfresh();
};

void TestEventWatcher::alarmHeldAgainstTheJournalAtOpening_data() {
    QTest::addColumn<bool>("onBefore"); // alarm 1 as the earlier console left it
    QTest::addColumn<bool>("onNow");    // alarm 1 when this console opens the port
    QTest::addColumn<QStringList>("events");
    QTest::newRow("stayed off") << false << false << QStringList{};
    QTest::newRow("came on unseen") << false << true << QStringList{"alarm1_on"};
    QTest::newRow("stayed on") << true << true << QStringList{"alarm1_on"};
    QTest::newRow("went off unseen") << true << false << QStringList{"alarm1_on", "alarm1_off"};
}

void TestEventWatcher::alarmHeldAgainstTheJournalAtOpening() {
    QFETCH(bool, onBefore);
    QFETCH(bool, onNow);
    QFETCH(QStringList, events);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("r.db"));
    RecordingLink fake;
    fake.coils = 1; // automatic, throughout
    {
        Console earlier(db, fake);
        fake.discreteInputs = onBefore ? 1 : 0;
        earlier.openAndPoll();
    }
    Console now(db, fake);
    fake.discreteInputs = onNow ? 1 : 0;
    now.openAndPoll();
    QCOMPARE(alarm_events(now.journal), events);
}

void TestEventWatcher::portOpenedAgainStartsAfresh() {
    QTemporaryDir dir;
    RecordingLink fake;
    Console console(dir.filePath(QStringLiteral("r.db")), fake);
    fake.coils = 1; // automatic
    console.openAndPoll(1);
    // "打开" again without "关闭", now for an instrument in manual: no change was seen.
    fake.coils = 0;
    console.openAndPoll(2);
    QCOMPARE(alarm_events(console.journal), QStringList{});
    // The same instrument changing afterwards is a change.
    fake.coils = 1;
    console.poll.Timer1_Timer();
    fake.completeAll();
    QCOMPARE(alarm_events(console.journal), QStringList{QStringLiteral("auto")});
}

QTEST_GUILESS_MAIN(TestEventWatcher)
#include "test_event_watcher.moc"
