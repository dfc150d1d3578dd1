#include "records/logger_form.h"

#include "core/conversions.h"

#include <cmath>

double seconds_since(const QDateTime& now, double lastDate, double lastTime) {
    const double today = ole_date(now.date());
    const double timeOfDay = ole_time(now.time());
    return round_half_even(std::fabs(((today - lastDate) + (timeOfDay - lastTime)) * 24 * 60 * 60));
}

mscom::mscom(const RegisterImage& sampled, LoggerState& loggerState, const QString& dbPath,
             Clock* clock, QObject* parent)
    : QObject(parent), image(sampled), state(loggerState), fixedClock(clock), records(dbPath) {
    setObjectName(QStringLiteral("mscom"));
    records.setParent(this);
    records.open();
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(100);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &mscom::Timer1_Timer);
    Timer1.start();
}

Clock& mscom::clock() const {
    return fixedClock ? *fixedClock : console_clock();
}

double mscom::okitime() const {
    return seconds_since(clock().now(), state.LastShortDate, state.LastShortTime);
}

double mscom::Rec1_time() const {
    return seconds_since(clock().now(), state.LastLongDate, state.LastLongTime);
}

void mscom::Timer1_Timer() {
    // Both records of one tick number from the positions read here; when sl_void cannot be read
    // the working copies carry on.
    const auto positions = records.readPositions();
    if (positions) {
        shortPos = (*positions)[0];
        longPos = (*positions)[2];
    }
    // A file that cannot be opened at all records nothing and numbers nothing.
    const bool reachable = positions || records.isOpen();
    // 65500 or more starts the ring again at 1; a negative number (a hand-edited file) as well,
    // so that number 0 or below is never written.
    if (shortPos >= kRingSize || shortPos < 0)
        shortPos = 0;
    if (longPos >= kRingSize || longPos < 0)
        longPos = 0;

    const QDateTime now = clock().now();
    if (seconds_since(now, state.LastShortDate, state.LastShortTime) >= 1) {
        state.LastShortTime = ole_time(now.time());
        state.LastShortDate = ole_date(now.date());
        if (reachable)
            writeDue(RecordTable::Short, shortPos, now);
        if (state.CurveScreenOpen)
            state.NewShortRecord = true;
    }
    if (seconds_since(now, state.LastLongDate, state.LastLongTime) >= 10) {
        state.LastLongTime = ole_time(now.time());
        state.LastLongDate = ole_date(now.date());
        if (reachable)
            writeDue(RecordTable::Long, longPos, now);
        if (state.CurveScreenOpen)
            state.NewLongRecord = true;
    }
}

void mscom::writeDue(RecordTable table, qint32& position, const QDateTime& now) {
    position += 1;
    std::array<float, 8> values{};
    for (int i = 0; i < 8; ++i)
        values[i] = image.Val3X[i];
    const double date = ole_date(now.date());
    const double time = ole_time(now.time());
    records.writeRecord(table, position, date, time, values);
}
