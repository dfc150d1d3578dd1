#pragma once
// What the poll cycle sees, journaled: alarm 1 and 2 and the four input faults on and off, the
// mode coils (manual/automatic, single set value/program, SV1/SV2, auto-tune), the program's
// state, command, curve and segment and its waiting on deviation, whoever changed them (a change
// within kOwnWriteMs of a write the console made with that value is the console's; any other the
// instrument's own, its front panel or another master). And the link: lost after kLostAfterCycles
// failed poll cycles in a row, restored at the next good one, with the length of the outage; and
// the first good read of the process values after the port was opened, from which on the records
// are measured.
//
// Each part of the image is compared only when its read succeeded in the cycle. The first good
// read after the port was opened is the starting point, not a change; an alarm or fault that is
// on then is journaled as found on.

#include "journal/journal_link.h"

#include <QDateTime>
#include <QObject>
#include <array>
#include <deque>
#include <optional>

class Clock;
class EventJournal;
class Instrument;
class Met1;

class EventWatcher final : public QObject {
    Q_OBJECT
public:
    static constexpr int kLostAfterCycles = 3;
    static constexpr qint64 kOwnWriteMs = 10000;

    // Follows the image of `instrument` that `poll` fills. clock null: the console clock.
    EventWatcher(const Instrument& instrument, Met1& poll, JournalLink& link, EventJournal& journal,
                 Clock* clock = nullptr, QObject* parent = nullptr);
    ~EventWatcher() override;

    void cycleFinished(quint8 readsOk); // the poll cycle's handler, with its good reads
    void linkStatusChanged();
    bool linkLost() const { return lost; }

    struct Watched; // one value of the image the journal follows

private:
    void compare(const Watched& w, qint32 now, bool baseline);
    void startAfresh();
    void firstRead();
    // Who made a change; none for one a job journals in its own event.
    std::optional<QString> sourceOf(const Watched& w, qint32 value);
    QDateTime now() const;

    const Instrument& instrument;
    Met1& poll;
    JournalLink& link;
    EventJournal& journal;
    Clock* fixedClock;
    std::array<std::optional<qint32>, 16> previous{}; // by watched row
    bool pvKnown = false;
    int failedCycles = 0;
    bool lost = false;
    bool valuesRead = false; // the process values were read since the port was opened
    QDateTime lastGood;      // end of the newest cycle that read anything
    QDateTime openedAt;      // when the operator opened the port
    bool wanted = false;     // the operator has the port open
    std::deque<std::pair<QDateTime, JournalLink::AcceptedWrite>> ownWrites;
};
