#pragma once
// The console's event journal: what the parts of the console report (a write and its result, an
// alarm coming on, the link lost) becomes one row of the record file's `events` table, with the
// time (UTC to the millisecond and the local time as shown), the instrument address, PV at the
// event, the operating-system user and host (the console has no log-in) and the session of the
// console that saw it. Journaling happens on the UI thread and costs one small committed insert.
//
// Nothing is lost when the file cannot take an event: it waits in memory (up to kMaxWaiting) and
// goes out ahead of the next one, and the record-file indicator says how many wait.

#include "journal/journal_store.h"

#include <QObject>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <utility>

class Clock;
struct LinkTarget;

struct JournalStatus {
    bool ok = false;
    QString text;         // "ok" or the error in words
    qint64 rows = -1;     // events in the file; -1 not known
    qint64 bytes = 0;     // the file's size with its write-ahead log
    qint64 waiting = 0;   // events not yet in the file
    quint64 appended = 0; // events written since start
    quint64 failures = 0; // appends that failed
    quint64 dropped = 0;  // events lost: more than kMaxWaiting waited for the file
};

class EventJournal final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxWaiting = 10000;

    // path: the record file. clock null: the console clock.
    explicit EventJournal(const QString& path, Clock* clock = nullptr, QObject* parent = nullptr);
    ~EventJournal() override;

    bool open();
    JournalStore& store() { return journalStore; }
    const JournalStatus& status() const { return current; }
    const QString& session() const { return sessionId; }

    // Where the address and PV of an event come from; by default nothing for either (the
    // assembly gives the instrument's address, the poll cycle's watcher PV once it has read it).
    void setAddressSource(std::function<std::optional<int>()> source);
    void setPvSource(std::function<std::optional<double>()> source);

    // Journals one event now; its sequence number, or empty when it waits for the file.
    std::optional<qint64> record(const EventDraft& draft);

    // The console started: guards of the file found missing and made again, events without a
    // hash chained, and every earlier console on this file that never journaled its end (killed,
    // power cut) are journaled first, then this start. And its clean end.
    void startSession(const QString& detail = QString());
    void endSession(const QString& detail = QString());

    // A job that journals some of its writes in an event of its own (an instrument-file job's
    // curve selections): while it runs, writes of holding register `number` from `source` are not
    // journaled one by one.
    void foldWrites(const QString& source, int number) { folded.insert({source, number}); }
    void unfoldWrites(const QString& source, int number) { folded.erase({source, number}); }
    bool folds(const QString& source, int number) const {
        return folded.contains({source, number});
    }

signals:
    void appended(const JournalEntry& entry);
    void statusChanged(const JournalStatus& status);

private:
    JournalEntry entryOf(const EventDraft& draft) const;
    bool flushWaiting();
    bool runningHere(const QString& session) const;
    void reportUncleanEnds();
    void reportRepairs();
    void chainEarlierEvents();
    void publish();

    JournalStore journalStore;
    Clock* fixedClock;
    QString sessionId;
    QString userName;
    QString hostName;
    std::function<std::optional<int>()> addressSource;
    std::function<std::optional<double>()> pvSource;
    std::deque<JournalEntry> waiting;
    JournalStatus current;
    bool sessionOpen = false;
    qint64 lastSeq = 0;
    quint64 droppedUnsaid = 0; // lost events the journal has not said yet
    std::set<std::pair<QString, int>> folded;
};

// The address of the instrument at `target`, as an address source for the journal: read afresh for
// each event, empty while no address is set. The target must outlive the journal's use of it.
std::function<std::optional<int>()> target_address(const LinkTarget& target);
