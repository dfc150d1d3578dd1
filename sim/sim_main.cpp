// mt3600-sim: the simulated instrument. See --help.

#include "instrument.h"
#include "options.h"
#include "pty_relay.h"
#include "request_filter.h"
#include "sim_servers.h"
#include "stop_signals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QVariant>

#include <cstdio>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

constexpr double kModelStep = 0.1; // simulated seconds per model step
constexpr int kTickMs = 50;

void say(FILE* to, const QString& line) {
    std::fprintf(to, "mt3600-sim: %s\n", line.toLocal8Bit().constData());
    std::fflush(to);
}

// Replaces a link of ours (or nothing) at path; never a file that is not a symbolic link.
bool link_at(const QString& path, const QString& target, QString* error) {
    const QFileInfo existing(path);
    if (existing.isSymLink())
        ::unlink(path.toLocal8Bit().constData());
    else if (existing.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(path);
        return false;
    }
    if (::symlink(target.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        *error = QStringLiteral("cannot link %1: %2").arg(path, qt_error_string(errno));
        return false;
    }
    return true;
}

class Simulator {
public:
    Simulator(const sim::SimOptions& o, std::uint64_t seed)
        : opts(o), inst(seed), faults(o.faults, seed ^ 0x9e3779b97f4a7c15ULL),
          filter(inst, faults, nullptr) {}

    bool start(QString* error) {
        if (!opts.writeLog.isEmpty()) {
            if (!log.open(opts.writeLog, error))
                return false;
            filter.setLog(&log);
        }
        inst.set_line_settings(sim::baud_code(opts.baud), sim::parity_code(opts.parity),
                               opts.address);
        inst.onAddressChanged = [this](int a) {
            if (rtu)
                rtu->setServerAddress(a);
            if (tcp)
                tcp->setServerAddress(a);
        };
        if ((!opts.ptyPath.isEmpty() || !opts.serialDevice.isEmpty()) && !startLine(error))
            return false;
        if (opts.tcpPort && !startTcp(error))
            return false;
        clock.start();
        QObject::connect(&ticker, &QTimer::timeout, [this] { tick(); });
        ticker.start(kTickMs);
        return true;
    }

    QString readyLine() const {
        QStringList where;
        const QString line = opts.ptyPath.isEmpty() ? opts.serialDevice : opts.ptyPath;
        if (!line.isEmpty())
            where << QStringLiteral("at %1 baud on %2").arg(opts.baud).arg(line);
        if (opts.tcpPort)
            where << QStringLiteral("on tcp %1:%2").arg(opts.tcpHost).arg(opts.tcpPort);
        return QStringLiteral("serving address %1 %2").arg(opts.address).arg(where.join(", "));
    }

    void stop() {
        ticker.stop();
        if (rtu)
            rtu->disconnectDevice();
        if (tcp)
            tcp->disconnectDevice();
        if (!opts.ptyPath.isEmpty() && QFileInfo(opts.ptyPath).isSymLink())
            ::unlink(opts.ptyPath.toLocal8Bit().constData());
    }

private:
    bool startLine(QString* error) {
        inner = sim::PtyPair::open(error);
        if (!inner)
            return false;
        rtu = std::make_unique<sim::RtuServer>(inst, filter);
        rtu->setConnectionParameter(QModbusDevice::SerialPortNameParameter, inner->slavePath());
        rtu->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, opts.baud);
        rtu->setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
        rtu->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
        rtu->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
        rtu->setServerAddress(opts.address);
        if (!rtu->connectDevice()) {
            *error = QStringLiteral("server: %1").arg(rtu->errorString());
            return false;
        }
        serverEnd = std::make_unique<sim::PtyEnd>(inner->master());
        if (!opts.ptyPath.isEmpty()) {
            outer = sim::PtyPair::open(error);
            if (!outer)
                return false;
            consoleEnd = std::make_unique<sim::PtyEnd>(outer->master());
        } else {
            auto port = std::make_unique<sim::SerialEnd>();
            if (!port->open(opts.serialDevice, opts.baud, opts.parity, error))
                return false;
            consoleEnd = std::move(port);
        }
        const sim::PacedLine paced(opts.pace, opts.baud, opts.turnaroundMs / 1000.0);
        relay =
            std::make_unique<sim::Relay>(consoleEnd.get(), serverEnd.get(), paced, faults, [this] {
                return faults.delayMs() + std::clamp(inst.holding(4160), 0, 60);
            });
        if (opts.pace)
            say(stderr, QStringLiteral("paced: 10 bits a byte at %1 baud; answers start %2 ms "
                                       "after the request's last byte (3.5 characters + %3 ms)")
                            .arg(opts.baud)
                            .arg(paced.replyDelay() * 1000.0, 0, 'f', 2)
                            .arg(opts.turnaroundMs));
        // The link appears last: whoever waits for it finds the instrument ready.
        return opts.ptyPath.isEmpty() || link_at(opts.ptyPath, outer->slavePath(), error);
    }

    bool startTcp(QString* error) {
        tcp = std::make_unique<sim::TcpServer>(inst, filter);
        tcp->setConnectionParameter(QModbusDevice::NetworkAddressParameter, opts.tcpHost);
        tcp->setConnectionParameter(QModbusDevice::NetworkPortParameter, opts.tcpPort);
        tcp->setServerAddress(opts.address);
        if (!tcp->connectDevice()) {
            *error = QStringLiteral("tcp: %1").arg(tcp->errorString());
            return false;
        }
        return true;
    }

    void tick() {
        // Fixed model steps, so a seed gives the same course whatever the timer jitter.
        simDue += clock.restart() / 1000.0 * opts.speed;
        for (int guard = 0; simDue >= kModelStep && guard < 200000; ++guard) {
            inst.advance(kModelStep);
            simDue -= kModelStep;
        }
    }

    sim::SimOptions opts;
    sim::Instrument inst;
    sim::FaultPlan faults;
    sim::WriteLog log;
    sim::RequestFilter filter;
    std::unique_ptr<sim::PtyPair> inner;
    std::unique_ptr<sim::PtyPair> outer;
    std::unique_ptr<sim::RtuServer> rtu;
    std::unique_ptr<sim::TcpServer> tcp;
    std::unique_ptr<sim::LineEnd> serverEnd;
    std::unique_ptr<sim::LineEnd> consoleEnd;
    std::unique_ptr<sim::Relay> relay;
    QTimer ticker;
    QElapsedTimer clock;
    double simDue = 0.0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const sim::ParsedOptions parsed = sim::parse_options(app.arguments());
    if (parsed.help) {
        std::fputs(parsed.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.options) {
        say(stderr, parsed.text);
        return 2;
    }
    const sim::SimOptions& o = *parsed.options;
    const std::uint64_t seed = o.seed ? *o.seed : std::random_device{}();
    if (!o.seed)
        say(stderr, QStringLiteral("seed %1").arg(seed));
    if (!o.ptyPath.isEmpty() && o.parity != QSerialPort::NoParity)
        say(stderr, QStringLiteral("parity cannot be set on a pseudo terminal; ignored"));
    const bool wireFaults = o.faults.noAnswer > 0 || o.faults.badCrc > 0 || o.faults.delayMs > 0;
    if (o.ptyPath.isEmpty() && o.serialDevice.isEmpty() && (wireFaults || o.pace))
        say(stderr, QStringLiteral("--no-answer, --bad-crc, --delay and --pace act on the serial "
                                   "line only; ignored for tcp"));

    sim::StopSignals stopSignals;
    Simulator simulator(o, seed);
    QString error;
    if (!simulator.start(&error)) {
        simulator.stop();
        say(stderr, error);
        return 1;
    }
    QObject::connect(&stopSignals, &sim::StopSignals::stopRequested, &app, &QCoreApplication::quit);
    if (o.maxSeconds > 0)
        QTimer::singleShot(qint64(o.maxSeconds * 1000), &app, &QCoreApplication::quit);
    say(stdout, simulator.readyLine());
    app.exec();
    simulator.stop();
    return 0;
}
