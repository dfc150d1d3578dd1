#include "link_indicator.h"

LampView LinkStatusIndicator::view(const LinkStatus& s, const QString& note,
                                   std::optional<qint64> staleSeconds) {
    LampView v = plainView(s, note);
    if (staleSeconds && s.wanted) // first, so that the cut to the lamp's width keeps it
        v = {tr("Last good read %1 s ago").arg(*staleSeconds) + QStringLiteral(" · ") + v.text,
             LampHealth::Failing};
    return v;
}

LampView LinkStatusIndicator::plainView(const LinkStatus& s, const QString& note) {
    const QString device = s.device.isEmpty() ? tr("port") : s.device;
    const QString counts = tr("good %1 · failed %2").arg(s.good).arg(s.failed);
    const QString last =
        !s.anyTransaction ? tr("no transaction yet")
        : s.lastOk
            ? tr("last: OK")
            : tr("last failed: %1").arg(s.lastMessage.isEmpty() ? tr("no answer") : s.lastMessage);
    if (!s.open && !s.wanted) {
        if (!note.isEmpty())
            return {tr("Link closed: %1").arg(note), LampHealth::Failing};
        return {tr("Link closed"), LampHealth::Closed};
    }
    const QString where =
        s.settings.isEmpty() ? device : QStringLiteral("%1 (%2)").arg(device, s.settings);
    if (s.reconnecting) {
        const int seconds = (qMax(0, s.reconnectDelayMs) + 999) / 1000;
        // Only a device that was open can be lost; one that never opened says why not.
        if (s.everOpen)
            return {tr("%1 lost — reconnecting in %2 s · %3 · %4")
                        .arg(where)
                        .arg(seconds)
                        .arg(s.problemText.isEmpty() ? last : s.problemText, counts),
                    LampHealth::Failing};
        if (!s.problemText.isEmpty())
            return {tr("%1 — trying again in %2 s").arg(s.problemText).arg(seconds),
                    LampHealth::Failing};
        return {tr("%1 not open — trying again in %2 s").arg(where).arg(seconds),
                LampHealth::Failing};
    }
    if (!s.open) {
        if (!s.problemText.isEmpty())
            return {s.problemText, LampHealth::Failing};
        if (s.lastMessage.isEmpty())
            return {tr("%1 not open").arg(where), LampHealth::Failing};
        return {tr("%1 not open: %2").arg(where, s.lastMessage), LampHealth::Failing};
    }
    const bool good = !s.anyTransaction || s.lastOk;
    const QString open = tr("Open %1 · %2 · %3").arg(where, last, counts);
    return {note.isEmpty() ? open : open + QStringLiteral(" · ") + note,
            good ? LampHealth::Good : LampHealth::Failing};
}

LinkStatusIndicator::LinkStatusIndicator(QWidget* parent)
    : StatusLamp(QStringLiteral("LinkStatus"), parent) {
    display(LinkStatus{});
}

void LinkStatusIndicator::display(const LinkStatus& status) {
    last = status;
    showView(view(status, note, stale));
}

void LinkStatusIndicator::setStaleSeconds(std::optional<qint64> seconds) {
    if (seconds == stale)
        return;
    stale = seconds;
    display(last);
}

void LinkStatusIndicator::setNote(const QString& text) {
    note = text;
    display(last);
}
