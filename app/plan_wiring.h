#pragma once
// The running program's plan for the live console, until runs are kept: when the poll cycle sees
// the program running or held (input register 4097 运行 or 暂停), the program window is read once
// (holding register 7, then the header and the recipe's segment table; reads only), the run's
// start is taken from the journal's program-state event and the spans it stood from the
// journal's hold and deviation-wait events. The charts get the plan through the plan source, the
// overview the program's segment count and time unit. Nothing of it survives the run's end.

#include "charts/chart_plan.h"
#include "link/request_sequence.h"
#include "overview/program_progress.h"
#include "runs/program_plan.h"

#include <QObject>
#include <array>
#include <optional>
#include <vector>

class Clock;
class EventJournal;
class Instrument;
class InstrumentLink;
class Met1;
struct JournalEntry;

class PlanWiring final : public QObject {
    Q_OBJECT
public:
    // clock null: the console clock.
    PlanWiring(const Instrument& instrument, InstrumentLink& link, Met1& poll,
               EventJournal& journal, Clock* clock = nullptr, QObject* parent = nullptr);
    ~PlanWiring() override;

    PlanSource source();
    std::optional<ProgramShape> shape() const;
    const std::optional<ProgramSnapshot>& program() const { return snapshot; }
    // The run's plan as it stands now; empty while no program runs or it is not read yet.
    std::optional<ProgramPlan> planNow();

    void cycleFinished(quint8 readsOk); // the poll cycle's handler

private:
    void forgetRun();
    void readProgram();
    void programRead();
    void followJournal();
    std::optional<PlanStart> runStart() const;
    std::vector<PlanPause> pauses() const;
    QDateTime now() const;

    const Instrument& instrument;
    InstrumentLink& link;
    EventJournal& journal;
    Clock* fixedClock;
    RequestSequence reader{RequestSequence::OnFailure::Stop};
    // Holding register 7, the header, the recipe's segment table (24 records of 8).
    std::array<qint32, 1 + 16 + 192> window{};
    std::optional<ProgramSnapshot> snapshot;
    QDateTime nextReadAt; // after a failed read, not before this
    bool running = false;
    double pvSeen = 0;
    double svSeen = 0;
    bool svKnown = false;
    // The journal's program events of the run, oldest first, from its start event on.
    std::optional<qint64> startSeq;
    std::vector<JournalEntry> events;
    qint64 lastSeq = 0;
    bool startSought = false;
};
