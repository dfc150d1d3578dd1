#include "journal/journal_time.h"

namespace {
struct TimeForm {
    const char* format;
    qint64 lastMs; // the milliseconds the typed unit spans beyond its first instant
};
constexpr TimeForm kForms[] = {
    {"yyyy-MM-dd HH:mm", 60'000 - 1},
    {"yyyy-MM-dd HH:mm:ss", 1'000 - 1},
    {"yyyy-MM-dd HH:mm:ss.zzz", 0},
};
} // namespace

std::optional<QDateTime> parse_journal_time(const QString& text, bool endOfRange) {
    QString t = text.trimmed();
    if (t.size() == 10) {
        const QDate day = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return std::nullopt;
        const QDateTime start = day.startOfDay();
        return endOfRange ? day.addDays(1).startOfDay().addMSecs(-1) : start;
    }
    if (t.size() > 10 && t[10] == u'T')
        t[10] = u' ';
    for (const TimeForm& f : kForms) {
        const QDateTime at = QDateTime::fromString(t, QLatin1String(f.format));
        if (at.isValid())
            return endOfRange ? at.addMSecs(f.lastMs) : at;
    }
    return std::nullopt;
}
