#include "read_freshness.h"

void ReadFreshness::observe(const LinkStatus& s, const QDateTime& now) {
    // A port opened anew counts from zero: what was read before does not carry over.
    if (s.wanted != wanted || s.good < goodSeen) {
        lastGood = QDateTime();
        goodSeen = 0;
    }
    wanted = s.wanted;
    if (s.good > goodSeen)
        lastGood = now;
    goodSeen = s.good;
}

bool ReadFreshness::fresh(const QDateTime& now) const {
    return wanted && lastGood.isValid() && lastGood.msecsTo(now) < kStaleMs;
}

std::optional<qint64> ReadFreshness::staleSeconds(const QDateTime& now) const {
    if (!wanted || !lastGood.isValid() || fresh(now))
        return std::nullopt;
    return lastGood.secsTo(now);
}
