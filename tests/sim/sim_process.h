#pragma once
// mt3600-sim started as a child process on a pseudo terminal of its own, bounded by
// --max-seconds and stopped by its PID when the test is done.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
public:
    ~SimProcess();

    // Starts the simulator with --pty in a fresh folder plus `args`; waits (bounded) for its
    // ready line. False, with the reason in error(), if it did not come up.
    bool start(const QStringList& args);
    // SIGTERM, then waits (bounded) for the exit; true when it exited normally with 0.
    bool terminate();

    QString ptyPath() const { return pty; }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    QString readyLine() const { return ready; }
    QString error() const { return why; }
    qint64 pid() const { return process.processId(); }
    QProcess& qprocess() { return process; }

private:
    QTemporaryDir dir;
    QProcess process;
    QString pty;
    QString ready;
    QString why;
};
