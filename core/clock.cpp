#include "clock.h"

namespace {
SystemClock systemClock;
Clock* current = &systemClock;
} // namespace

Clock& console_clock() {
    return *current;
}

void set_console_clock(Clock* clock) {
    current = clock ? clock : &systemClock;
}
