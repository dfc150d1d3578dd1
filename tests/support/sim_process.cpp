#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#ifndef MT3600_SIM_PATH
#define MT3600_SIM_PATH ""
#endif

SimProcess::SimProcess() {
    process.setProcessChannelMode(QProcess::MergedChannels);
}

SimProcess::~SimProcess() {
    stop();
}

QString SimProcess::executable() {
    const QString env = qEnvironmentVariable("MT3600_SIM");
    return env.isEmpty() ? QStringLiteral(MT3600_SIM_PATH) : env;
}

bool SimProcess::start(const QStringList& args, int maxSeconds) {
    path = dir.filePath(QStringLiteral("instrument.pty"));
    QStringList all{QStringLiteral("--pty"), path, QStringLiteral("--max-seconds"),
                    QString::number(maxSeconds)};
    all += args;
    process.start(executable(), all);
    if (!process.waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(path))
            return true;
        if (process.state() != QProcess::Running)
            return false;
        QThread::msleep(20); // test harness only: the console never waits like this
    }
    return false;
}

void SimProcess::stop() {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate(); // SIGTERM: the simulator closes its ports and removes the link
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

QString SimProcess::writeLogPath() const {
    return dir.filePath(QStringLiteral("writes.jsonl"));
}

QString SimProcess::output() {
    printed += QString::fromLocal8Bit(process.readAll());
    return printed;
}
