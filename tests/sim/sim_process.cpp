#include "sim_process.h"

#include <QDeadlineTimer>

#include <csignal>

SimProcess::~SimProcess() {
    if (process.state() != QProcess::NotRunning) {
        ::kill(pid_t(process.processId()), SIGTERM);
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(1000);
        }
    }
}

bool SimProcess::start(const QStringList& args) {
    pty = dir.filePath(QStringLiteral("sim.pty"));
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(MT3600_SIM_PATH),
                  QStringList{QStringLiteral("--pty"), pty, QStringLiteral("--max-seconds"),
                              QStringLiteral("60")} +
                      args);
    if (!process.waitForStarted(5000)) {
        why = process.errorString();
        return false;
    }
    QByteArray out;
    const QDeadlineTimer deadline(10000);
    while (!out.contains('\n') && !deadline.hasExpired()) {
        if (!process.waitForReadyRead(int(deadline.remainingTime())))
            break;
        out += process.readAllStandardOutput();
    }
    ready = QString::fromLocal8Bit(out).trimmed();
    if (!ready.startsWith(QLatin1String("mt3600-sim: serving"))) {
        why = QStringLiteral("no ready line; stdout '%1', stderr '%2'")
                  .arg(ready, QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    return true;
}

bool SimProcess::terminate() {
    ::kill(pid_t(process.processId()), SIGTERM);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
