#include "demo_instrument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

DemoInstrument::DemoInstrument(QObject* parent) : QObject(parent) {
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    readyCheck.setInterval(50);
    connect(&readyCheck, &QTimer::timeout, this, &DemoInstrument::checkReady);
    connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError) {
        if (readyCheck.isActive()) {
            readyCheck.stop();
            emit failed(process.errorString());
        }
    });
}

DemoInstrument::~DemoInstrument() {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate(); // the simulator closes its ports and removes its link on SIGTERM
    if (!process.waitForFinished(1500))
        process.kill();
    process.waitForFinished(500);
}

QString DemoInstrument::simulatorExecutable() {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {here + QStringLiteral("/mt3600-sim"), here + QStringLiteral("/../sim/mt3600-sim")}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("mt3600-sim"));
}

void DemoInstrument::start(const QStringList& extraArgs) {
    const QString exe = simulatorExecutable();
    if (exe.isEmpty() || !dir.isValid()) {
        emit failed(QStringLiteral("mt3600-sim not found"));
        return;
    }
    path = dir.filePath(QStringLiteral("mt3600-demo.pty"));
    QStringList args{QStringLiteral("--pty"), path};
    args += extraArgs;
    process.start(exe, args);
    checksLeft = 200; // 10 s
    readyCheck.start();
}

void DemoInstrument::checkReady() {
    if (QFileInfo::exists(path)) {
        readyCheck.stop();
        emit ready(path);
        return;
    }
    if (--checksLeft <= 0 || process.state() == QProcess::NotRunning) {
        readyCheck.stop();
        emit failed(QStringLiteral("mt3600-sim did not start"));
    }
}
