#pragma once
// The link status indicator of the overview: port open or not and on which device, the newest
// transaction's outcome in words, the counts of good and failed transactions, and the reopening
// countdown after the device went away. Red while transactions fail; never a message box.

#include "link/instrument_link.h"

#include "core/status_lamp.h"

#include <QLabel>

using LinkHealth = LampHealth;

struct LinkIndicatorView {
    QString text;
    LinkHealth health = LinkHealth::Closed;
};

LinkIndicatorView link_indicator_view(const LinkStatus& status);

class LinkStatusIndicator final : public QLabel {
    Q_OBJECT
public:
    explicit LinkStatusIndicator(QWidget* parent = nullptr);
    void display(const LinkStatus& status);
    LinkHealth health() const { return shown; }

private:
    LinkHealth shown = LinkHealth::Closed;
};
