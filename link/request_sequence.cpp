#include "link/request_sequence.h"

#include <algorithm>
#include <iterator>

void RequestSequence::add(Step step, Run run) {
    if (!inFlight) {
        steps.push_back({std::move(step), run});
        return;
    }
    // Ahead of the closing steps that run always: a put-back stays last.
    auto at = steps.end();
    while (at - steps.begin() > index + 1 && std::prev(at)->run == Run::Always)
        --at;
    const auto offset = at - steps.begin();
    steps.insert(at, {std::move(step), run});
    outcomes.insert(outcomes.begin() + offset, StepResult{});
}

bool RequestSequence::clear() {
    if (inFlight)
        return false;
    steps.clear();
    outcomes.clear();
    return true;
}

bool RequestSequence::start(std::function<void()> finished) {
    if (inFlight) {
        ++skips;
        return false;
    }
    ++runNumber;
    onFinished = std::move(finished);
    outcomes.assign(steps.size(), StepResult{});
    index = -1;
    inFlight = true;
    stopping = false;
    cancelRequested = false;
    advance();
    return true;
}

void RequestSequence::cancel() {
    if (!inFlight)
        return;
    cancelRequested = true;
    stopping = true;
}

bool RequestSequence::succeeded() const {
    return !cancelRequested && std::all_of(outcomes.begin(), outcomes.end(),
                                           [](const StepResult& r) { return r.ran && r.ok; });
}

// A step that completes inside the call that started it (it had nothing to send) is followed by
// this loop, not by a nested call: a long run of such steps never deepens the stack.
void RequestSequence::advance() {
    while (!stepPending) {
        ++index;
        while (stopping && index < int(steps.size()) &&
               steps[std::size_t(index)].run != Run::Always)
            ++index;
        if (index >= int(steps.size())) {
            inFlight = false;
            // Taken out first: the owner may start the next run from here.
            const auto finished = std::move(onFinished);
            onFinished = nullptr;
            if (finished)
                finished();
            return;
        }
        stepPending = true;
        starting = true;
        const quint64 run = runNumber;
        const int step = index;
        // A copy: the step may add steps, which may move the list.
        const Step body = steps[std::size_t(step)].step;
        body([this, run, step](bool ok, const QString& why) { completed(run, step, ok, why); });
        starting = false;
    }
}

void RequestSequence::completed(quint64 run, int step, bool ok, const QString& why) {
    if (run != runNumber || step != index || !stepPending)
        return; // a second completion of the same step, or one from an older run
    stepPending = false;
    outcomes[std::size_t(step)] = {true, ok, ok ? QString() : why};
    if (!ok && policy == OnFailure::Stop)
        stopping = true;
    if (!starting)
        advance();
}
