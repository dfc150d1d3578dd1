#pragma once
// The hidden logger form mscom: every 100 ms its Timer1 checks whether a short record (one a
// second) or a long record (one every ten seconds) is due and writes it into the record ring,
// sampling Val3X 0..7 of the instrument's register image. It writes whether or not the link is
// open. It meets the curve screens only through the record file and the new-record flags of the
// logger's state.

#include "core/clock.h"
#include "core/register_image.h"
#include "records/logger_state.h"
#include "records/record_store.h"

#include <QObject>
#include <QTimer>

class mscom final : public QObject {
    Q_OBJECT
public:
    // Samples `image`, keeps its times and flags in `state`, opens its own connection to the
    // record file at dbPath (empty: the default path) and starts Timer1. clock null: the console
    // clock.
    mscom(const RegisterImage& image, LoggerState& state, const QString& dbPath = QString(),
          Clock* clock = nullptr, QObject* parent = nullptr);

    // Whole seconds since the newest short record (LastShortDate, LastShortTime) ...
    double okitime() const;
    // ... and since the newest long record (LastLongDate, LastLongTime).
    double Rec1_time() const;

    void Timer1_Timer(); // one logger tick

    RecordStore& store() { return records; }
    QTimer& timer() { return Timer1; }
    // The working copies of the write positions, as after the last tick.
    qint32 shortPosition() const { return shortPos; }
    qint32 longPosition() const { return longPos; }

private:
    Clock& clock() const;
    void writeDue(RecordTable table, qint32& position, const QDateTime& now);

    const RegisterImage& image;
    LoggerState& state;
    Clock* fixedClock;
    RecordStore records;
    QTimer Timer1;
    qint32 shortPos = 0;
    qint32 longPos = 0;
};

// The logger's elapsed-time rule: |((today - lastDate) + (now - lastTime)) * 24 * 60 * 60|,
// rounded to nearest with ties to even, today and now taken in whole seconds.
double seconds_since(const QDateTime& now, double lastDate, double lastTime);
