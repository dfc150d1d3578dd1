#include "runs/program_snapshot.h"

#include <algorithm>

int ProgramSnapshot::segmentCount() const {
    return std::clamp<int>(header[program::kSegmentCountIndex], 0, program::kSegments);
}

qint64 ProgramSnapshot::secondsPerUnit() const {
    switch (header[2]) {
    case 0:
        return 3600;
    case 1:
        return 60;
    case 2:
        return 1;
    default:
        return 0;
    }
}

std::array<qint16, program::kHeaderSize + program::kSegments * program::kSegmentFields>
ProgramSnapshot::registers() const {
    std::array<qint16, program::kHeaderSize + program::kSegments * program::kSegmentFields> r{};
    std::copy(header.begin(), header.end(), r.begin());
    std::size_t i = header.size();
    for (const ProgramSegment& s : segments) {
        r[i++] = s.target;
        r[i++] = s.time;
        r[i++] = s.relay;
        r[i++] = s.pidGroup;
    }
    return r;
}

ProgramSnapshot ProgramSnapshot::fromRegisters(int curve, const qint16* values, int count) {
    ProgramSnapshot p;
    p.curve = curve;
    const auto at = [&](int i) -> qint16 { return i < count ? values[i] : qint16(0); };
    for (int i = 0; i < program::kHeaderSize; ++i)
        p.header[static_cast<std::size_t>(i)] = at(i);
    int i = program::kHeaderSize;
    for (ProgramSegment& s : p.segments) {
        s.target = at(i++);
        s.time = at(i++);
        s.relay = at(i++);
        s.pidGroup = at(i++);
    }
    return p;
}
