#pragma once
// The simulated instrument started as a child process on a pseudo terminal of its own, so the
// console has a live instrument without hardware (--demo); the tests and benchmarks start it the
// same way. Asynchronous: ready() once the simulator has printed its "serving" line (its pty link
// exists then), failed() with the reason when it cannot start, ends first or stays silent too
// long. The child is stopped with SIGTERM (it closes its ports and removes its link) when this
// object goes.

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

class DemoInstrument final : public QObject {
    Q_OBJECT
public:
    static constexpr int kReadyTimeoutMs = 10000;

    // executable empty: the simulator beside the console, in the build tree, or on the PATH.
    explicit DemoInstrument(const QString& executable = QString(), QObject* parent = nullptr);
    ~DemoInstrument() override;

    // Starts it with --pty in a fresh folder, plus `extraArgs`.
    void start(const QStringList& extraArgs = {});

    bool isReady() const { return readied; }
    QString ptyPath() const { return path; }
    QString readyLine() const { return line; }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    QProcess& process() { return child; }
    static QString simulatorExecutable();

signals:
    void ready(const QString& ptyPath);
    void failed(const QString& reason);

private:
    void readOutput();
    void fail(const QString& reason);

    QString exe;
    QTemporaryDir dir;
    QProcess child;
    QTimer readyTimer;
    QString path;
    QByteArray pending; // stdout before the ready line
    QString line;
    bool readied = false;
    bool failedOnce = false;
};
