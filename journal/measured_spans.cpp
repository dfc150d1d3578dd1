#include "journal/measured_spans.h"

#include <memory>

#include <QSet>
#include <algorithm>
#include <limits>

namespace {

constexpr int kPage = 1000;
constexpr qint64 kLongAgo = std::numeric_limits<qint64>::min();

// Follows every console session's measuring through the events, oldest first, and cuts the time
// into stretches where the answer "did any console measure?" stays the same.
class Follower {
public:
    void take(const JournalEntry& e) {
        const bool before = !measuring.isEmpty();
        if (!apply(e))
            return;
        const bool after = !measuring.isEmpty();
        if (after == before)
            return;
        if (e.utcMs > current.fromMs)
            done.push_back(current);
        current = {e.utcMs, MeasuredSpans::kOpenEnd, after, e};
    }

    // The stretches cut to start at `fromMs`, the last one still going.
    std::vector<LinkStretch> finish(qint64 fromMs) {
        done.push_back(current);
        std::vector<LinkStretch> out;
        for (std::size_t i = 0; i < done.size(); ++i) {
            LinkStretch s = done[i];
            if (i + 1 < done.size())
                s.toMs = done[i + 1].fromMs;
            if (s.toMs <= fromMs)
                continue;
            s.fromMs = std::max(s.fromMs, fromMs);
            out.push_back(std::move(s));
        }
        return out;
    }

private:
    // Whether the event says anything of a session's measuring.
    bool apply(const JournalEntry& e) {
        static const QStringList starts{QStringLiteral("first_read"), QStringLiteral("restored")};
        static const QStringList ends{QStringLiteral("lost"), QStringLiteral("closed"),
                                      QStringLiteral("opened")};
        if (e.category == EventCategory::Link) {
            if (starts.contains(e.code))
                measuring.insert(e.session);
            else if (ends.contains(e.code))
                measuring.remove(e.session);
            else
                return false;
        } else if (e.category == EventCategory::Console && e.code == QLatin1String("ended")) {
            measuring.remove(e.session);
        } else if (e.category == EventCategory::Console && e.code == QLatin1String("unclean_end")) {
            // Journaled by the next console at its start, naming the session that died.
            measuring.remove(e.oldValue.value_or(QString()));
        } else {
            return false;
        }
        return true;
    }

    QSet<QString> measuring; // sessions measuring now
    LinkStretch current{kLongAgo, MeasuredSpans::kOpenEnd, false, std::nullopt};
    std::vector<LinkStretch> done;
};

} // namespace

std::vector<LinkStretch> link_stretches(JournalStore& store, const QDateTime& from,
                                        const QDateTime& to) {
    // A span measuring when the period starts began at the newest start before it: the events are
    // followed from there.
    JournalFilter filter{from, to, {EventCategory::Link, EventCategory::Console}, {}};
    if (from.isValid()) {
        const auto start = store.newestBefore(
            EventCategory::Link, {QStringLiteral("first_read"), QStringLiteral("restored")}, from);
        filter.from = start ? start->utc() : from;
    }
    Follower follower;
    std::optional<JournalCursor> after;
    for (;;) {
        const auto rows = store.pageForward(filter, after, kPage);
        for (const JournalEntry& e : rows)
            follower.take(e);
        if (int(rows.size()) < kPage)
            break;
        after = JournalCursor{rows.back().utcMs, rows.back().seq};
    }
    return follower.finish(from.isValid() ? from.toMSecsSinceEpoch() : kLongAgo);
}

MeasuredSpans measured_spans(JournalStore& store, const QDateTime& from, const QDateTime& to) {
    MeasuredSpans spans;
    for (const LinkStretch& s : link_stretches(store, from, to))
        if (s.measured)
            spans.spans.emplace_back(s.fromMs, s.toMs);
    return spans;
}

MeasuredSpansSource journal_measured_source() {
    return [](const QString& recordFile, const QDateTime& from,
              const QDateTime& to) -> std::optional<MeasuredSpans> {
        JournalStore store(recordFile, JournalStore::Access::ReadOnly);
        if (!store.open())
            return std::nullopt;
        // A file no console has journaled to says nothing either way.
        if (const auto rows = store.rowCount(); !rows || *rows == 0)
            return std::nullopt;
        MeasuredSpans spans = measured_spans(store, from, to);
        if (!store.lastError().isEmpty())
            return std::nullopt;
        return spans;
    };
}

std::function<bool(const QDateTime&)> measured_check(const QString& recordFile) {
    const MeasuredSpansSource source = journal_measured_source();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!source(recordFile, now, now))
        return {};
    struct Cache {
        qint64 fromMs = 0;
        qint64 toMs = -1;
        MeasuredSpans spans;
    };
    auto cache = std::make_shared<Cache>();
    return [recordFile, source, cache](const QDateTime& sampled) {
        const qint64 t = sampled.toMSecsSinceEpoch();
        if (t < cache->fromMs || t > cache->toMs) {
            const QDateTime from = sampled.addSecs(-3600);
            const QDateTime to = QDateTime::currentDateTimeUtc();
            cache->spans = source(recordFile, from, to).value_or(MeasuredSpans{});
            cache->fromMs = from.toMSecsSinceEpoch();
            cache->toMs = to.toMSecsSinceEpoch();
        }
        return cache->spans.measuredAt(t);
    };
}
