#pragma once
// One run of a stored program as the record file keeps it in `program_runs`: when it started and
// ended (UTC to the millisecond and the local time as shown), how it ended, whether the console
// joined it already running, and the program it ran as read from the program window.

#include "runs/program_snapshot.h"

#include <QDateTime>
#include <QString>
#include <optional>

enum class RunEnding { Running, Ended, Stopped, LinkLost, ConsoleClosed };

// As the file keeps it: "running", "ended", "stopped", "link_lost", "console_closed".
QString ending_key(RunEnding ending);
std::optional<RunEnding> ending_of_key(const QString& key);
// In the operator's language.
QString ending_title(RunEnding ending);

struct ProgramRun {
    qint64 number = 0; // run number, never reused
    std::optional<int> address;
    int curve = 0;
    qint64 startMs = 0; // UTC
    QString startLocal; // "yyyy-MM-dd HH:mm:ss" as shown at the start
    std::optional<qint64> endMs;
    QString endLocal;
    qint64 seenMs = 0; // the newest poll cycle that saw it running (its end after a crash)
    RunEnding ending = RunEnding::Running;
    bool joined = false;  // already running when the console started following the instrument
    int startSegment = 0; // 当前段号 at the start
    bool programRead = false;
    ProgramSnapshot program; // as read; all zeros while programRead is false

    QDateTime start() const { return QDateTime::fromMSecsSinceEpoch(startMs, Qt::UTC); }
    // The end, or the newest time it was seen running.
    QDateTime end() const {
        return QDateTime::fromMSecsSinceEpoch(endMs.value_or(seenMs), Qt::UTC);
    }
};

// "yyyy-MM-dd HH:mm:ss" of a UTC time in local time.
QString local_text(qint64 utcMs);
