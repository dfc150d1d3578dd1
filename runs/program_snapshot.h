#pragma once
// A stored program as the instrument showed it at one moment: the curve selected in holding
// register 7, the 16 registers of the program window's header (8193..8208) and the four fields
// of each of the 24 segments in the table of the program's recipe. A run keeps the program it
// ran as such a snapshot, and the plan over the trend is drawn from one.

#include "registers/program_window.h"

#include <QtGlobal>
#include <array>

struct ProgramSegment {
    qint16 target = 0;   // 设定值SV1, as the instrument holds it
    qint16 time = 0;     // 设定时间, in the program's time unit
    qint16 relay = 0;    // 继电器状态
    qint16 pidGroup = 0; // 段PID

    friend bool operator==(const ProgramSegment&, const ProgramSegment&) = default;
};

struct ProgramSnapshot {
    int curve = 0;
    std::array<qint16, program::kHeaderSize> header{};
    std::array<ProgramSegment, program::kSegments> segments{};

    // 程序段数, held to 0..24.
    int segmentCount() const;
    // 曲线时间单位: 0 hours, 1 minutes, 2 seconds; the seconds of one unit, or 0 for a unit the
    // instrument does not have (the program cannot be timed: callers say so).
    qint64 secondsPerUnit() const;
    int waitType() const { return header[0]; }      // 程序等待类型, 0: 禁止
    int waitDeviation() const { return header[1]; } // 等待偏差值
    int startChoice() const { return header[program::kStartChoiceIndex]; } // 0 PV, 1 SV
    int loopCount() const { return header[8]; }                            // 循环段次数
    int loopStart() const { return header[program::kLoopStartIndex]; }
    int loopEnd() const { return header[program::kLoopEndIndex]; }
    int recipe() const { return header[program::kRecipeIndex]; }

    // The registers as read: the header, then segment by segment its four fields (112 values),
    // the form a run keeps them in.
    std::array<qint16, program::kHeaderSize + program::kSegments * program::kSegmentFields>
    registers() const;
    static ProgramSnapshot fromRegisters(int curve, const qint16* values, int count);

    friend bool operator==(const ProgramSnapshot&, const ProgramSnapshot&) = default;
};
