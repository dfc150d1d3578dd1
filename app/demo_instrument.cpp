#include "demo_instrument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QByteArray kReadyPrefix = QByteArrayLiteral("mt3600-sim: serving");
}

DemoInstrument::DemoInstrument(const QString& executable, QObject* parent)
    : QObject(parent), exe(executable) {
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    readyTimer.setSingleShot(true);
    connect(&readyTimer, &QTimer::timeout, this, [this] {
        fail(tr("mt3600-sim did not report ready within %1 s").arg(kReadyTimeoutMs / 1000));
    });
    connect(&child, &QProcess::readyReadStandardOutput, this, &DemoInstrument::readOutput);
    connect(&child, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            fail(tr("mt3600-sim could not be started: %1").arg(child.errorString()));
    });
    connect(&child, &QProcess::finished, this, [this](int code, QProcess::ExitStatus) {
        fail(tr("mt3600-sim ended (exit code %1) before it was ready").arg(code));
    });
}

DemoInstrument::~DemoInstrument() {
    if (child.state() == QProcess::NotRunning)
        return;
    child.blockSignals(true);
    child.terminate();
    if (!child.waitForFinished(3000)) {
        child.kill();
        child.waitForFinished(1000);
    }
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
    const QString program = exe.isEmpty() ? simulatorExecutable() : exe;
    if (program.isEmpty()) {
        fail(tr("mt3600-sim not found"));
        return;
    }
    if (!dir.isValid()) {
        fail(tr("no temporary folder for the simulated instrument: %1").arg(dir.errorString()));
        return;
    }
    path = dir.filePath(QStringLiteral("mt3600-demo.pty"));
    readyTimer.start(kReadyTimeoutMs);
    child.start(program, QStringList{QStringLiteral("--pty"), path} + extraArgs);
}

// The simulator prints one line once it serves; anything after it is read and dropped, so a full
// pipe can never stall the child.
void DemoInstrument::readOutput() {
    const QByteArray got = child.readAllStandardOutput();
    if (readied || failedOnce)
        return;
    pending += got;
    const qsizetype end = pending.indexOf('\n');
    if (end < 0)
        return;
    line = QString::fromLocal8Bit(pending.left(end)).trimmed();
    pending.clear();
    if (!line.toLocal8Bit().startsWith(kReadyPrefix)) {
        fail(tr("mt3600-sim said: %1").arg(line));
        return;
    }
    readyTimer.stop();
    readied = true;
    emit ready(path);
}

void DemoInstrument::fail(const QString& reason) {
    if (readied || failedOnce)
        return;
    failedOnce = true;
    readyTimer.stop();
    emit failed(reason);
}
