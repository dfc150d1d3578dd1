#pragma once
// The wall clock behind an interface, so the logger and the curve screens can be driven through
// time in tests (back an hour, across midnight).

#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0; // local date and time
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The clock the console runs on; tests may replace it. Never null.
Clock& console_clock();
void set_console_clock(Clock* clock); // nullptr restores the system clock
