#pragma once
// Where a running program stands, in one line under the overview's "PROGRAM " group: "段 n/N",
// the time left in the segment and when the run is projected to end, from input registers
// 4097..4104. The times left come in the program's time unit and N is the program's segment
// count, both of the program window: the console knows them once it has read the running
// program, and leaves out what it does not know.

#include "core/register_image.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What the overview needs to know of the running program.
struct ProgramShape {
    int segments = 0;          // 程序段数
    qint64 secondsPerUnit = 0; // of 曲线时间单位; 0: not known
};

// Empty while no program runs or is held. `now`: local time.
QString program_progress(const RegisterImage& image, const std::optional<ProgramShape>& shape,
                         const QDateTime& now);

// Seconds as "1:05:09" (hours, minutes, seconds), hours as many as there are.
QString duration_text(qint64 seconds);
