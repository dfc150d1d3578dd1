#pragma once
// A clock the test sets and moves: back an hour, across midnight, a second at a time.

#include "core/clock.h"

#include <QDateTime>

class SettableClock final : public Clock {
public:
    explicit SettableClock(QDateTime start = QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0)))
        : current(std::move(start)) {}

    QDateTime now() const override { return current; }

    void set(const QDateTime& when) { current = when; }
    void advanceMs(qint64 ms) { current = current.addMSecs(ms); }
    void advanceSeconds(qint64 seconds) { current = current.addSecs(seconds); }

private:
    QDateTime current;
};
