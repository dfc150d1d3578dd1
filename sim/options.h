#pragma once
// The simulator's command line.

#include "fault_plan.h"

#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace sim {

struct SimOptions {
    QString ptyPath;      // --pty PATH
    QString serialDevice; // --serial DEVICE
    QString tcpHost;      // --tcp [HOST:]PORT
    int tcpPort = 0;      // 0: no TCP server
    int address = 1;
    int baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    double speed = 1.0;
    std::optional<std::uint64_t> seed;
    bool pace = false;
    double turnaroundMs = 2.0;
    QString writeLog;
    double maxSeconds = 0.0; // 0: no limit
    FaultSettings faults;
};

struct ParsedOptions {
    std::optional<SimOptions> options; // empty: see help or error
    bool help = false;
    QString text; // help text, or the error
};

// args as QCoreApplication::arguments() gives them (program name first).
ParsedOptions parse_options(const QStringList& args);

std::optional<ExceptionRule> parse_exception_rule(const QString& text);

int baud_code(int baud);                // 0, 1, 2 for 4800, 9600, 19200
int parity_code(QSerialPort::Parity p); // 0 none, 1 odd, 2 even

} // namespace sim
