#pragma once
// Faults the instrument injects for reliability tests, decided per request from a seeded source
// so a run can be repeated.

#include <cstdint>
#include <random>
#include <vector>

namespace sim {

// Requests touching numbers first..last (one-based, any table) get exception `code`.
struct ExceptionRule {
    int code = 4;
    int first = 1;
    int last = 65536;
};

struct FaultSettings {
    double noAnswer = 0.0; // share of requests acted on but left unanswered
    double badCrc = 0.0;   // share of answers sent with a broken check sum
    int delayMs = 0;       // extra time before every answer
    std::vector<ExceptionRule> exceptions;
};

class FaultPlan {
public:
    FaultPlan(const FaultSettings& settings, std::uint64_t seed);

    bool dropAnswer() { return roll(s.noAnswer); }
    bool corruptAnswer() { return roll(s.badCrc); }
    int delayMs() const { return s.delayMs; }
    // Exception code for a request of `count` items from `first`, or 0.
    int exceptionFor(int first, int count) const;

private:
    bool roll(double rate);

    FaultSettings s;
    std::mt19937_64 rng;
};

} // namespace sim
