#pragma once
// Journaled events as the trend charts mark them: a tick at the top of the chart at an event's
// time (its text in the tooltip), a light band from an alarm's coming on to its going off, and a
// hatched span over a link outage. The charts ask a mark source for the marks of the window they
// show; the record room knows nothing of where the marks come from.

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

enum class ChartMarkKind { Event, AlarmSpan, OutageSpan };

struct ChartMark {
    ChartMarkKind kind = ChartMarkKind::Event;
    QDateTime from; // the event's time; a span's start (local time, as the records' stamps)
    QDateTime to;   // a span's end; equal to `from` for an event; invalid: still open (runs to
                    // the window's end)
    QString text;   // tooltip: time, category and what happened
};

// The marks touching [from, to]; called when a chart window is loaded or drawn afresh.
using ChartMarkSource = std::function<std::vector<ChartMark>(const QDateTime& from,
                                                             const QDateTime& to)>;
