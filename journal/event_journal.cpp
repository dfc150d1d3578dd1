#include "journal/event_journal.h"

#include "core/clock.h"
#include "journal/journal_words.h"
#include "link/instrument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>
#include <limits>
#include <pwd.h>
#include <unistd.h>

namespace {

QString os_user() {
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

struct SessionParts {
    QString host;
    qint64 pid = 0;
};

SessionParts parts_of(const QString& session) {
    const QStringList p = session.split(u':');
    if (p.size() < 3)
        return {};
    return {p[0], p[1].toLongLong()};
}

} // namespace

EventJournal::EventJournal(const QString& path, Clock* clock, QObject* parent)
    : QObject(parent), journalStore(path), fixedClock(clock), userName(os_user()),
      hostName(QSysInfo::machineHostName()) {
    const QDateTime now = (clock ? *clock : console_clock()).now();
    sessionId = QStringLiteral("%1:%2:%3")
                    .arg(hostName)
                    .arg(QCoreApplication::applicationPid())
                    .arg(now.toUTC().toString(Qt::ISODateWithMs));
}

std::function<std::optional<int>()> target_address(const LinkTarget& target) {
    return [&target]() -> std::optional<int> {
        if (target.address > 0)
            return target.address;
        return std::nullopt;
    };
}

EventJournal::~EventJournal() = default;

bool EventJournal::open() {
    const bool ok = journalStore.open();
    if (ok)
        current.rows = journalStore.rowCount().value_or(-1);
    publish();
    return ok;
}

void EventJournal::setAddressSource(std::function<std::optional<int>()> source) {
    addressSource = std::move(source);
}

void EventJournal::setPvSource(std::function<std::optional<double>()> source) {
    pvSource = std::move(source);
}

JournalEntry EventJournal::entryOf(const EventDraft& d) const {
    const QDateTime now = (fixedClock ? *fixedClock : console_clock()).now();
    JournalEntry e;
    e.utcMs = now.toMSecsSinceEpoch();
    e.localTime = now.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (d.category != EventCategory::Console && addressSource)
        e.address = addressSource();
    e.category = d.category;
    e.code = d.code;
    e.source = d.source;
    e.oldValue = d.oldValue;
    e.newValue = d.newValue;
    if (pvSource && d.category != EventCategory::Console)
        e.pv = pvSource();
    e.user = userName;
    e.host = hostName;
    e.result = d.result;
    e.detail = d.detail;
    e.session = sessionId;
    return e;
}

bool EventJournal::flushWaiting() {
    while (!waiting.empty()) {
        const auto seq = journalStore.append(waiting.front());
        if (!seq)
            return false;
        JournalEntry done = std::move(waiting.front());
        waiting.pop_front();
        done.seq = *seq;
        lastSeq = *seq;
        ++current.appended;
        if (current.rows >= 0)
            ++current.rows;
        emit appended(done);
    }
    return true;
}

std::optional<qint64> EventJournal::record(const EventDraft& draft) {
    waiting.push_back(entryOf(draft));
    // The oldest waiting events make room only when the file has been away for a long time.
    while (int(waiting.size()) > kMaxWaiting) {
        waiting.pop_front();
        ++current.dropped;
        ++droppedUnsaid;
    }
    const bool ok = flushWaiting();
    if (!ok)
        ++current.failures;
    publish();
    if (!ok)
        return std::nullopt;
    const qint64 seq = lastSeq;
    reportRepairs(); // the file opened again: its guards may have gone meanwhile
    // The file is back: the gap in the trail is said in the trail itself.
    if (droppedUnsaid > 0) {
        EventDraft lost;
        lost.category = EventCategory::Console;
        lost.code = QStringLiteral("events_lost");
        lost.source = journal_words::console();
        lost.newValue = QString::number(droppedUnsaid);
        lost.detail = tr("%1 events were lost: the record file could not take them for too long")
                          .arg(droppedUnsaid);
        droppedUnsaid = 0;
        record(lost);
    }
    return seq;
}

// A console still running on this host beside this one has not ended at all: its process is
// there and runs this program.
bool EventJournal::runningHere(const QString& session) const {
    const SessionParts who = parts_of(session);
    return who.host == hostName && who.pid > 0 && who.pid != QCoreApplication::applicationPid() &&
           QFileInfo::exists(QStringLiteral("/proc/%1").arg(who.pid)) &&
           QFileInfo(QStringLiteral("/proc/%1/exe").arg(who.pid)).symLinkTarget() ==
               QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

// Every earlier console that started and never said its end, once: the unclean end names its
// run, so the next start does not report it again.
void EventJournal::reportUncleanEnds() {
    for (const JournalEntry& started : journalStore.unendedStarts(sessionId)) {
        if (runningHere(started.session))
            continue;
        const auto last = journalStore.newestOf(started.session);
        EventDraft d;
        d.category = EventCategory::Console;
        d.code = QStringLiteral("unclean_end");
        d.source = journal_words::console();
        d.oldValue = started.session;
        d.result = tr("not ended cleanly");
        d.detail = tr("The console started %1 by %2 on %3 did not end cleanly (killed, crashed or "
                      "power cut); its last event was at %4.")
                       .arg(started.localTime, started.user, started.host,
                            last ? last->localTime : started.localTime);
        record(d);
    }
}

// What the store found and mended in the file goes into the journal itself.
void EventJournal::reportRepairs() {
    const QStringList guards = journalStore.takeRemadeGuards();
    if (guards.isEmpty())
        return;
    EventDraft d;
    d.category = EventCategory::Console;
    d.code = QStringLiteral("guards_remade");
    d.source = journal_words::console();
    d.newValue = guards.join(u',');
    d.result = tr("made again");
    d.detail = tr("The journal's append-only guards %1 were missing from the record file and were "
                  "made again: another program changed the file")
                   .arg(guards.join(QStringLiteral(", ")));
    record(d);
}

// Events journaled before the hash chain (or by an older console) are chained once, and the
// journal says so: the chain vouches for them from this moment, not from when they were written.
void EventJournal::chainEarlierEvents() {
    const auto sealed = journalStore.chainUnhashed();
    if (!sealed || *sealed == 0)
        return;
    EventDraft d;
    d.category = EventCategory::Console;
    d.code = QStringLiteral("chained");
    d.source = journal_words::console();
    d.newValue = QString::number(*sealed);
    d.result = tr("chained");
    d.detail = tr("%n earlier event(s) without a hash were added to the hash chain", nullptr,
                  int(std::min<qint64>(*sealed, std::numeric_limits<int>::max())));
    record(d);
}

void EventJournal::startSession(const QString& detail) {
    if (sessionOpen)
        return;
    reportRepairs();
    chainEarlierEvents();
    reportUncleanEnds();
    EventDraft d;
    d.category = EventCategory::Console;
    d.code = QStringLiteral("started");
    d.source = journal_words::console();
    d.detail = detail.isEmpty() ? tr("Console started") : detail;
    record(d);
    sessionOpen = true;
}

void EventJournal::endSession(const QString& detail) {
    if (!sessionOpen)
        return;
    EventDraft d;
    d.category = EventCategory::Console;
    d.code = QStringLiteral("ended");
    d.source = journal_words::console();
    d.detail = detail.isEmpty() ? tr("Console ended") : detail;
    record(d);
    sessionOpen = false;
}

void EventJournal::publish() {
    current.ok = journalStore.lastError().isEmpty() && waiting.empty();
    current.text = current.ok ? QStringLiteral("ok") : journalStore.lastError();
    current.waiting = qint64(waiting.size());
    current.bytes = journalStore.fileBytes();
    emit statusChanged(current);
}
