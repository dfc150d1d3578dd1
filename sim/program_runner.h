#pragma once
// Runs a stored curve: each segment ramps the set value from where it stood to the segment's set
// value over the segment's time; deviation wait, segment loops, repeated runs, hold and end.

#include "defaults.h"

namespace sim {

class ProgramRunner {
public:
    enum State { Stop = 0, Run = 1, Hold = 2, End = 4 };
    enum Command { CmdStop = 0, CmdRun = 1, CmdHold = 2, CmdEnd = 4, CmdReset = 8, CmdSleep = 16 };

    static bool valid_command(int code);

    // A command of the program command register. `curve` is the curve a fresh run takes;
    // `singleSv` the set value in force before it, for curves that start from the set value.
    void command(int code, int curve, const CurveWindow& w, double pv, double singleSv);

    // Advance the running program by dt seconds (w: the curve being run, see curve()).
    void step(double dt, const CurveWindow& w, double pv);

    State state() const { return st; }
    int curve() const { return runCurve; }
    bool sleeping() const { return asleep; }
    bool waiting() const { return waitFlag; }
    bool endedByItself() const { return ended; } // since the last command
    int segment() const { return seg; }
    int cycles() const { return runsDone; }
    double sv() const { return currentSv; }
    double targetSv(const CurveWindow& w) const;
    bool relay(const CurveWindow& w) const;
    int pidGroup(const CurveWindow& w) const;
    // Times left, in the curve's time unit, rounded up.
    int segmentLeft(const CurveWindow& w) const;
    int totalLeft(const CurveWindow& w) const;

    static int segment_count(const CurveWindow& w);
    static int field(const CurveWindow& w, int segment, int offset);
    static double unit_seconds(const CurveWindow& w);

private:
    void start(const CurveWindow& w, double pv, double singleSv);
    bool advance(const CurveWindow& w); // false when the program has ended
    bool deviationWait(const CurveWindow& w, double pv) const;
    double segmentSeconds(const CurveWindow& w, int s) const;

    State st = Stop;
    int runCurve = 0;
    int seg = 0;          // 0 before the first run and after a reset
    double elapsed = 0.0; // s into the current segment
    double segStartSv = 0.0;
    double currentSv = 0.0;
    int loopsDone = 0;
    int runsDone = 0;
    bool asleep = false;
    bool waitFlag = false;
    bool ended = false;
};

} // namespace sim
