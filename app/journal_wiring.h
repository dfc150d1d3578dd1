#pragma once
// The event journal's ties to the rest of the console that its own room cannot make: an instrument
// file job's outcome as one event, and the journal's state beside the record file's.

#include <QString>

#include "charts/chart_marks.h"

class EventJournal;
class RecordIndicator;
class SetupJob;

// Journals the job's outcome (kind, file, status and the first lines of its report) each time it
// finishes, and refuses a restore while the journal cannot be written. `source`: "仪表文件" on the screen, "command line" for --backup/--compare/--restore.
void journal_file_jobs(SetupJob& job, EventJournal& journal, const QString& source);

// The journal's events as the trend charts mark them.
ChartMarkSource journal_mark_source(EventJournal& journal);

// The journal's rows, size and any waiting events in the record-file indicator's tooltip.
void show_journal_state(RecordIndicator& indicator, EventJournal& journal);
