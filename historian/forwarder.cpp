#include "historian/forwarder.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

namespace {

OutboxStream stream_of(RecordTable table) {
    return table == RecordTable::Short ? OutboxStream::Short : OutboxStream::Long;
}

QString time_text(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

QString default_console_name(std::optional<int> address) {
    const QString host = QSysInfo::machineHostName();
    return address ? QStringLiteral("%1/%2").arg(host).arg(*address) : host;
}

ForwardPass::ForwardPass(ForwarderConfig config)
    : cfg(std::move(config)), outbox(cfg.recordFile), events(cfg.recordFile) {
    named = !cfg.consoleName.isEmpty();
    if (!named)
        cfg.consoleName = default_console_name(cfg.address);
    if (cfg.session.isEmpty())
        cfg.session = QStringLiteral("%1:%2:%3")
                          .arg(QSysInfo::machineHostName())
                          .arg(QCoreApplication::applicationPid())
                          .arg(QDateTime::currentMSecsSinceEpoch());
}

ForwardPass::~ForwardPass() = default;

bool ForwardPass::start(QString* why) {
    if (!outbox.open(why))
        return false;
    const auto made = outbox.consoleId(why);
    if (!made)
        return false;
    id = *made;
    return true;
}

ForwardPass::Outcome ForwardPass::step(QString* why) {
    // While it fails, records pile up from the moment it last went round.
    if (waitingSinceMs == 0)
        waitingSinceMs = QDateTime::currentMSecsSinceEpoch();
    if (!connected()) {
        central = std::make_unique<CentralWriter>(cfg.conninfo, id);
        if (!central->connect(cfg.consoleName, QSysInfo::machineHostName(), named, why))
            return Outcome::Failed;
        // A database that has never seen this console (the console pointed at another server,
        // or the old one wiped) gets everything the file holds, whatever went elsewhere before.
        if (central->consoleIsNew() && !outbox.clearCursors(why))
            return Outcome::Failed;
        reached = true;
    }
    bool sent = false;
    pendingRows = 0;
    // The rings first: a gap found there is journaled, and goes out with the events.
    if (!stepRing(RecordTable::Short, &sent, why) || !stepRing(RecordTable::Long, &sent, why) ||
        !stepRows(OutboxStream::Events, &sent, why) || !stepRows(OutboxStream::Runs, &sent, why))
        return Outcome::Failed;
    return sent ? Outcome::Sent : Outcome::Current;
}

qint64 ForwardPass::behindMs() const {
    return waitingSinceMs
               ? std::max<qint64>(0, QDateTime::currentMSecsSinceEpoch() - waitingSinceMs)
               : 0;
}

bool ForwardPass::stepRing(RecordTable table, bool* sent, QString* why) {
    const OutboxStream stream = stream_of(table);
    auto cursor = outbox.cursor(stream, why);
    if (!cursor)
        return false;
    auto batch = outbox.nextRecords(table, *cursor, cfg.batchRows, why);
    if (batch && batch->gap) {
        // Journaled first, then the cursor moves past the gap: a crash between the two finds the
        // gap again, and journalGap() does not say it twice.
        // The logger may have come round exactly to the cursor: the whole ring waits, none lost.
        if (batch->gap->rows > 0)
            journalGap(table, *batch->gap);
        if (!outbox.saveCursor(stream, batch->gap->restart, why))
            return false;
        batch = outbox.nextRecords(table, batch->gap->restart, cfg.batchRows, why);
    }
    if (!batch)
        return false;
    if (table == RecordTable::Short)
        waitingSinceMs = batch->rows.empty() ? 0 : batch->rows.front().sampledMs;
    if (batch->rows.empty())
        return true;
    if (!central->sendRecords(table, cfg.address, batch->rows, cfg.measured, batch->after, why) ||
        !outbox.saveCursor(stream, batch->after, why))
        return false;
    pendingRows += batch->waiting - qint64(batch->rows.size());
    sentRows += qint64(batch->rows.size());
    if (table == RecordTable::Short)
        waitingSinceMs =
            batch->waiting > qint64(batch->rows.size()) ? batch->rows.back().sampledMs : 0;
    *sent = true;
    return true;
}

bool ForwardPass::stepRows(OutboxStream stream, bool* sent, QString* why) {
    auto cursor = outbox.cursor(stream, why);
    if (!cursor)
        return false;
    const auto batch = stream == OutboxStream::Events
                           ? outbox.nextEvents(*cursor, cfg.batchRows, why)
                           : outbox.nextRuns(*cursor, cfg.batchRows, why);
    if (!batch)
        return false;
    if (batch->rows.empty())
        return true;
    const bool ok = stream == OutboxStream::Events
                        ? central->sendEvents(batch->rows, batch->after, why)
                        : central->sendRuns(batch->rows, batch->after, why);
    if (!ok || !outbox.saveCursor(stream, batch->after, why))
        return false;
    pendingRows += std::max<qint64>(0, batch->waiting - qint64(batch->rows.size()));
    sentRows += qint64(batch->rows.size());
    *sent = true;
    return true;
}

void ForwardPass::journalGap(RecordTable table, const RingGap& gap) {
    const QString key = QStringLiteral("%1 %2").arg(stream_key(stream_of(table))).arg(gap.afterMs);
    if (const auto last = events.newest(EventCategory::Console, QStringLiteral("gap"));
        last && last->oldValue == key)
        return;
    const QString what = table == RecordTable::Short
                             ? tr("%1 short records were overwritten in the ring before they "
                                  "reached the historian: from after %2 to before %3")
                             : tr("%1 long records were overwritten in the ring before they "
                                  "reached the historian: from after %2 to before %3");
    journal(QStringLiteral("gap"),
            what.arg(gap.rows).arg(time_text(gap.afterMs), time_text(gap.oldestMs)), key,
            QString::number(gap.rows));
}

void ForwardPass::journal(const QString& code, const QString& detail, const QString& oldValue,
                          const QString& newValue) {
    JournalEntry e;
    const QDateTime now = QDateTime::currentDateTime();
    e.utcMs = now.toMSecsSinceEpoch();
    e.localTime = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    e.category = EventCategory::Console;
    e.code = code;
    e.source = QStringLiteral("historian");
    if (!oldValue.isEmpty())
        e.oldValue = oldValue;
    if (!newValue.isEmpty())
        e.newValue = newValue;
    e.user = qEnvironmentVariable("USER");
    e.host = QSysInfo::machineHostName();
    e.detail = detail;
    e.session = cfg.session;
    // A record file that cannot take it now is said by the indicator already.
    events.append(e);
}

// --- the thread -----------------------------------------------------------------------------

HistorianForwarder::HistorianForwarder(ForwarderConfig config, QObject* parent)
    : QObject(parent), cfg(std::move(config)) {
    qRegisterMetaType<HistorianState>();
}

HistorianForwarder::~HistorianForwarder() {
    if (!thread)
        return;
    thread->quit();
    thread->wait();
    delete thread;
}

void HistorianForwarder::retire() {
    disconnect();
    if (thread) {
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        thread->quit();
        thread = nullptr;
    }
    deleteLater();
}

void HistorianForwarder::start() {
    if (thread)
        return;
    thread = new QThread;
    thread->setObjectName(QStringLiteral("historian"));
    worker = new ForwarderWorker(cfg);
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &ForwarderWorker::begin);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &ForwarderWorker::stateChanged, this, [this](const HistorianState& s) {
        current = s;
        emit stateChanged(s);
    });
    thread->start(QThread::LowPriority);
}

ForwarderWorker::ForwarderWorker(ForwarderConfig config) : cfg(std::move(config)) {}

ForwarderWorker::~ForwarderWorker() = default;

int ForwarderWorker::backoffS(int failed) {
    return failed <= 1 ? 1 : std::min(60, 1 << std::min(failed - 1, 6));
}

void ForwarderWorker::begin() {
    pass = std::make_unique<ForwardPass>(cfg);
    timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &ForwarderWorker::turn);
    publish(HistorianState::Phase::Connecting);
    timer->start(0);
}

void ForwarderWorker::turn() {
    QString why;
    if (!started && !(started = pass->start(&why))) {
        ++failures;
        publish(HistorianState::Phase::Failing, why, backoffS(failures));
        timer->start(backoffS(failures) * 1000);
        return;
    }
    const ForwardPass::Outcome outcome = pass->step(&why);
    if (outcome == ForwardPass::Outcome::Failed) {
        ++failures;
        if (!outage) {
            outage = true;
            pass->journal(QStringLiteral("historian failing"),
                          tr("Forwarding to the historian fails: %1").arg(why));
        }
        publish(HistorianState::Phase::Failing, why, backoffS(failures));
        timer->start(backoffS(failures) * 1000);
        return;
    }
    if (outage || !everConnected) {
        pass->journal(QStringLiteral("historian connected"),
                      tr("Forwarding to the historian: connected"));
        outage = false;
        everConnected = true;
    }
    failures = 0;
    const bool more = pass->waiting() > 0;
    publish(more ? HistorianState::Phase::CatchingUp : HistorianState::Phase::Current);
    timer->start(outcome == ForwardPass::Outcome::Sent ? 0 : 1000);
}

void ForwarderWorker::publish(HistorianState::Phase phase, const QString& reason, int retry) {
    HistorianState s;
    s.phase = phase;
    s.waiting = pass ? pass->waiting() : 0;
    s.behindMs = pass ? pass->behindMs() : 0;
    s.reason = reason;
    s.retryInS = retry;
    emit stateChanged(s);
}
