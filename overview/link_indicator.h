#pragma once
// The link status indicator of the overview: port open or not and on which device, the newest
// transaction's outcome in words, the counts of good and failed transactions, and the reopening
// countdown after the device went away, or why it does not open (not there, no permission, held
// by another program) with what to do. Red while transactions fail; never a message box. A note
// (why the simulated instrument did not start, or that the instrument's own line settings were
// written) stands beside it until the operator next presses "打开". While the values shown are
// stale after a good read, the line starts with the age of that read.

#include "core/status_lamp.h"
#include "link/instrument_link.h"

#include <optional>

class LinkStatusIndicator final : public StatusLamp {
    Q_OBJECT
public:
    explicit LinkStatusIndicator(QWidget* parent = nullptr);
    static LampView view(const LinkStatus& status, const QString& note = QString(),
                         std::optional<qint64> staleSeconds = std::nullopt);
    void display(const LinkStatus& status);
    void setNote(const QString& text);
    // Seconds since the last good read while stale; empty while fresh. Shown at once if changed.
    void setStaleSeconds(std::optional<qint64> seconds);

private:
    static LampView plainView(const LinkStatus& status, const QString& note);

    LinkStatus last;
    QString note;
    std::optional<qint64> stale;
};
