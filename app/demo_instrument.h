#pragma once
// --demo: the simulated instrument started as a child process on a pseudo terminal, so the console
// has a live instrument without hardware. Asynchronous: ready() once the pty link exists.

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

class DemoInstrument final : public QObject {
    Q_OBJECT
public:
    explicit DemoInstrument(QObject* parent = nullptr);
    ~DemoInstrument() override;

    void start(const QStringList& extraArgs = {});
    QString ptyPath() const { return path; }
    static QString simulatorExecutable();

signals:
    void ready(const QString& ptyPath);
    void failed(const QString& reason);

private:
    void checkReady();

    QTemporaryDir dir;
    QProcess process;
    QTimer readyCheck;
    QString path;
    int checksLeft = 0;
};
