#pragma once
// The console's own command-line options; the operator's screens stay as they are.

#include "journal/journal_entry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct ConsoleOptions {
    QString dbPath;       // --db: the record database ("" = the default path)
    QString connectPort;  // --connect: a number, a device path or host:port
    int baudCode = 1;     // --baud 4800|9600|19200 -> 0|1|2
    int parityCode = 0;   // --parity none|odd|even -> 0|1|2
    int address = 1;      // --address N
    bool demo = false;    // --demo: start the simulated instrument on a pty and connect to it
    double demoSpeed = 1; // --demo-speed F: the simulated instrument's time runs F times faster
    QString screenshot;   // --screenshot FILE: save the overview as PNG after a few seconds, quit
    int screenshotDelayS = 6;
    int maxSeconds = 0; // --max-seconds N: quit after N seconds (bounded runs)
    QString language = QStringLiteral("zh_CN"); // --lang zh_CN|en: the console's own texts
    QString screen; // --screen NAME: opened from the overview at start (alarms, config, ...)
    // --export-csv FILE: records out to CSV without a window, then exit.
    QString exportCsv;
    bool longRecord = false;       // --record long (default short)
    std::optional<QDateTime> from; // --from TIME
    std::optional<QDateTime> to;   // --to TIME
    // --export-events FILE: the event journal out to CSV without a window, then exit; with --from,
    // --to (to the end of what they name) and --category.
    QString exportEvents;
    QList<EventCategory> categories; // --category alarm,write,...; empty: all
    // --backup / --compare / --restore FILE: an instrument file against the instrument named by
    // --connect, without a window, then exit.
    QString backup;
    QString compare;
    QString restore;
    QString against;           // --against FILE: --compare two files, no instrument
    bool includeComms = false; // --include-comms: --restore writes address, baud rate, parity too
    // --run-report FILE.pdf|FILE.csv: a program run's report without a window, then exit; --run N
    // names the run (default: the newest run that ended).
    QString runReport;
    std::optional<qint64> run;
    // --verify-journal: check the event journal's hash chain, print the first break, then exit.
    bool verifyJournal = false;
    // --historian CONNINFO: forward the record file to the central database (checked: no
    // password in it); empty: the remembered setting, if any.
    QString historian;
    QString consoleName; // --console-name NAME; empty: host name and instrument address
    // --forward: forward what the record file holds to --historian, without a window, then exit.
    bool forward = false;
};

// Parses the arguments; on an error or --help the text to print is returned in `message` and the
// result is empty (exitCode tells how to leave).
std::optional<ConsoleOptions> parse_console_options(const QStringList& arguments, QString& message,
                                                    int& exitCode);

// A time as the command line takes it: "2024-03-05", "2024-03-05T12:30", "2024-03-05 12:30:15".
// A date alone is the start of that day, or its last second when `endOfDay`.
std::optional<QDateTime> parse_option_time(const QString& text, bool endOfDay);

// "alarm,write": the categories named, or empty with the reason in `why`.
std::optional<QList<EventCategory>> parse_category_list(const QString& text, QString& why);

// The languages of the console's own texts: "zh_CN" (the translation shipped) and "en" (the texts
// as written in the code).
bool is_console_language(const QString& language);

// The language --lang names among `arguments` (the default when none), read before the options
// are parsed, so that the parser's own messages are in that language.
QString language_asked(const QStringList& arguments);
