#include "sim_process.h"

#include <QEventLoop>

#include <csignal>

SimProcess::SimProcess() : demo(QStringLiteral(MT3600_SIM_PATH)) {}

bool SimProcess::start(const QStringList& args, int maxSeconds) {
    QEventLoop wait;
    bool ok = false;
    QObject::connect(&demo, &DemoInstrument::ready, &wait, [&] {
        ok = true;
        wait.quit();
    });
    QObject::connect(&demo, &DemoInstrument::failed, &wait, [&](const QString& reason) {
        why = reason;
        wait.quit();
    });
    demo.start(QStringList{QStringLiteral("--max-seconds"), QString::number(maxSeconds)} + args);
    // The demo launch has its own time out, so this wait always ends.
    if (!demo.isReady() && why.isEmpty())
        wait.exec();
    return ok || demo.isReady();
}

bool SimProcess::terminate() {
    QProcess& p = demo.process();
    if (p.state() == QProcess::NotRunning)
        return false;
    ::kill(pid_t(p.processId()), SIGTERM);
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
