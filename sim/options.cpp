#include "options.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace sim {

namespace {

struct OptionText {
    const char* name;
    const char* value; // nullptr: a flag
    const char* help;
};

constexpr OptionText kOptions[] = {
    {"pty", "PATH", "Create a pseudo terminal and link the console's end of it at PATH."},
    {"serial", "DEVICE", "Serve on a real serial port."},
    {"tcp", "[HOST:]PORT", "Also serve Modbus TCP (host 127.0.0.1 unless given)."},
    {"address", "N", "Instrument address 1..247 (default 1)."},
    {"baud", "RATE", "4800, 9600 or 19200 (default 9600)."},
    {"parity", "P", "none, odd or even (default none; not settable on a pty, ignored there)."},
    {"speed", "F", "Simulated time runs F times faster (default 1)."},
    {"seed", "N", "Seed of the sensor noise and of the fault choices (repeatable runs)."},
    {"pace", nullptr,
     "Answer no faster than the line would carry the bytes: 10 bits a byte at the baud rate; "
     "the answer starts 3.5 characters plus the turnaround after the request's last byte."},
    {"turnaround", "MS", "Turnaround with --pace, beyond the 3.5-character gap (default 2)."},
    {"write-log", "FILE", "Append one JSON line per write received to FILE."},
    {"no-answer", "RATE", "Share 0..1 of requests acted on but not answered (serial line only)."},
    {"bad-crc", "RATE", "Share 0..1 of answers sent with a wrong CRC (serial line only)."},
    {"delay", "MS", "Every answer leaves MS milliseconds later (serial line only)."},
    {"exception", "CODE[:FIRST-LAST]",
     "Answer requests touching numbers FIRST..LAST (one-based, any table; all if no range) with "
     "exception CODE. Repeatable."},
    {"max-seconds", "N", "Exit after N seconds."},
};

bool parse_number(const QString& text, double lo, double hi, double* out) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

bool parse_int(const QString& text, int lo, int hi, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

} // namespace

std::optional<ExceptionRule> parse_exception_rule(const QString& text) {
    ExceptionRule r;
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() > 2 || !parse_int(parts[0], 1, 255, &r.code))
        return std::nullopt;
    if (parts.size() == 2) {
        const QStringList range = parts[1].split(QLatin1Char('-'));
        if (range.size() > 2 || !parse_int(range[0], 1, 65536, &r.first))
            return std::nullopt;
        r.last = r.first;
        if (range.size() == 2 && !parse_int(range[1], r.first, 65536, &r.last))
            return std::nullopt;
    }
    return r;
}

int baud_code(int baud) {
    return baud == 4800 ? 0 : (baud == 19200 ? 2 : 1);
}

int parity_code(QSerialPort::Parity p) {
    return p == QSerialPort::OddParity ? 1 : (p == QSerialPort::EvenParity ? 2 : 0);
}

ParsedOptions parse_options(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The simulated MT3600 instrument: a Modbus RTU (and optionally TCP) server with a furnace "
        "behind its registers. Prints one line \"mt3600-sim: serving ...\" on stdout when "
        "ready; SIGTERM or SIGINT closes the ports, removes the --pty link and exits 0."));
    const QCommandLineOption help = parser.addHelpOption();
    for (const OptionText& s : kOptions) {
        QCommandLineOption o(QString::fromLatin1(s.name), QString::fromLatin1(s.help));
        if (s.value)
            o.setValueName(QString::fromLatin1(s.value));
        parser.addOption(o);
    }
    ParsedOptions result;
    auto fail = [&result](const QString& why) {
        result.text = why;
        return result;
    };
    if (!parser.parse(args))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.help = true;
        // Named as installed, whatever path started it (the man page is made from this).
        result.text = parser.helpText();
        result.text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                            QStringLiteral("Usage: mt3600-sim"));
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments()[0]));

    SimOptions o;
    auto value = [&parser](const char* name) { return parser.value(QString::fromLatin1(name)); };
    auto set = [&parser](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    o.ptyPath = value("pty");
    o.serialDevice = value("serial");
    if (set("tcp")) {
        const QString t = value("tcp");
        const int colon = t.lastIndexOf(QLatin1Char(':'));
        o.tcpHost = colon >= 0 ? t.left(colon) : QStringLiteral("127.0.0.1");
        if (o.tcpHost.isEmpty() || !parse_int(t.mid(colon + 1), 1, 65535, &o.tcpPort))
            return fail(QStringLiteral("--tcp wants [HOST:]PORT, PORT 1..65535: %1").arg(t));
    }
    if (o.ptyPath.isEmpty() && o.serialDevice.isEmpty() && o.tcpPort == 0)
        return fail(QStringLiteral("give --pty PATH, --serial DEVICE or --tcp [HOST:]PORT"));
    if (!o.ptyPath.isEmpty() && !o.serialDevice.isEmpty())
        return fail(QStringLiteral("--pty and --serial exclude each other"));
    if (set("address") && !parse_int(value("address"), 1, 247, &o.address))
        return fail(QStringLiteral("--address wants 1..247"));
    if (set("baud")) {
        const QString b = value("baud");
        if (b != QLatin1String("4800") && b != QLatin1String("9600") && b != QLatin1String("19200"))
            return fail(QStringLiteral("--baud wants 4800, 9600 or 19200"));
        o.baud = b.toInt();
    }
    if (set("parity")) {
        const QString p = value("parity");
        if (p == QLatin1String("none"))
            o.parity = QSerialPort::NoParity;
        else if (p == QLatin1String("odd"))
            o.parity = QSerialPort::OddParity;
        else if (p == QLatin1String("even"))
            o.parity = QSerialPort::EvenParity;
        else
            return fail(QStringLiteral("--parity wants none, odd or even"));
    }
    if (set("speed") && (!parse_number(value("speed"), 1e-3, 1e6, &o.speed)))
        return fail(QStringLiteral("--speed wants a factor from 0.001 to 1000000"));
    if (set("seed")) {
        bool ok = false;
        const qulonglong s = value("seed").toULongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed wants a whole number"));
        o.seed = s;
    }
    o.pace = set("pace");
    if (set("turnaround") && !parse_number(value("turnaround"), 0, 10000, &o.turnaroundMs))
        return fail(QStringLiteral("--turnaround wants milliseconds 0..10000"));
    o.writeLog = value("write-log");
    if (set("max-seconds") && !parse_number(value("max-seconds"), 1e-3, 1e9, &o.maxSeconds))
        return fail(QStringLiteral("--max-seconds wants a positive number"));
    if (set("no-answer") && !parse_number(value("no-answer"), 0, 1, &o.faults.noAnswer))
        return fail(QStringLiteral("--no-answer wants a rate from 0 to 1"));
    if (set("bad-crc") && !parse_number(value("bad-crc"), 0, 1, &o.faults.badCrc))
        return fail(QStringLiteral("--bad-crc wants a rate from 0 to 1"));
    if (set("delay") && !parse_int(value("delay"), 0, 600000, &o.faults.delayMs))
        return fail(QStringLiteral("--delay wants milliseconds 0..600000"));
    for (const QString& e : parser.values(QStringLiteral("exception"))) {
        const auto rule = parse_exception_rule(e);
        if (!rule)
            return fail(QStringLiteral("--exception wants CODE[:FIRST-LAST]: %1").arg(e));
        o.faults.exceptions.push_back(*rule);
    }
    result.options = o;
    return result;
}

} // namespace sim
