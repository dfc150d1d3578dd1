#pragma once
// The journal's link events as spans of measuring. A console measures from the first good read of
// the poll cycle after the port was opened (link "first_read"), or from the restore after an
// outage (link "restored"), until the link is lost, the port is closed or opened anew, or the
// console ends (console "ended", or "unclean_end" naming it). Each console session is followed on
// its own, so a command-line job that opens and closes a port meanwhile ends nothing of the
// console's; records were measured while any console measured.
//
// Built once for a period from the few link and console events in it (never a look-up per
// record): a whole ring costs what its link events cost.

#include "journal/journal_store.h"
#include "records/measured_spans.h"

// One stretch of a period: measured or not, and the event it began with (none: it began before
// the first event the journal has, or at the period's start with nothing known before).
struct LinkStretch {
    qint64 fromMs = 0;
    qint64 toMs = 0; // MeasuredSpans::kOpenEnd: still going at the period's end
    bool measured = false;
    std::optional<JournalEntry> begunBy;
};

// The stretches covering [from, to] in time order, cut to the period (an open `to` ends at the
// journal's newest event; both ends must be valid for a chart).
std::vector<LinkStretch> link_stretches(JournalStore& store, const QDateTime& from,
                                        const QDateTime& to);
MeasuredSpans measured_spans(JournalStore& store, const QDateTime& from, const QDateTime& to);

// The source the record room asks: the journal of the record file itself, opened read-only; empty
// when the file holds no journal (an older record file) or it cannot be read.
MeasuredSpansSource journal_measured_source();

// Whether a record of the file at `recordFile` was measured, one record at a time, for readers that
// go through records in time order (a run's report, the historian's forwarding): the spans are
// built once for the period from an hour before the first record asked to now, and again only for
// a record outside it. Empty when the file holds no journal (nothing can be judged). Each call
// opens the journal on the calling thread, so the check may live on a thread of its own.
std::function<bool(const QDateTime&)> measured_check(const QString& recordFile);
