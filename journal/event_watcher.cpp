#include "journal/event_watcher.h"

#include "core/clock.h"
#include "journal/event_journal.h"
#include "journal/journal_words.h"
#include "link/instrument.h"
#include "link/modbus_request.h"
#include "link/poll_form.h"
#include "registers/catalogue.h"

// The reads of a poll cycle, as bits of Met1::lastCycleReads().
namespace {
constexpr quint8 kInputRead = 1u << 0;   // input registers 1..16: PV, alarm types
constexpr quint8 kProgramRead = 1u << 2; // input registers 4097..4112
constexpr quint8 kHoldingRead = 1u << 3; // holding registers 1..16: curve, command
constexpr quint8 kInputsRead = 1u << 5;  // discrete inputs: alarms and faults
constexpr quint8 kCoilsRead = 1u << 6;
} // namespace

enum class WatchKind { Alarm, Fault, Mode, ProgramState, Command, Curve, Segment, Wait };

struct EventWatcher::Watched {
    WatchKind kind;
    quint8 read; // the read that brings it
    int index;   // in its part of the image
    int coil;    // the coil, or the holding register, a console write changes it by; 0: none
    const char* offCode;
    const char* onCode;
};

namespace {

using W = EventWatcher::Watched;
const W kWatched[] = {
    {WatchKind::Alarm, kInputsRead, 0, 0, "alarm1_off", "alarm1_on"},
    {WatchKind::Alarm, kInputsRead, 1, 0, "alarm2_off", "alarm2_on"},
    {WatchKind::Fault, kInputsRead, 4, 0, "pv1_open_off", "pv1_open_on"},
    {WatchKind::Fault, kInputsRead, 5, 0, "pv1_short_off", "pv1_short_on"},
    {WatchKind::Fault, kInputsRead, 6, 0, "pv2_open_off", "pv2_open_on"},
    {WatchKind::Fault, kInputsRead, 7, 0, "pv2_short_off", "pv2_short_on"},
    {WatchKind::Mode, kCoilsRead, 0, 1, "manual", "auto"},
    {WatchKind::Mode, kCoilsRead, 1, 2, "single_sv", "program"},
    {WatchKind::Mode, kCoilsRead, 2, 3, "sv1", "sv2"},
    {WatchKind::Mode, kCoilsRead, 6, 7, "autotune_off", "autotune_on"},
    // The reported state follows the command the console writes (same codes).
    {WatchKind::ProgramState, kProgramRead, 0, 8, "state", "state"},
    {WatchKind::Segment, kProgramRead, 3, 0, "segment", "segment"},
    // The program's clock stands while PV lags the set value by more than the wait deviation: the
    // plan is shifted by these spans, and a run counts them.
    {WatchKind::Wait, kProgramRead, 7, 0, "deviation_wait_off", "deviation_wait_on"},
    {WatchKind::Command, kHoldingRead, 7, 8, "command", "command"},
    {WatchKind::Curve, kHoldingRead, 6, 7, "curve", "curve"},
};

qint32 value_of(const RegisterImage& image, const W& w) {
    switch (w.kind) {
    case WatchKind::Alarm:
    case WatchKind::Fault:
        return image.Bit1X[std::size_t(w.index)];
    case WatchKind::Mode:
        return image.Bit0X[std::size_t(w.index)];
    case WatchKind::ProgramState:
    case WatchKind::Segment:
    case WatchKind::Wait:
        return image.Val3X4097[std::size_t(w.index)];
    case WatchKind::Command:
    case WatchKind::Curve:
        return static_cast<qint32>(image.Val4X[std::size_t(w.index)]);
    }
    return 0;
}

EventCategory category_of(WatchKind kind) {
    switch (kind) {
    case WatchKind::Alarm:
    case WatchKind::Fault:
        return EventCategory::Alarm;
    case WatchKind::Mode:
        return EventCategory::Mode;
    default:
        return EventCategory::Program;
    }
}

// The register a watched value comes from: bit k of an image is coil or discrete input k + 1,
// index k of a block is its first register + k.
const RegisterInfo* register_of(const W& w) {
    switch (w.kind) {
    case WatchKind::Alarm:
    case WatchKind::Fault:
        return find_register(RegisterTable::DiscreteInput, w.index + 1);
    case WatchKind::Mode:
        return find_register(RegisterTable::Coil, w.index + 1);
    case WatchKind::ProgramState:
        return find_register(RegisterTable::Input, 4097 + w.index);
    case WatchKind::Command:
        return find_register(RegisterTable::Holding, 1 + w.index);
    default:
        return nullptr;
    }
}

// The words the overview shows for a value, where it has them.
QString word_of(const W& w, qint32 v) {
    const RegisterInfo* info = register_of(w);
    if (!info || info->words.empty())
        return QString::number(v);
    if (w.kind == WatchKind::Fault)
        return info->caption.toString() + (v ? QStringLiteral(" ON") : QStringLiteral(" OFF"));
    const auto word = w.kind == WatchKind::ProgramState || w.kind == WatchKind::Command
                          ? status_word(*info, v)
                          : bit_word(*info, v);
    return word ? word->text.toString() : QString::number(v);
}

} // namespace

EventWatcher::EventWatcher(const Instrument& watched, Met1& poll, JournalLink& link,
                           EventJournal& journal, Clock* clock, QObject* parent)
    : QObject(parent), instrument(watched), poll(poll), link(link), journal(journal),
      fixedClock(clock) {
    connect(&poll, &Met1::cycleFinished, this,
            [this] { cycleFinished(this->poll.lastCycleReads()); });
    connect(&link, &InstrumentLink::statusChanged, this, &EventWatcher::linkStatusChanged);
    connect(&link, &JournalLink::portOpened, this, [this] {
        wanted = this->link.status().wanted;
        startAfresh();
    });
    link.setWriteAccepted([this](const JournalLink::AcceptedWrite& w) {
        ownWrites.emplace_back(now(), w);
        while (ownWrites.size() > 64)
            ownWrites.pop_front();
    });
    journal.setPvSource([this]() -> std::optional<double> {
        if (!pvKnown)
            return std::nullopt;
        return double(instrument.image().Val3X[0]);
    });
    wanted = link.status().wanted;
}

QDateTime EventWatcher::now() const {
    return (fixedClock ? *fixedClock : console_clock()).now();
}

EventWatcher::~EventWatcher() {
    // The link and the journal outlive the watcher: nothing of it may be called after it.
    link.setWriteAccepted(nullptr);
    journal.setPvSource(nullptr);
}

void EventWatcher::linkStatusChanged() {
    const bool nowWanted = link.status().wanted;
    if (nowWanted == wanted)
        return;
    wanted = nowWanted;
    startAfresh();
}

// A port opened anew (even while one was open) may reach another instrument: start from its first
// reads.
void EventWatcher::startAfresh() {
    previous.fill(std::nullopt);
    pvKnown = false;
    failedCycles = 0;
    lost = false;
    valuesRead = false;
    openedAt = now();
    lastGood = QDateTime();
}

void EventWatcher::cycleFinished(quint8 readsOk) {
    if (readsOk == 0) {
        if (++failedCycles == kLostAfterCycles && wanted && !lost) {
            lost = true;
            EventDraft d;
            d.category = EventCategory::Link;
            d.code = QStringLiteral("lost");
            d.source = journal_words::pollCycle();
            d.result = failure_words(link.status());
            d.detail = tr("Link lost: %n poll cycle(s) in a row read nothing (%1)", nullptr,
                          kLostAfterCycles)
                           .arg(failure_words(link.status()));
            journal.record(d);
        }
        return;
    }
    const QDateTime at = now();
    if (lost) {
        lost = false;
        const QDateTime since = lastGood.isValid() ? lastGood : openedAt;
        const qint64 ms = since.isValid() ? since.msecsTo(at) : 0;
        EventDraft d;
        d.category = EventCategory::Link;
        d.code = QStringLiteral("restored");
        d.source = journal_words::pollCycle();
        d.result = tr("accepted");
        d.newValue = QString::number(double(ms) / 1000.0, 'f', 1);
        d.detail = tr("Link restored after %1 s without an answer")
                       .arg(QString::number(double(ms) / 1000.0, 'f', 1));
        journal.record(d);
        valuesRead = true; // measuring again from the restore on
    }
    failedCycles = 0;
    lastGood = at;
    if (readsOk & kInputRead) {
        pvKnown = true;
        if (!valuesRead)
            firstRead();
    }
    for (std::size_t i = 0; i < std::size(kWatched); ++i) {
        const W& w = kWatched[i];
        if (!(readsOk & w.read))
            continue;
        const qint32 v = value_of(instrument.image(), w);
        const bool baseline = !previous[i].has_value();
        if (baseline || *previous[i] != v)
            compare(w, v, baseline);
        previous[i] = v;
    }
}

// Before this the records hold what the image held before the port was opened (zeros at start):
// the journal says from when on they are measured.
void EventWatcher::firstRead() {
    valuesRead = true;
    EventDraft d;
    d.category = EventCategory::Link;
    d.code = QStringLiteral("first_read");
    d.source = journal_words::pollCycle();
    d.result = tr("accepted");
    const qint64 ms = openedAt.isValid() ? openedAt.msecsTo(now()) : 0;
    d.newValue = QString::number(double(ms) / 1000.0, 'f', 1);
    d.detail = tr("First good read %1 s after the port was opened: the values are measured from "
                  "now on")
                   .arg(*d.newValue);
    journal.record(d);
}

void EventWatcher::compare(const Watched& w, qint32 value, bool baseline) {
    const bool bit = w.kind == WatchKind::Alarm || w.kind == WatchKind::Fault;
    // The starting point of a mode or the program is no change. An alarm or fault is held against
    // what the journal last said of it (before a restart, or before the port was closed): one that
    // came on or went off meanwhile is journaled, one that stayed as it was is not.
    if (baseline && !bit)
        return;
    std::optional<qint32> before;
    if (baseline) {
        const auto last = journal.store().newestBefore(
            EventCategory::Alarm, {QLatin1String(w.onCode), QLatin1String(w.offCode)},
            now().addMSecs(1));
        if (last)
            before = last->code == QLatin1String(w.onCode) ? 1 : 0;
        if (before.value_or(0) == (value != 0))
            return;
    } else {
        before = previous[std::size_t(&w - kWatched)];
    }
    const std::optional<QString> who = bit ? journal_words::pollCycle() : sourceOf(w, value);
    if (!who)
        return; // the change belongs to a job that journals it in its own event
    EventDraft d;
    d.category = category_of(w.kind);
    d.code = QLatin1String(value ? w.onCode : w.offCode);
    d.source = *who;
    if (before)
        d.oldValue = QString::number(*before);
    d.newValue = QString::number(value);
    const QString was = before ? word_of(w, *before) : QString();
    const QString is = word_of(w, value);
    switch (w.kind) {
    case WatchKind::Alarm: {
        // The instrument reports an alarm's type while it is on.
        const int type = static_cast<int>(instrument.image().Val3X[std::size_t(7 + w.index)]);
        // Alarm 1's type is input register 8, alarm 2's input register 9.
        const RegisterInfo* typeInfo = find_register(RegisterTable::Input, 8 + w.index);
        const auto typeWord = typeInfo ? status_word(*typeInfo, type) : std::nullopt;
        d.detail = value && type != 0 ? tr("%1 (alarm type %2 %3)")
                                            .arg(is)
                                            .arg(type)
                                            .arg(typeWord ? typeWord->text.toString() : QString())
                                      : is;
        break;
    }
    case WatchKind::Segment:
        d.detail = tr("Segment %1 → %2").arg(was, is);
        break;
    case WatchKind::Curve:
        d.detail = tr("Curve %1 → %2").arg(was, is);
        break;
    case WatchKind::Wait:
        d.detail =
            value ? tr("Deviation wait: the program waits for PV") : tr("Deviation wait over");
        break;
    default:
        d.detail = baseline ? is : QStringLiteral("%1 → %2").arg(was, is);
        break;
    }
    if (baseline)
        d.detail += u' ' + (value ? tr("(on when the link was opened)")
                                  : tr("(off when the link was opened)"));
    journal.record(d);
}

std::optional<QString> EventWatcher::sourceOf(const Watched& w, qint32 value) {
    const QDateTime at = now();
    const int slave = instrument.target().address;
    const bool coil = w.kind == WatchKind::Mode;
    for (auto it = ownWrites.rbegin(); it != ownWrites.rend(); ++it) {
        const auto& [when, write] = *it;
        if (when.msecsTo(at) > kOwnWriteMs)
            break;
        if (w.coil != 0 && write.slave == slave && write.coil == coil && write.number == w.coil &&
            write.value == value)
            return write.folded ? std::nullopt : std::optional<QString>(write.source);
    }
    // The front panel, another master, or the program's own course.
    return journal_words::instrument();
}
