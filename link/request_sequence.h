#pragma once
// A list of link requests run one after the other: each step is started from the previous one's
// completion, so the event loop (and every other reader's and writer's requests) runs between two
// steps. A start while a run is in flight is refused and counted: a reader never has more than one
// run, and so one request, in the link's queue. Cancel stops a run between steps: the step in
// flight completes, nothing after it starts except the steps marked to run always (a put-back).
// The owner reads each step's result (ok, or failed and why) as the step completes and at the end.

#include <QString>
#include <functional>
#include <vector>

class RequestSequence {
public:
    // How a step ends: its outcome, and the reason when it failed. Called once, from the
    // completion of the step's last request (or at once when the step had nothing to send).
    using Done = std::function<void(bool ok, const QString& why)>;
    using Step = std::function<void(Done done)>;

    struct StepResult {
        bool ran = false; // false: not reached, or left out after a cancel or a failure
        bool ok = false;
        QString why;
    };

    // What a failed step does to the rest of the run: the poll cycle and the screens' refreshes go
    // on reading; the instrument-file jobs stop at the first failure.
    enum class OnFailure { Continue, Stop };
    enum class Run { Normal, Always };

    explicit RequestSequence(OnFailure onFailure = OnFailure::Continue) : policy(onFailure) {}

    // Appends a step. While a run is in flight the step joins it, after those already listed but
    // ahead of the closing Run::Always steps.
    void add(Step step, Run run = Run::Normal);
    // Forgets the steps (refused while a run is in flight: returns false).
    bool clear();

    // Runs the steps from the first; `finished` is called after the last one has completed.
    // False, and counted as skipped, while the previous run is still in flight.
    bool start(std::function<void()> finished = {});
    // No further step starts after the one in flight, except those marked Run::Always.
    void cancel();

    bool running() const { return inFlight; }
    quint64 skipped() const { return skips; }
    int size() const { return int(steps.size()); }
    // The step in flight (or the newest one to complete).
    int current() const { return index; }
    // Of the newest run: each step's result; cancelled; every step ran and none failed.
    const std::vector<StepResult>& results() const { return outcomes; }
    bool cancelled() const { return cancelRequested; }
    bool succeeded() const;

private:
    struct Entry {
        Step step;
        Run run;
    };
    void advance();
    void completed(quint64 run, int step, bool ok, const QString& why);

    OnFailure policy;
    std::vector<Entry> steps;
    std::vector<StepResult> outcomes;
    std::function<void()> onFinished;
    int index = -1;
    quint64 runNumber = 0;    // a completion of an older run is not this run's
    bool inFlight = false;    // a run is in flight
    bool stepPending = false; // the current step has not completed yet
    bool starting = false;    // inside the call that starts the current step
    bool stopping = false;    // cancelled or failed: only Run::Always steps are left to run
    bool cancelRequested = false;
    quint64 skips = 0;
};
