#pragma once
// Store and forward: the record file stays the console's own truth, and whatever it holds goes on
// to the central database when it can. One pass (ForwardPass) sends at most one batch of each
// stream and moves that stream's cursor only after the central commit, so a crash, a kill or a
// server gone mid-batch sends the batch again, and the central keys make the second time no
// change. HistorianForwarder runs passes on a thread of its own, backing off from 1 s, doubling
// to 60 s, while they fail, and tells the UI thread how it stands through a queued signal.

#include "historian/central_writer.h"
#include "historian/historian_conninfo.h"
#include "historian/record_outbox.h"
#include "journal/journal_store.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QThread;
class QTimer;

struct ForwarderConfig {
    QString recordFile;
    HistorianConninfo conninfo;
    QString consoleName;
    std::optional<int> address; // the instrument's, carried by every record
    QString session;            // the console session its own events are journaled under
    MeasuredJudge measured;     // empty: records go with measured NULL
    int batchRows = 5000;
};

// "<host>/<address>": a console's name when none is given.
QString default_console_name(std::optional<int> address);

struct HistorianState {
    enum class Phase { Off, Connecting, Current, CatchingUp, Failing };
    Phase phase = Phase::Off;
    qint64 waiting = 0;  // rows of all streams not yet forwarded
    qint64 behindMs = 0; // how old the oldest short record still waiting is
    QString reason;      // why it fails, in words
    int retryInS = 0;    // the next attempt, while failing
};
Q_DECLARE_METATYPE(HistorianState)

class ForwardPass {
    Q_DECLARE_TR_FUNCTIONS(ForwardPass)
public:
    enum class Outcome { Current, Sent, Failed };

    explicit ForwardPass(ForwarderConfig config);
    ~ForwardPass();

    // Opens the record file and reads the console's id; false when the file cannot be used.
    bool start(QString* why);
    // Connects when not connected, then sends one batch of each stream that has rows waiting.
    Outcome step(QString* why);
    bool connected() const { return central && central->isConnected(); }
    qint64 waiting() const { return pendingRows; }
    // How old the oldest short record not yet central is (0: none waits).
    qint64 behindMs() const;
    qint64 sent() const { return sentRows; } // rows committed centrally since start
    bool everConnected() const { return reached; }
    const QString& consoleId() const { return id; }
    // Journals an event of the historian in the record file (forwarded like any other).
    void journal(const QString& code, const QString& detail, const QString& oldValue = QString(),
                 const QString& newValue = QString());

private:
    bool stepRing(RecordTable table, bool* sent, QString* why);
    bool stepRows(OutboxStream stream, bool* sent, QString* why);
    void journalGap(RecordTable table, const RingGap& gap);

    ForwarderConfig cfg;
    RecordOutbox outbox;
    JournalStore events;
    std::unique_ptr<CentralWriter> central;
    QString id;
    qint64 pendingRows = 0;
    qint64 waitingSinceMs = 0; // the sampled time of the oldest short record waiting
    qint64 sentRows = 0;
    bool reached = false;
    bool named = false; // the name was given, not made up
};

class ForwarderWorker;

class HistorianForwarder final : public QObject {
    Q_OBJECT
public:
    explicit HistorianForwarder(ForwarderConfig config, QObject* parent = nullptr);
    // Ends the thread: a pass under way finishes first (bounded by the connect time out).
    ~HistorianForwarder() override;
    void start();
    // Lets go of the forwarder without waiting for it: its thread ends after the pass under way
    // and takes itself and this object away (a new setting replaces the forwarder this way).
    void retire();
    const HistorianState& state() const { return current; }

signals:
    void stateChanged(const HistorianState& state);

private:
    QThread* thread = nullptr;
    ForwarderWorker* worker = nullptr;
    ForwarderConfig cfg;
    HistorianState current;
};

// The thread's side: one pass a turn, the next one at once while rows wait, a second later once
// current, after the back-off while failing. Connecting and failing are journaled once an outage.
class ForwarderWorker final : public QObject {
    Q_OBJECT
public:
    explicit ForwarderWorker(ForwarderConfig config);
    ~ForwarderWorker() override;
    void begin();                      // on the thread
    static int backoffS(int failures); // 1, 2, 4, ... 60

signals:
    void stateChanged(const HistorianState& state);

private:
    void turn();
    void publish(HistorianState::Phase phase, const QString& reason = QString(), int retry = 0);

    ForwarderConfig cfg;
    std::unique_ptr<ForwardPass> pass;
    QTimer* timer = nullptr;
    int failures = 0;
    bool started = false;
    bool outage = false;
    bool everConnected = false;
};
