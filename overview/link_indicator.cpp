#include "link_indicator.h"

#include "core/naming.h"

namespace {

QString device_of(const LinkStatus& s) {
    return s.device.isEmpty() ? QStringLiteral("port") : s.device;
}

QString counts_of(const LinkStatus& s) {
    return QStringLiteral("good %1 · failed %2").arg(s.good).arg(s.failed);
}

QString last_of(const LinkStatus& s) {
    if (!s.anyTransaction)
        return QStringLiteral("no transaction yet");
    if (s.lastOk)
        return QStringLiteral("last: OK");
    return QStringLiteral("last failed: %1")
        .arg(s.lastMessage.isEmpty() ? QStringLiteral("no answer") : s.lastMessage);
}

} // namespace

LinkIndicatorView link_indicator_view(const LinkStatus& s) {
    if (!s.open && !s.wanted)
        return {QStringLiteral("Link closed"), LinkHealth::Closed};
    const QString where = s.settings.isEmpty()
                              ? device_of(s)
                              : QStringLiteral("%1 (%2)").arg(device_of(s), s.settings);
    if (s.reconnecting) {
        const int seconds = (qMax(0, s.reconnectDelayMs) + 999) / 1000;
        return {QStringLiteral("%1 lost — reconnecting in %2 s · %3 · %4")
                    .arg(where)
                    .arg(seconds)
                    .arg(last_of(s), counts_of(s)),
                LinkHealth::Failing};
    }
    if (!s.open) {
        const QString why =
            s.lastMessage.isEmpty() ? QString() : QStringLiteral(": ") + s.lastMessage;
        return {QStringLiteral("%1 not open%2").arg(where, why), LinkHealth::Failing};
    }
    const bool good = !s.anyTransaction || s.lastOk;
    return {QStringLiteral("Open %1 · %2 · %3").arg(where, last_of(s), counts_of(s)),
            good ? LinkHealth::Good : LinkHealth::Failing};
}

LinkStatusIndicator::LinkStatusIndicator(QWidget* parent) : QLabel(parent) {
    name_control(this, QStringLiteral("LinkStatus"));
    make_status_lamp(*this);
    display(LinkStatus{});
}

void LinkStatusIndicator::display(const LinkStatus& status) {
    const LinkIndicatorView v = link_indicator_view(status);
    setText(v.text);
    setToolTip(v.text);
    shown = v.health;
    show_lamp(*this, v.health);
}
