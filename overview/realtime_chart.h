#pragma once
// The overview's real-time curve: the chart of the one-second record with its controls in the
// overview's chart area, driven by the overview's 200 ms tick through the chart hooks, on a record
// connection of its own to the logger's file.

#include "curves/curve_screen.h"
#include "records/record_store.h"

#include <QObject>
#include <QPointer>

class Clock;
class OverviewForm;

class RealtimeChart final : public QObject {
    Q_OBJECT
public:
    // shared: the image its live points come from, the logger's state and the value axis. dbPath
    // empty: the default record file. clock null: the console clock. Loads at once.
    RealtimeChart(OverviewForm& form, const CurveShared& shared, const QString& dbPath,
                  Clock* clock = nullptr);
    ~RealtimeChart() override;

    // The chart part of the overview's load and unload.
    void load();
    void unload();

    CurveScreen& curves() { return *screen; }
    RecordStore& store() { return records; }

private:
    OverviewForm& form;
    RecordStore records;
    QPointer<CurveScreen> screen;
};
