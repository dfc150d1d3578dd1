#pragma once
// Keeps every run of a stored program. It follows the poll cycle: when the program state (input
// register 4097) goes to "运行" from any source (the overview, the front panel, another master),
// a run begins in the record file's `program_runs`, and the program window of the running curve
// is read (holding register 7, the header 8193..8208, the recipe's segment table; reads only) and
// kept with it. The run ends with the state: 4 ended, 0 stopped; or when the console stops
// following the instrument: the link lost (kLostAfterCycles poll cycles in a row read nothing,
// or the port closed) or the console closed. A program already running (or held) at the first
// good read after the port was opened is a run joined at that time.
//
// Holds, resumes, deviation waits and segment changes are the journal's: a run refers to them by
// its times.

#include "link/request_sequence.h"
#include "runs/program_run.h"

#include <QObject>
#include <array>
#include <optional>

class Clock;
class Instrument;
class InstrumentLink;
class Met1;
class RunStore;

class RunWatcher final : public QObject {
    Q_OBJECT
public:
    static constexpr int kLostAfterCycles = 3;
    static constexpr int kSeenEveryCycles = 20; // how often a running run's last sight is kept
    static constexpr int kProgramReadAttempts = 3;

    // Follows the image of `instrument` that `poll` fills; reads the program through `link`.
    // clock null: the console clock.
    RunWatcher(const Instrument& instrument, Met1& poll, InstrumentLink& link, RunStore& store,
               Clock* clock = nullptr, QObject* parent = nullptr);
    ~RunWatcher() override; // a run still open ends as "console closed"

    void cycleFinished(quint8 readsOk); // the poll cycle's handler, with its good reads
    void linkStatusChanged();

    // The run being followed (number 0 while the file has not taken it yet).
    const std::optional<ProgramRun>& currentRun() const { return run; }

signals:
    void runStarted(qint64 number);
    void runFinished(qint64 number);

private:
    void begin(bool joined);
    void finish(RunEnding ending);
    void readProgram();
    void readBlock(int step, const RequestSequence::Done& done);
    void programRead();
    qint64 nowMs() const;

    const Instrument& instrument;
    InstrumentLink& link;
    RunStore& store;
    Clock* fixedClock;
    std::optional<qint32> previous; // program state of the newest good read; none: start afresh
    std::optional<ProgramRun> run;
    int failedCycles = 0;
    int cyclesSinceSeen = 0;
    int readAttempts = 0;
    bool wanted = false;
    // Register 7, the header and the segment table, as read.
    std::array<qint32, 1 + 16 + 24 * 8> window{};
    RequestSequence reader{RequestSequence::OnFailure::Stop};
};
