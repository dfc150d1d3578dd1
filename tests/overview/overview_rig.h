#pragma once
// The overview as the tests drive it: the real form, offscreen, on its own instrument object, the
// recording link and a poll timer that only remembers what it was told; beside it the logger's
// state and the value axis the curve screens share.

#include "charts/value_axis.h"
#include "link/instrument.h"
#include "link/poll_control.h"
#include "link/port_table.h"
#include "overview/overview_form.h"
#include "records/logger_state.h"
#include "support/recording_link.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>

struct FakePoll final : PollTimerControl {
    bool enabled = false;
    QList<bool> calls;
    std::function<void(bool)> onSet; // sees the form as it is at the moment of the call
    void setPollEnabled(bool on) override {
        calls << on;
        if (onSet)
            onSet(on);
        enabled = on;
    }
    bool pollEnabled() const override { return enabled; }
};

struct OverviewRig {
    Instrument instrument;
    LoggerState logging;
    ValueAxis axis{.YSpan = 1500}; // as the start-up form sets it
    RecordingLink link;
    FakePoll poll;
    OverviewForm form{instrument, link, poll,
                      PortTable({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS0")})};

    QStringList questions; // what the overview asked before a disruptive command
    bool answer = true;    // and what the operator answers

    OverviewRig() {
        form.setAsking([this](QWidget*, const QString& q, std::function<void(bool)> said) {
            questions << q;
            said(answer);
        });
    }

    RegisterImage& image() { return instrument.image(); }
    LinkTarget& target() { return instrument.target(); }

    // Shown and active, so that clicks and key presses move the focus as for an operator.
    bool showActive() {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form, 2000);
    }

    template <class W> W* get(const QString& name) {
        W* w = form.findChild<W*>(name);
        if (!w)
            qFatal("the overview has no control %s", qPrintable(name));
        return w;
    }
};

inline QColor background(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

inline QColor base_colour(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}
