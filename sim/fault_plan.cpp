#include "fault_plan.h"

namespace sim {

FaultPlan::FaultPlan(const FaultSettings& settings, std::uint64_t seed) : s(settings), rng(seed) {}

bool FaultPlan::roll(double rate) {
    if (rate <= 0.0)
        return false;
    if (rate >= 1.0)
        return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < rate;
}

int FaultPlan::exceptionFor(int first, int count) const {
    const int last = first + count - 1;
    for (const ExceptionRule& r : s.exceptions) {
        if (first <= r.last && last >= r.first)
            return r.code;
    }
    return 0;
}

} // namespace sim
