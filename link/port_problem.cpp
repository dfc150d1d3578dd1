#include "port_problem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool process_alive(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString program_name(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

// UUCP-style lock files, where Qt's serial port and terminal programs (minicom, cu) put them,
// named as Qt names them: the path without /dev/, slashes turned into underscores.
qint64 lock_holder(const QString& device) {
    static const char* const kLockDirs[] = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                            "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                            "/var/lock/lockdev", "/run/lock"};
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(u'/', u'_');
    for (const char* dir : kLockDirs) {
        QFile lock(QString::fromLatin1(dir) + QStringLiteral("/LCK..") + name);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        // The process id on the first line (UUCP style: padded text); Qt's lock files name the
        // program on the second, which tells a live holder from a reused process id.
        const QStringList lines = QString::fromLocal8Bit(lock.read(256)).split(u'\n');
        const qint64 pid = lines.value(0).simplified().section(u' ', 0, 0).toLongLong();
        const QString program = lines.value(1).trimmed();
        if (pid > 0 && pid != QCoreApplication::applicationPid() && process_alive(pid) &&
            (program.isEmpty() || program.startsWith(program_name(pid))))
            return pid;
    }
    return 0;
}

// A process other than this one with the device open (readable for the user's own processes).
qint64 descriptor_holder(const QString& canonical) {
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        bool number = false;
        const qint64 id = pid.toLongLong(&number);
        if (!number || id == self)
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot))
            if (QFile::symLinkTarget(fds.filePath(fd)) == canonical)
                return id;
    }
    return 0;
}

// Membership as the group database has it, which a new login picks up.
bool listed_in_group(const passwd& user, gid_t group) {
    int n = 64;
    std::vector<gid_t> groups(std::size_t(n), 0);
    if (::getgrouplist(user.pw_name, user.pw_gid, groups.data(), &n) < 0) {
        groups.resize(std::size_t(n));
        if (::getgrouplist(user.pw_name, user.pw_gid, groups.data(), &n) < 0)
            return false;
    }
    groups.resize(std::size_t(n));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Membership this process carries, fixed at login.
bool session_has_group(gid_t group) {
    if (::getegid() == group)
        return true;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(std::size_t(std::max(n, 0)), 0);
    if (n <= 0 || ::getgroups(n, groups.data()) < 0)
        return false;
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

} // namespace

PortProbe probe_port(const QString& path) {
    PortProbe p;
    const QByteArray native = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(native.constData(), &st) != 0)
        return p;
    p.exists = true;
    p.readWrite = ::access(native.constData(), R_OK | W_OK) == 0;
    if (const group* g = ::getgrgid(st.st_gid))
        p.group = QString::fromLocal8Bit(g->gr_name);
    p.groupReadWrite = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (const passwd* u = ::getpwuid(::getuid())) {
        p.user = QString::fromLocal8Bit(u->pw_name);
        p.userInGroup = listed_in_group(*u, st.st_gid);
    }
    p.sessionHasGroup = session_has_group(st.st_gid);
    if (!p.readWrite)
        return p;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    p.holderPid = lock_holder(path);
    if (p.holderPid == 0 && canonical != path)
        p.holderPid = lock_holder(canonical);
    if (p.holderPid == 0)
        p.holderPid = descriptor_holder(canonical);
    if (p.holderPid != 0)
        p.holderName = program_name(p.holderPid);
    return p;
}

PortProblem classify_open_failure(QSerialPort::SerialPortError error, const PortProbe& probe) {
    if (!probe.exists || error == QSerialPort::DeviceNotFoundError)
        return PortProblem::NotFound;
    if (probe.holderPid != 0)
        return PortProblem::Busy;
    // Qt gives a refused open (EACCES), an exclusive holder (EBUSY) and a lock file held
    // elsewhere the same error: the device's access for this process tells them apart.
    if (error == QSerialPort::PermissionError)
        return probe.readWrite ? PortProblem::Busy : PortProblem::NoPermission;
    return PortProblem::Other;
}

QString port_problem_text(PortProblem problem, const QString& device, const PortProbe& probe,
                          const QString& qtWords) {
    const QString user = probe.user.isEmpty() ? QStringLiteral("$USER") : probe.user;
    switch (problem) {
    case PortProblem::None:
        return {};
    case PortProblem::NotFound:
        return QCoreApplication::translate(
                   "PortProblem",
                   "%1 does not exist: check that the instrument's adapter is plugged in and "
                   "that this is its port")
            .arg(device);
    case PortProblem::NoPermission:
        if (!probe.groupReadWrite || probe.group.isEmpty() || probe.group == u"root")
            return QCoreApplication::translate(
                       "PortProblem",
                       "no permission to open %1, and no group may use it: have it given to the "
                       "dialout group (a udev rule), add user %2 to dialout, then log out and "
                       "log in again")
                .arg(device, user);
        if (probe.userInGroup && !probe.sessionHasGroup)
            return QCoreApplication::translate(
                       "PortProblem",
                       "no permission to open %1: user %2 is in the %3 group, but this login "
                       "is older than that; log out and log in again")
                .arg(device, user, probe.group);
        return QCoreApplication::translate(
                   "PortProblem",
                   "no permission to open %1: add user %2 to the %3 group (sudo adduser %2 "
                   "%3), then log out and log in again")
            .arg(device, user, probe.group);
    case PortProblem::Busy:
        if (probe.holderPid == 0)
            return QCoreApplication::translate("PortProblem",
                                               "%1 is in use by another program: close it there")
                .arg(device);
        return QCoreApplication::translate(
                   "PortProblem",
                   "%1 is in use by another program (%2, process %3): close it there")
            .arg(device, probe.holderName.isEmpty()
                             ? QCoreApplication::translate("PortProblem", "unknown")
                             : probe.holderName)
            .arg(probe.holderPid);
    case PortProblem::Other:
        break;
    }
    return QCoreApplication::translate("PortProblem", "cannot open %1: %2").arg(device, qtWords);
}
