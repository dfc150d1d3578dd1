#pragma once
// Whether the values the overview shows are a fresh read of the instrument: the link open by the
// operator and a good transaction within kStaleMs (three poll cycles and a little, as the journal
// counts the link lost). Otherwise they are the zeros of the start or the last values read, and
// the overview shows them in grey, with the age of the last good read on the link status line.
//
// It watches the link's counts of good transactions at each overview tick, so it needs nothing of
// the poll cycle; the time is the overview tick's, to within one tick.

#include "link/instrument_link.h"

#include <QDateTime>
#include <optional>

class ReadFreshness {
public:
    static constexpr qint64 kStaleMs = 2000;

    void observe(const LinkStatus& status, const QDateTime& now);
    // The values shown were read within kStaleMs, on a link the operator has open.
    bool fresh(const QDateTime& now) const;
    // Seconds since the last good read while the values are stale after one; empty otherwise
    // (fresh, or nothing read since the port was opened).
    std::optional<qint64> staleSeconds(const QDateTime& now) const;

private:
    bool wanted = false;
    quint64 goodSeen = 0;
    QDateTime lastGood; // invalid: nothing read since the port was opened
};
