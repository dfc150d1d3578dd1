#include "historian/historian_view.h"

QString HistorianView::duration(qint64 ms) {
    const qint64 s = ms / 1000;
    if (s < 60)
        return tr("%1 s").arg(s);
    if (s < 3600)
        return tr("%1 min").arg(s / 60);
    if (s < 86400)
        return tr("%1 h %2 min").arg(s / 3600).arg(s % 3600 / 60);
    return tr("%1 d %2 h").arg(s / 86400).arg(s % 86400 / 3600);
}

LampView HistorianView::of(const HistorianState& s) {
    using Phase = HistorianState::Phase;
    const LampHealth lag = s.behindMs > kLateMs ? LampHealth::Lagging : LampHealth::Good;
    const QString behind =
        s.behindMs > kLateMs ? tr(", behind by %1").arg(duration(s.behindMs)) : QString();
    switch (s.phase) {
    case Phase::Off:
        return {tr("Historian: off"), LampHealth::Closed};
    case Phase::Connecting:
        return {tr("Historian: connecting"), LampHealth::Good};
    case Phase::Current:
        return {tr("Historian: connected, all forwarded"), LampHealth::Good};
    case Phase::CatchingUp:
        return {tr("Historian: connected, catching up %1 rows%2").arg(s.waiting).arg(behind), lag};
    case Phase::Failing:
        break;
    }
    return {tr("Historian: failing: %1 (next attempt in %2 s)%3")
                .arg(s.reason)
                .arg(s.retryInS)
                .arg(behind),
            LampHealth::Failing};
}
