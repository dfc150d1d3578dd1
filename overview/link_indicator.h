#pragma once
// The link status indicator of the overview: port open or not and on which device, the newest
// transaction's outcome in words, the counts of good and failed transactions, and the reopening
// countdown after the device went away, or why it does not open (not there, no permission, held
// by another program) with what to do. Red while transactions fail; never a message box. A note
// (why the simulated instrument did not start, or that the instrument's own line settings were
// written) stands beside it until the operator next presses "打开".

#include "core/status_lamp.h"
#include "link/instrument_link.h"

class LinkStatusIndicator final : public StatusLamp {
    Q_OBJECT
public:
    explicit LinkStatusIndicator(QWidget* parent = nullptr);
    static LampView view(const LinkStatus& status, const QString& note = QString());
    void display(const LinkStatus& status);
    void setNote(const QString& text);

private:
    LinkStatus last;
    QString note;
};
