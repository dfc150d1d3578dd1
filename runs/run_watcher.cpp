#include "runs/run_watcher.h"

#include "core/clock.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/poll_form.h"
#include "registers/program_window.h"
#include "runs/run_store.h"

namespace {
constexpr quint8 kProgramRead = 1u << 2; // input registers 4097..4112, of Met1::lastCycleReads()
constexpr qint32 kStopped = 0, kRunning = 1, kHeld = 2, kEnded = 4;
constexpr int kHeaderAt = 1; // window index of 8193
constexpr int kTableAt = kHeaderAt + program::kHeaderSize;
constexpr int kTableBlocks = program::kSegments * program::kSegmentSize / 16;
} // namespace

RunWatcher::RunWatcher(const Instrument& watched, Met1& poll, InstrumentLink& instrumentLink,
                       RunStore& runs, Clock* clock, QObject* parent)
    : QObject(parent), instrument(watched), link(instrumentLink), store(runs), fixedClock(clock) {
    connect(&poll, &Met1::cycleFinished, this,
            [this, &poll] { cycleFinished(poll.lastCycleReads()); });
    connect(&link, &InstrumentLink::statusChanged, this, &RunWatcher::linkStatusChanged);
    wanted = link.status().wanted;
    reader.add([this](const RequestSequence::Done& done) { readBlock(0, done); });
    reader.add([this](const RequestSequence::Done& done) { readBlock(1, done); });
    for (int b = 0; b < kTableBlocks; ++b)
        reader.add([this, b](const RequestSequence::Done& done) { readBlock(2 + b, done); });
}

RunWatcher::~RunWatcher() {
    reader.cancel();
    if (run)
        finish(RunEnding::ConsoleClosed);
}

qint64 RunWatcher::nowMs() const {
    return (fixedClock ? *fixedClock : console_clock()).now().toMSecsSinceEpoch();
}

void RunWatcher::linkStatusChanged() {
    const bool nowWanted = link.status().wanted;
    if (nowWanted == wanted)
        return;
    wanted = nowWanted;
    // Closed, or opened anew (perhaps to another instrument): whatever runs now is joined.
    if (run)
        finish(RunEnding::LinkLost);
    previous.reset();
    failedCycles = 0;
}

void RunWatcher::cycleFinished(quint8 readsOk) {
    if (!(readsOk & kProgramRead)) {
        if (readsOk == 0 && ++failedCycles >= kLostAfterCycles && run) {
            finish(RunEnding::LinkLost);
            previous.reset(); // a program still running when the link is back is joined then
        }
        return;
    }
    failedCycles = 0;
    const qint32 state = instrument.image().Val3X4097[0];
    const bool afresh = !previous.has_value();
    if (run) {
        if (state == kStopped)
            finish(RunEnding::Stopped);
        else if (state == kEnded)
            finish(RunEnding::Ended);
    } else if (state == kRunning || state == kHeld) {
        // From stop or end to run is a start the console saw; anything else it joins.
        const bool seenStarting = !afresh && (*previous == kStopped || *previous == kEnded);
        begin(!seenStarting);
    }
    if (run) {
        if (run->number == 0) { // the file did not take it: try again
            if (const auto n = store.begin(*run)) {
                run->number = *n;
                emit runStarted(*n);
            }
        } else if (++cyclesSinceSeen >= kSeenEveryCycles) {
            cyclesSinceSeen = 0;
            store.seen(run->number, nowMs());
        }
        if (!run->programRead && !reader.running() && readAttempts < kProgramReadAttempts)
            readProgram();
    }
    previous = state;
}

void RunWatcher::begin(bool joined) {
    ProgramRun r;
    r.address = instrument.target().address;
    r.curve = static_cast<int>(instrument.image().Val4X[6]);
    r.startMs = nowMs();
    r.startLocal = local_text(r.startMs);
    r.seenMs = r.startMs;
    r.joined = joined;
    r.startSegment = instrument.image().Val3X4097[3];
    readAttempts = 0;
    cyclesSinceSeen = 0;
    run = r;
    if (const auto n = store.begin(r)) {
        run->number = *n;
        emit runStarted(*n);
    }
}

void RunWatcher::finish(RunEnding ending) {
    reader.cancel();
    const qint64 number = run->number;
    if (number != 0)
        store.finish(number, ending, nowMs());
    run.reset();
    if (number != 0)
        emit runFinished(number);
}

void RunWatcher::readProgram() {
    ++readAttempts;
    reader.start([this] {
        if (reader.succeeded())
            programRead();
    });
}

// Step 0 the curve (holding register 7), step 1 the header, then the recipe's table 16 at a time.
void RunWatcher::readBlock(int step, const RequestSequence::Done& done) {
    int first = program::kCurveRegister, count = 1, at = 0;
    if (step == 1) {
        first = program::kHeaderFirst;
        count = program::kHeaderSize;
        at = kHeaderAt;
    } else if (step >= 2) {
        const int recipe = window[kHeaderAt + program::kRecipeIndex];
        if (recipe < 0 || recipe > program::kMaxRecipe) {
            done(false, tr("recipe %1 places no segment table").arg(recipe));
            return;
        }
        first = program::kTableFirst + program::kRecipeStride * recipe + 16 * (step - 2);
        count = 16;
        at = kTableAt + 16 * (step - 2);
    }
    const LinkTarget& target = instrument.target();
    link.Get_4X_DX(target.port, target.address, first, count, window.data() + at, this,
                   [this, done](int result) { done(result == 0, link.status().lastMessage); });
}

void RunWatcher::programRead() {
    if (!run)
        return;
    std::array<qint16, program::kHeaderSize + program::kSegments * program::kSegmentFields> regs{};
    std::size_t i = 0;
    for (int h = 0; h < program::kHeaderSize; ++h)
        regs[i++] = qint16(window[std::size_t(kHeaderAt + h)]);
    for (int s = 0; s < program::kSegments; ++s)
        for (int f = 0; f < program::kSegmentFields; ++f)
            regs[i++] = qint16(window[std::size_t(kTableAt + program::kSegmentSize * s + f)]);
    run->program = ProgramSnapshot::fromRegisters(window[0], regs.data(), int(regs.size()));
    run->curve = window[0];
    run->programRead = true;
    if (run->number != 0 && !store.setProgram(run->number, run->program))
        run->programRead = false; // kept again at the next cycle
}
