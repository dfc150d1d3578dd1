#pragma once
// The event journal's ties to the rest of the console that its own room cannot make: an instrument
// file job's outcome as one event, and the journal's state beside the record file's.

#include <QString>

#include "charts/chart_marks.h"

class EventJournal;
class RecordIndicator;
class SetupJob;

// Journals the job's outcome (kind, file, status, the first lines of its report and the curves it
// selected, with the operator's curve put back) as one event each time it finishes, from the
// job's source ("仪表文件 · 比较"); its curve selections are no events of their own. Refuses a
// restore while the journal cannot be written.
void journal_file_jobs(SetupJob& job, EventJournal& journal);

// The journal's events as the trend charts mark them.
ChartMarkSource journal_mark_source(EventJournal& journal);

// The journal's rows, size and any waiting events in the record-file indicator's tooltip.
void show_journal_state(RecordIndicator& indicator, EventJournal& journal);
