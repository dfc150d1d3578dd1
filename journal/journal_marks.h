#pragma once
// The journal as the trend charts mark it: every event in the window as a tick, an alarm or input
// fault from its coming on to its going off as a band, a link outage from lost to restored (or
// to the port closed or opened anew) as a hatched span, and hatched the same way every other
// stretch in which no console measured (before the first good read after the port was opened,
// the port closed). A span that began before the window is found from the newest events before
// it; one that has not ended is open.

#include "journal/journal_store.h"
#include "charts/chart_marks.h"

std::vector<ChartMark> journal_marks(JournalStore& store, const QDateTime& from,
                                     const QDateTime& to);

// The tooltip line of one event: local time, category, what happened and where from.
QString mark_text(const JournalEntry& entry);
