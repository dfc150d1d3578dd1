#pragma once
// Every screen the overview opens, registered in one place: a factory per screen button. A new
// screen is one line in register_screens(); the overview knows it only by its factory.

#include "charts/chart_plan.h"

#include <QString>

class Clock;
class EventJournal;
class Instrument;
class InstrumentLink;
class OverviewForm;
struct LoggerState;
struct ValueAxis;

struct ScreenContext {
    Instrument& instrument; // the instrument the screens show and write
    InstrumentLink& link;
    LoggerState& logging; // the logger's state and the value axis the history screen shares
    ValueAxis& axis;
    QString dbPath;                  // the record file; empty: the default one
    Clock* clock = nullptr;          // null: the console clock
    EventJournal* journal = nullptr; // the console's event journal; null: none kept
    PlanSource plan = {};            // the running program's plan; empty: none drawn
};

void register_screens(OverviewForm& overview, const ScreenContext& context);
