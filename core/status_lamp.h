#pragma once
// The status indicators of the overview (link, record file) share one lamp: a sunken panel with a
// line of text that is grey while closed, green while things work, amber while they lag behind
// and red while they fail. The line is cut to the lamp's width; the tooltip has all of it.

#include "core/elided_label.h"

enum class LampHealth { Closed, Good, Lagging, Failing };

struct LampView {
    QString text;
    LampHealth health = LampHealth::Closed;
};

class StatusLamp : public ElidedLabel {
    Q_OBJECT
public:
    explicit StatusLamp(const QString& name, QWidget* parent = nullptr);

    // The text shown; the tooltip is the text plus `detail` on a line of its own, if any.
    void showView(const LampView& view, const QString& detail = QString());
    LampHealth health() const { return shown; }

private:
    LampHealth shown = LampHealth::Closed;
};
