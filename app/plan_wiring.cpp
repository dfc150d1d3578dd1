#include "app/plan_wiring.h"

#include "core/clock.h"
#include "journal/event_journal.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/poll_form.h"
#include "registers/program_window.h"

#include <QPointer>
#include <cstdlib>

namespace {

constexpr quint8 kInputRead = 1u << 0;   // input registers 1..16: PV
constexpr quint8 kProgramRead = 1u << 2; // input registers 4097..4112: the program's state
constexpr int kTableBlocks = 12;         // the segment table, 16 registers a block
constexpr int kRetryMs = 5000;           // after a failed read of the program window
constexpr int kPage = 500;               // journal events read back at a time for the start
constexpr int kMaxPages = 20;

bool is_run_start(const JournalEntry& e) {
    return e.code == QLatin1String("state") && e.newValue == QLatin1String("1") &&
           e.oldValue != QLatin1String("2");
}

} // namespace

PlanWiring::PlanWiring(const Instrument& shown, InstrumentLink& wire, Met1& poll,
                       EventJournal& kept, Clock* clock, QObject* parent)
    : QObject(parent), instrument(shown), link(wire), journal(kept), fixedClock(clock) {
    connect(&poll, &Met1::cycleFinished, this,
            [this, &poll] { cycleFinished(poll.lastCycleReads()); });
    const auto read = [this](int first, int count, int offset) {
        return [this, first, count, offset](const RequestSequence::Done& done) {
            const int recipe = window[1 + program::kRecipeIndex];
            if (first >= program::kTableFirst && (recipe < 0 || recipe > program::kMaxRecipe)) {
                done(false, QString()); // no table for that recipe value
                return;
            }
            const int from = first + (first >= program::kTableFirst ? 128 * recipe : 0);
            const LinkTarget& t = instrument.target();
            link.Get_4X_DX(t.port, t.address, from, count, window.data() + offset, this,
                           [done](int result) { done(result == 0, QString()); });
        };
    };
    reader.add(read(program::kCurveRegister, 1, 0));
    reader.add(read(program::kHeaderFirst, program::kHeaderSize, 1));
    for (int b = 0; b < kTableBlocks; ++b)
        reader.add(read(program::kTableFirst + 16 * b, 16, 1 + 16 + 16 * b));
}

PlanWiring::~PlanWiring() = default;

QDateTime PlanWiring::now() const {
    return (fixedClock ? *fixedClock : console_clock()).now();
}

void PlanWiring::cycleFinished(quint8 readsOk) {
    if (!(readsOk & kProgramRead))
        return; // the state was not read this cycle: nothing changes
    const RegisterImage& image = instrument.image();
    const qint32 state = image.Val3X4097[0];
    // The set value in force before a run that starts from it: SV2 or SV1, as coil 3 chooses.
    const double singleSv = image.Bit0X[2] ? image.Val4X[3] : image.Val4X[2];
    if (state != 1 && state != 2) {
        if (running)
            forgetRun();
        svSeen = singleSv;
        svKnown = true;
        return;
    }
    if (!running) {
        running = true;
        pvSeen = (readsOk & kInputRead) ? image.Val3X[0] : 0;
        if (!svKnown) // joined a run: the set value as it stands now
            svSeen = singleSv;
    }
    if (!snapshot && !reader.running() && (!nextReadAt.isValid() || now() >= nextReadAt))
        readProgram();
}

void PlanWiring::forgetRun() {
    running = false;
    snapshot.reset();
    nextReadAt = QDateTime();
    startSeq.reset();
    events.clear();
    lastSeq = 0;
    startSought = false;
}

void PlanWiring::readProgram() {
    reader.start([this] { programRead(); });
}

void PlanWiring::programRead() {
    if (!reader.succeeded() || !running) {
        nextReadAt = now().addMSecs(kRetryMs);
        return;
    }
    // The header, then each segment's four fields of its record of eight.
    std::array<qint16, program::kHeaderSize + program::kSegments * program::kSegmentFields> r{};
    std::size_t k = 0;
    for (int i = 0; i < program::kHeaderSize; ++i)
        r[k++] = qint16(window[std::size_t(1 + i)]);
    for (int s = 0; s < program::kSegments; ++s)
        for (int f = 0; f < program::kSegmentFields; ++f)
            r[k++] = qint16(window[std::size_t(1 + 16 + program::kSegmentSize * s + f)]);
    snapshot = ProgramSnapshot::fromRegisters(window[0], r.data(), int(r.size()));
}

std::optional<ProgramShape> PlanWiring::shape() const {
    if (!snapshot)
        return std::nullopt;
    return ProgramShape{snapshot->segmentCount(), snapshot->secondsPerUnit()};
}

// The run's start event and the program events after it: found once going back through the
// journal, then followed by the events journaled since.
void PlanWiring::followJournal() {
    JournalStore& store = journal.store();
    const JournalFilter filter{{}, {}, {EventCategory::Program}, {}};
    if (startSeq) {
        for (JournalEntry& e : store.newerThan(filter, lastSeq, kPage)) {
            lastSeq = std::max(lastSeq, e.seq);
            events.push_back(std::move(e));
        }
        return;
    }
    if (startSought)
        return; // joined a run whose start this journal does not hold
    startSought = true;
    std::vector<JournalEntry> newestFirst;
    std::optional<JournalCursor> after;
    for (int page = 0; page < kMaxPages && !startSeq; ++page) {
        const std::vector<JournalEntry> got = store.page(filter, after, kPage);
        for (const JournalEntry& e : got) {
            lastSeq = std::max(lastSeq, e.seq);
            newestFirst.push_back(e);
            if (is_run_start(e)) {
                startSeq = e.seq;
                break;
            }
        }
        if (int(got.size()) < kPage)
            break;
        after = JournalCursor{got.back().utcMs, got.back().seq};
    }
    if (!startSeq)
        return;
    events.assign(newestFirst.rbegin(), newestFirst.rend());
}

std::optional<PlanStart> PlanWiring::runStart() const {
    if (!startSeq || events.empty())
        return std::nullopt;
    const JournalEntry& e = events.front();
    return PlanStart{e.utc(), e.pv.value_or(pvSeen), svSeen};
}

// Held from a state event to 暂停 until the next state event; waiting from deviation_wait_on to
// its off. One still going on has no end.
std::vector<PlanPause> PlanWiring::pauses() const {
    std::vector<PlanPause> out;
    std::optional<QDateTime> held;
    std::optional<QDateTime> waiting;
    for (const JournalEntry& e : events) {
        if (e.code == QLatin1String("state")) {
            if (e.newValue == QLatin1String("2") && !held)
                held = e.utc();
            else if (e.newValue != QLatin1String("2") && held)
                out.push_back({*std::exchange(held, std::nullopt), e.utc()});
        } else if (e.code == QLatin1String("deviation_wait_on") && !waiting) {
            waiting = e.utc();
        } else if (e.code == QLatin1String("deviation_wait_off") && waiting) {
            out.push_back({*std::exchange(waiting, std::nullopt), e.utc()});
        }
    }
    for (const auto& open : {held, waiting})
        if (open)
            out.push_back({*open, QDateTime()});
    return out;
}

std::optional<ProgramPlan> PlanWiring::planNow() {
    if (!running || !snapshot)
        return std::nullopt;
    followJournal();
    const QDateTime at = now();
    const qint64 unit = snapshot->secondsPerUnit();
    const qint64 leftMs = qint64(instrument.image().Val3X4097[5]) * unit * 1000;
    if (const auto start = runStart()) {
        const ProgramPlan plan = plan_program(*snapshot, *start, pauses(), at);
        // The journal's run is this one when its plan ends when the instrument says (to its
        // time unit, which the instrument rounds up): not when the start found is an earlier
        // run's, or the program stood while no console watched.
        if (!plan.ok() || std::abs(at.msecsTo(plan.end) - leftMs) <= (unit + 5) * 1000)
            return plan;
    }
    // Laid back from the time the instrument says is left, its holds and waits so far unknown.
    const ProgramPlan whole = plan_program(*snapshot, {at, pvSeen, svSeen}, {}, at);
    if (!whole.ok())
        return whole;
    const QDateTime start = at.addMSecs(-(at.msecsTo(whole.end) - leftMs));
    return plan_program(*snapshot, {start, pvSeen, svSeen}, {}, at);
}

PlanSource PlanWiring::source() {
    QPointer<PlanWiring> self(this);
    return [self](const QDateTime& from, const QDateTime& to) -> std::optional<PlanLayer> {
        if (!self)
            return std::nullopt;
        const std::optional<ProgramPlan> plan = self->planNow();
        if (!plan || !plan->ok())
            return std::nullopt;
        const ProgramPlan shown = clip_plan(*plan, from, to);
        const ProgramSnapshot& p = *self->snapshot;
        // The program's own tolerance where it waits on deviation; else the screen's.
        const std::optional<double> tolerance =
            p.waitType() != 0 ? std::optional<double>(p.waitDeviation()) : std::nullopt;
        PlanLayer layer;
        for (const PlanVertex& v : shown.vertices)
            layer.points.push_back({v.at, v.value});
        for (const PlanSoak& s : shown.soaks)
            layer.bands.push_back({s.from, s.to, s.value, tolerance});
        return layer;
    };
}
