#pragma once
// The simulated instrument as a child process for end-to-end tests and benchmarks: the console's
// own demo launch (the same ready line, the same time outs), waited for here. Bounded: the child
// gets --max-seconds and is stopped by its PID when this object goes, whatever happened.

#include "app/demo_instrument.h"

#include <QString>
#include <QStringList>

class SimProcess {
public:
    SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts mt3600-sim --pty <path> --max-seconds N plus `args` and waits until it is ready or
    // failed; false with the reason in error().
    bool start(const QStringList& args = {}, int maxSeconds = 120);
    // SIGTERM, then waits (bounded) for the exit; true when it exited normally with 0.
    bool terminate();

    QString ptyPath() const { return demo.ptyPath(); }
    QString readyLine() const { return demo.readyLine(); }
    QString filePath(const QString& name) const { return demo.filePath(name); }
    QString writeLogPath() const { return filePath(QStringLiteral("writes.jsonl")); }
    QString error() const { return why; }
    qint64 pid() { return demo.process().processId(); }
    QProcess& qprocess() { return demo.process(); }

private:
    DemoInstrument demo;
    QString why;
};
