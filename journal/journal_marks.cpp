#include "journal/journal_marks.h"

#include "journal/journal_words.h"
#include "journal/measured_spans.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// A span kind: the codes that open it and close it, in one category, and the console's own events
// that close it too (an outage ends with the console that saw it).
struct SpanRule {
    EventCategory category;
    ChartMarkKind kind;
    QStringList opens;
    QStringList closes;
    QStringList consoleCloses;
};

const std::vector<SpanRule>& span_rules() {
    static const std::vector<SpanRule> rules = [] {
        std::vector<SpanRule> r;
        for (const char* name :
             {"alarm1", "alarm2", "pv1_open", "pv1_short", "pv2_open", "pv2_short"}) {
            const QString n = QLatin1String(name);
            r.push_back({EventCategory::Alarm,
                         ChartMarkKind::AlarmSpan,
                         {n + QStringLiteral("_on")},
                         {n + QStringLiteral("_off")},
                         {}});
        }
        r.push_back(
            {EventCategory::Link,
             ChartMarkKind::OutageSpan,
             {QStringLiteral("lost")},
             {QStringLiteral("restored"), QStringLiteral("closed"), QStringLiteral("opened")},
             {QStringLiteral("started"), QStringLiteral("ended"), QStringLiteral("unclean_end")}});
        return r;
    }();
    return rules;
}

QDateTime local_of(const JournalEntry& e) {
    return QDateTime::fromMSecsSinceEpoch(e.utcMs).toLocalTime();
}

struct NotMeasured {
    Q_DECLARE_TR_FUNCTIONS(NotMeasured)
public:
    static QString why(const std::optional<JournalEntry>& begunBy) {
        const QString code = begunBy ? begunBy->code : QString();
        if (code == QLatin1String("opened"))
            return tr("Not measured: the port was opened, no good read yet");
        if (code == QLatin1String("closed"))
            return tr("Not measured: the port is closed");
        if (code == QLatin1String("lost"))
            return tr("Not measured: the link is lost");
        if (code == QLatin1String("ended") || code == QLatin1String("unclean_end"))
            return tr("Not measured: the console was not running");
        return tr("Not measured: no good read of the instrument is journaled before this");
    }
};

// The stretches in which no console measured that the outages (lost to restored) do not already
// hatch, hatched the same way: before the first good read after the port was opened, with the
// port closed, before the console started. The records there hold zeros or stale values.
void add_not_measured(std::vector<ChartMark>& marks, JournalStore& store, const QDateTime& from,
                      const QDateTime& to) {
    std::vector<std::pair<qint64, qint64>> hatched;
    for (const ChartMark& m : marks)
        if (m.kind == ChartMarkKind::OutageSpan)
            hatched.emplace_back(m.from.toMSecsSinceEpoch(), m.to.isValid()
                                                                 ? m.to.toMSecsSinceEpoch()
                                                                 : MeasuredSpans::kOpenEnd);
    std::sort(hatched.begin(), hatched.end());
    const auto local = [](qint64 ms) {
        return ms == MeasuredSpans::kOpenEnd ? QDateTime()
                                             : QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
    };
    for (const LinkStretch& s : link_stretches(store, from, to)) {
        if (s.measured)
            continue;
        const QString text =
            NotMeasured::why(s.begunBy) + (s.begunBy ? u'\n' + mark_text(*s.begunBy) : QString());
        qint64 at = s.fromMs;
        for (const auto& [a, b] : hatched) { // the pieces between the outages
            if (b <= at || a >= s.toMs)
                continue;
            if (a > at)
                marks.push_back({ChartMarkKind::OutageSpan, local(at), local(a), text});
            at = std::max(at, b);
        }
        if (at < s.toMs)
            marks.push_back({ChartMarkKind::OutageSpan, local(at), local(s.toMs), text});
    }
}

} // namespace

QString mark_text(const JournalEntry& e) {
    // The code by its title, then the event in words.
    QString what = journal_words::codeTitle(e.category, e.code);
    if (!e.detail.isEmpty())
        what += QStringLiteral(": ") + e.detail;
    QString text = QStringLiteral("%1  %2  %3")
                       .arg(local_of(e).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                            category_title(e.category), what);
    if (!e.source.isEmpty())
        text += QStringLiteral("  (%1)").arg(e.source);
    if (!e.result.isEmpty() && e.category == EventCategory::Write)
        text += QStringLiteral("  %1").arg(e.result);
    return text;
}

std::vector<ChartMark> journal_marks(JournalStore& store, const QDateTime& from,
                                     const QDateTime& to) {
    std::vector<ChartMark> marks;
    if (!from.isValid() || !to.isValid() || to < from)
        return marks;
    // Oldest first: the window's events (a chart shows at most a few thousand).
    auto inWindow = store.page({from, to, {}, {}}, std::nullopt, 5000);
    std::reverse(inWindow.begin(), inWindow.end());

    for (const SpanRule& rule : span_rules()) {
        // Open at the window's start: the newest of its events before it opened the span.
        std::optional<JournalEntry> open =
            store.newestBefore(rule.category, rule.opens + rule.closes, from);
        if (open && !rule.opens.contains(open->code))
            open.reset();
        if (open && !rule.consoleCloses.isEmpty()) {
            const auto console =
                store.newestBefore(EventCategory::Console, rule.consoleCloses, from);
            if (console &&
                std::pair(console->utcMs, console->seq) > std::pair(open->utcMs, open->seq))
                open.reset();
        }
        for (const JournalEntry& e : inWindow) {
            const bool closesHere =
                (e.category == rule.category && rule.closes.contains(e.code)) ||
                (e.category == EventCategory::Console && rule.consoleCloses.contains(e.code));
            if (e.category == rule.category && rule.opens.contains(e.code) && !open) {
                open = e;
            } else if (closesHere && open) {
                marks.push_back({rule.kind, local_of(*open), local_of(e),
                                 mark_text(*open) + u'\n' + mark_text(e)});
                open.reset();
            }
        }
        if (open)
            marks.push_back({rule.kind, local_of(*open), QDateTime(), mark_text(*open)});
    }
    add_not_measured(marks, store, from, to);
    for (const JournalEntry& e : inWindow)
        marks.push_back({ChartMarkKind::Event, local_of(e), local_of(e), mark_text(e)});
    return marks;
}
