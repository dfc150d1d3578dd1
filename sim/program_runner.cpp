#include "program_runner.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr int kMaxAdvances = 100000; // bounds a step through many zero-time segments
}

bool ProgramRunner::valid_command(int code) {
    return code == CmdStop || code == CmdRun || code == CmdHold || code == CmdEnd ||
           code == CmdReset || code == CmdSleep;
}

int ProgramRunner::segment_count(const CurveWindow& w) {
    return std::clamp<int>(w[reg::SegmentCount], 0, kSegments);
}

int ProgramRunner::field(const CurveWindow& w, int segment, int offset) {
    const int recipe = std::clamp<int>(w[reg::Recipe], 0, kMaxRecipe);
    const int s = std::clamp(segment, 1, kSegments);
    return w[kHeaderSize + kRecipeStride * recipe + kSegmentSize * (s - 1) + offset];
}

double ProgramRunner::unit_seconds(const CurveWindow& w) {
    switch (w[reg::TimeUnit]) {
    case 0:
        return 3600.0;
    case 2:
        return 1.0;
    default:
        return 60.0;
    }
}

double ProgramRunner::segmentSeconds(const CurveWindow& w, int s) const {
    return std::max(0, field(w, s, reg::SegTime)) * unit_seconds(w);
}

void ProgramRunner::start(const CurveWindow& w, double pv, double singleSv) {
    st = Run;
    seg = 1;
    elapsed = 0.0;
    loopsDone = 0;
    runsDone = 0;
    segStartSv = w[reg::StartFromSv] != 0 ? singleSv : pv;
    currentSv = segStartSv;
    if (segment_count(w) == 0) {
        st = End;
        ended = true;
    }
}

void ProgramRunner::command(int code, int curve, const CurveWindow& w, double pv, double singleSv) {
    ended = false;
    switch (code) {
    case CmdRun:
        asleep = false;
        if (st == Hold)
            st = Run;
        else if (st != Run) {
            runCurve = curve;
            start(w, pv, singleSv);
        }
        break;
    case CmdHold:
        if (st == Run)
            st = Hold;
        break;
    case CmdEnd:
        if (st == Run || st == Hold)
            st = End;
        break;
    case CmdStop:
        st = Stop;
        asleep = false;
        break;
    case CmdReset:
        st = Stop;
        asleep = false;
        seg = 0;
        elapsed = 0.0;
        loopsDone = 0;
        runsDone = 0;
        break;
    case CmdSleep:
        st = Stop;
        asleep = true;
        break;
    default:
        break;
    }
}

bool ProgramRunner::deviationWait(const CurveWindow& w, double pv) const {
    const double dev = w[reg::WaitDeviation];
    switch (w[reg::WaitType]) {
    case 1:
        return pv < currentSv - dev;
    case 2:
        return pv > currentSv + dev;
    case 3:
        return std::abs(pv - currentSv) > dev;
    default:
        return false;
    }
}

bool ProgramRunner::advance(const CurveWindow& w) {
    const int loopStart = w[reg::LoopStart];
    const int loopEnd = w[reg::LoopEnd];
    if (seg == loopEnd && loopsDone < w[reg::LoopCount] && loopStart >= 1 && loopStart <= loopEnd) {
        ++loopsDone;
        seg = loopStart;
        return true;
    }
    if (seg < segment_count(w)) {
        ++seg;
        return true;
    }
    ++runsDone;
    if (runsDone < std::max<int>(1, w[reg::RunCount])) {
        seg = 1;
        loopsDone = 0;
        return true;
    }
    return false;
}

void ProgramRunner::step(double dt, const CurveWindow& w, double pv) {
    if (st != Run) {
        waitFlag = false;
        return;
    }
    waitFlag = deviationWait(w, pv);
    if (waitFlag)
        return; // the segment clock stands while the measured value lags
    elapsed += dt;
    for (int guard = 0; guard < kMaxAdvances; ++guard) {
        const double length = segmentSeconds(w, seg);
        if (elapsed < length) {
            const double target = field(w, seg, reg::SegSv);
            currentSv = segStartSv + (target - segStartSv) * (elapsed / length);
            return;
        }
        elapsed -= length;
        segStartSv = field(w, seg, reg::SegSv);
        currentSv = segStartSv;
        if (!advance(w)) {
            st = End;
            ended = true;
            elapsed = 0.0;
            return;
        }
    }
}

double ProgramRunner::targetSv(const CurveWindow& w) const {
    if (st == Run || st == Hold)
        return field(w, seg, reg::SegSv);
    return currentSv;
}

bool ProgramRunner::relay(const CurveWindow& w) const {
    return (st == Run || st == Hold) && field(w, seg, reg::SegRelay) != 0;
}

int ProgramRunner::pidGroup(const CurveWindow& w) const {
    if (st != Run && st != Hold)
        return 0;
    const int g = field(w, seg, reg::SegPidGroup);
    return g >= 1 && g <= 5 ? g : 0;
}

int ProgramRunner::segmentLeft(const CurveWindow& w) const {
    if (st != Run && st != Hold)
        return 0;
    const double left = std::max(0.0, segmentSeconds(w, seg) - elapsed);
    return static_cast<int>(std::ceil(left / unit_seconds(w) - 1e-9));
}

int ProgramRunner::totalLeft(const CurveWindow& w) const {
    if (st != Run && st != Hold)
        return 0;
    // Walk the rest of the path (loops and repeated runs included) on a copy.
    ProgramRunner walk = *this;
    double left = std::max(0.0, segmentSeconds(w, seg) - elapsed);
    for (int guard = 0; guard < kMaxAdvances && walk.advance(w); ++guard)
        left += walk.segmentSeconds(w, walk.seg);
    return static_cast<int>(std::min(32767.0, std::ceil(left / unit_seconds(w) - 1e-9)));
}

} // namespace sim
