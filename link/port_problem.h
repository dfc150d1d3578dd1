#pragma once
// Why a serial device did not open, in words with the fix: a device that is not there, one the
// user may not open (the group to join), one another program holds (which one, when it can be
// told). Qt reports permission and "busy" alike as a permission error, so the device is looked at
// apart from Qt: whether it exists, what this process may do with it, and who holds it.

#include "instrument_link.h"

#include <QSerialPort>
#include <QString>

// What is known about a device path, looked up without opening it.
struct PortProbe {
    bool exists = false;
    bool readWrite = false;       // this process may read and write it
    QString group;                // the device's group
    bool groupReadWrite = false;  // that group may read and write it
    QString user;                 // the user running the console
    bool userInGroup = false;     // the group database lists the user in that group
    bool sessionHasGroup = false; // this process carries the group (joining takes a new login)
    qint64 holderPid = 0;         // another process holding it (lock file or open descriptor)
    QString holderName;
};

// Looks at `path`: existence, access and group; who holds it only when access is granted.
PortProbe probe_port(const QString& path);

// The kind of failure, from Qt's error of the failed open and the probe.
PortProblem classify_open_failure(QSerialPort::SerialPortError error, const PortProbe& probe);

// The failure in words, with what to do about it; `qtWords` is Qt's text, said when nothing
// better is known.
QString port_problem_text(PortProblem problem, const QString& device, const PortProbe& probe,
                          const QString& qtWords);
