#pragma once
// SIGTERM and SIGINT turned into a Qt signal (through a self-pipe), so the program leaves its
// event loop and closes its ports instead of dying with them open.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace sim {

class StopSignals final : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void stopRequested(int signal);

private:
    std::unique_ptr<QSocketNotifier> notifier;
};

} // namespace sim
