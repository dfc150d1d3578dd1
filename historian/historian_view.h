#pragma once
// The historian's state in the operator's words, for the record-file indicator: "connected",
// "catching up N rows", "behind by T", "failing: reason"; amber when more than a minute behind,
// red while failing.

#include "core/status_lamp.h"
#include "historian/forwarder.h"

#include <QCoreApplication>

struct HistorianView {
    Q_DECLARE_TR_FUNCTIONS(HistorianView)
public:
    static constexpr qint64 kLateMs = 60000;
    static LampView of(const HistorianState& state);
    static QString duration(qint64 ms); // "45 s", "12 min", "3 h 20 min", "2 d 4 h"
};
