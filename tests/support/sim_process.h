#pragma once
// Runs the simulated instrument as a child process on a pseudo terminal for end-to-end tests and
// benchmarks. Bounded: the child gets --max-seconds and is stopped by its PID when this object
// goes, whatever happened.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts mt3600-sim --pty <path> plus `args`; waits (bounded) until the pty link exists.
    bool start(const QStringList& args = {}, int maxSeconds = 120);
    void stop();

    QString ptyPath() const { return path; }
    QString writeLogPath() const; // --write-log target, when `withWriteLog` was asked for
    QString output();             // what the simulator printed so far
    static QString executable();  // MT3600_SIM or the path the build gave

private:
    QTemporaryDir dir;
    QProcess process;
    QString path;
    QString printed;
};
