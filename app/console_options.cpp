#include "console_options.h"

#include "historian/historian_conninfo.h"
#include "journal/journal_time.h"
#include "link/line_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {
// The command line's messages, in the interface language when its translation is installed.
struct OptionText {
    Q_DECLARE_TR_FUNCTIONS(ConsoleOptions)
};

const QStringList kStartScreens{
    QStringLiteral("program"), QStringLiteral("alarms"),      QStringLiteral("config"),
    QStringLiteral("pid"),     QStringLiteral("grouped-pid"), QStringLiteral("history"),
    QStringLiteral("files"),   QStringLiteral("journal"),     QStringLiteral("runs")};

QStringList category_keys() {
    QStringList keys;
    for (EventCategory c : kEventCategories)
        keys << category_key(c);
    return keys;
}

// One line: what was wrong and where to look, never the whole help.
QString parse_error(const QCommandLineParser& p) {
    QStringList unknown;
    for (const QString& name : p.unknownOptionNames())
        unknown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString qtSays = p.errorText(); // "Missing value after '--db'."
    if (qtSays.endsWith(u'.'))
        qtSays.chop(1);
    const QString what =
        unknown.isEmpty() ? qtSays : OptionText::tr("unknown option %1").arg(unknown.join(u", "));
    return OptionText::tr("mt3600-console: %1; see mt3600-console --help").arg(what);
}

int code_of(const QString& value, const QStringList& names) {
    return static_cast<int>(names.indexOf(value.trimmed().toLower()));
}
} // namespace

std::optional<ConsoleOptions> parse_console_options(const QStringList& arguments, QString& message,
                                                    int& exitCode) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Operator console for the MT3600 PID temperature and process controller."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Record database file."),
                                QStringLiteral("PATH"));
    const QCommandLineOption connect(
        QStringLiteral("connect"),
        QStringLiteral("Fill the link settings and press \"打开\" at start: a port number, a "
                       "device path or host:port."),
        QStringLiteral("PORT"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("4800, 9600 or 19200."),
                                  QStringLiteral("BAUD"), QStringLiteral("9600"));
    const QCommandLineOption parity(QStringLiteral("parity"), QStringLiteral("none, odd or even."),
                                    QStringLiteral("PARITY"), QStringLiteral("none"));
    const QCommandLineOption address(QStringLiteral("address"),
                                     QStringLiteral("Instrument address, 1 to 16."),
                                     QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start mt3600-sim on a pseudo terminal and connect to it."));
    const QCommandLineOption demoSpeed(
        QStringLiteral("demo-speed"),
        QStringLiteral("With --demo: the simulated instrument's time runs F times faster."),
        QStringLiteral("F"), QStringLiteral("1"));
    const QCommandLineOption shot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the overview as a PNG after a few seconds, then quit."),
        QStringLiteral("FILE"));
    const QCommandLineOption shotDelay(QStringLiteral("screenshot-delay"),
                                       QStringLiteral("Seconds before the screenshot (default 6)."),
                                       QStringLiteral("S"), QStringLiteral("6"));
    const QCommandLineOption maxSeconds(QStringLiteral("max-seconds"),
                                        QStringLiteral("Quit after N seconds."),
                                        QStringLiteral("N"));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Language of the console's own texts (status lines, tooltips, messages): "
                       "zh_CN (default) or en. The instrument's captions stay as they are."),
        QStringLiteral("LANG"), QStringLiteral("zh_CN"));
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("Open a screen from the overview at start, as its button does: program, "
                       "alarms, config, pid, grouped-pid, history, files, journal or runs (with "
                       "--screenshot: that screen)."),
        QStringLiteral("NAME"));
    const QCommandLineOption exportCsv(
        QStringLiteral("export-csv"),
        QStringLiteral("Write the records to a CSV file (UTF-8, spreadsheet-ready) and exit; no "
                       "window. With --record, --from, --to and --db."),
        QStringLiteral("FILE"));
    const QCommandLineOption exportEvents(
        QStringLiteral("export-events"),
        QStringLiteral("Write the event journal to a CSV file (UTF-8, spreadsheet-ready), oldest "
                       "first, and exit; no window. With --from, --to, --category and --db."),
        QStringLiteral("FILE"));
    const QCommandLineOption category(
        QStringLiteral("category"),
        QStringLiteral("For --export-events: only these categories, comma-separated: ") +
            category_keys().join(QStringLiteral(", ")) + u'.',
        QStringLiteral("LIST"));
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("short (one a second, default) or long (one "
                                                   "every ten seconds), for --export-csv."),
                                    QStringLiteral("RECORD"), QStringLiteral("short"));
    const QCommandLineOption from(
        QStringLiteral("from"),
        QStringLiteral("First time exported, local: 2024-03-05 or 2024-03-05T12:30[:15] (events: "
                       "also .250)."),
        QStringLiteral("TIME"));
    const QCommandLineOption to(
        QStringLiteral("to"),
        QStringLiteral("Last time exported (a date alone: to its end; events: "
                       "to the end of the minute or second named)."),
        QStringLiteral("TIME"));
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        QStringLiteral("Read the instrument's whole setup (configuration, alarms, PID, grouped "
                       "PID, the nine programs) into an instrument file, with --connect; no "
                       "window."),
        QStringLiteral("FILE"));
    const QCommandLineOption compare(
        QStringLiteral("compare"),
        QStringLiteral("Compare an instrument file with the instrument (--connect); exit 1 when "
                       "they differ."),
        QStringLiteral("FILE"));
    const QCommandLineOption restore(
        QStringLiteral("restore"),
        QStringLiteral("Write what differs from an instrument file into the instrument "
                       "(--connect), each write read back; exit 1 when any was not taken."),
        QStringLiteral("FILE"));
    const QCommandLineOption against(
        QStringLiteral("against"),
        QStringLiteral("With --compare: compare with this second instrument file instead of the "
                       "instrument (no --connect)."),
        QStringLiteral("FILE"));
    const QCommandLineOption includeComms(
        QStringLiteral("include-comms"),
        QStringLiteral("With --restore: write the address, baud rate and parity too (the "
                       "conversation ends with them)."));
    const QCommandLineOption verifyJournal(
        QStringLiteral("verify-journal"),
        QStringLiteral("Check the event journal's hash chain in the record file (--db), read-only, "
                       "and print the first break; exit 0 intact, 1 broken, 2 cannot read."));
    p.addOptions({help,   db,        connect,      baud,      parity,     address,
                  demo,   demoSpeed, shot,         shotDelay, maxSeconds, lang,
                  screen, exportCsv, exportEvents, category,  record,     from,
                  to,     backup,    compare,      restore,   against,    includeComms});
    p.addOption(verifyJournal);
    const QCommandLineOption runReport(
        QStringLiteral("run-report"),
        QStringLiteral("Write a program run's report, PDF or CSV (the segment table) by the "
                       "file's ending, and exit; no window. With --run and --db."),
        QStringLiteral("FILE"));
    const QCommandLineOption run(
        QStringLiteral("run"),
        QStringLiteral("For --run-report: the run's number (default: the newest run that ended)."),
        QStringLiteral("N"));
    p.addOptions({runReport, run});
    const QCommandLineOption historian(
        QStringLiteral("historian"),
        QStringLiteral("Forward records, events and runs to the central PostgreSQL database named "
                       "by a libpq connection string (host=... dbname=... user=...) or "
                       "service=NAME; the password from ~/.pgpass, PGPASSFILE or a service file, "
                       "never here."),
        QStringLiteral("CONNINFO"));
    const QCommandLineOption consoleName(
        QStringLiteral("console-name"),
        QStringLiteral("This console's name in the historian (default: host name and instrument "
                       "address)."),
        QStringLiteral("NAME"));
    const QCommandLineOption forward(
        QStringLiteral("forward"),
        QStringLiteral("Forward what the record file (--db) holds to --historian and exit; no "
                       "window. Exit 0 all forwarded, 1 some rows could not be, 2 cannot start."));
    p.addOptions({historian, consoleName, forward});

    exitCode = 0;
    // The usage line names the program itself, not the path it was started by.
    QString helpText = p.helpText();
    const QString asRun = QCoreApplication::instance() ? QCoreApplication::arguments().value(0)
                                                       : QStringLiteral("<executable_name>");
    if (const qsizetype at = helpText.indexOf(asRun); at >= 0 && !asRun.isEmpty())
        helpText.replace(at, asRun.size(), QStringLiteral("mt3600-console"));
    if (!p.parse(arguments)) {
        message = parse_error(p);
        exitCode = 2;
        return std::nullopt;
    }
    if (p.isSet(help)) {
        message = helpText;
        return std::nullopt;
    }
    ConsoleOptions o;
    o.dbPath = p.value(db);
    o.connectPort = p.value(connect);
    o.demo = p.isSet(demo);
    bool speedOk = false;
    o.demoSpeed = p.value(demoSpeed).toDouble(&speedOk);
    o.screenshot = p.value(shot);
    bool ok = true;
    o.screenshotDelayS = p.value(shotDelay).toInt(&ok);
    QStringList baudTexts;
    for (int b : kBaudRates)
        baudTexts << QString::number(b);
    QStringList parityTexts;
    for (const ParityChoice& c : kParityChoices)
        parityTexts << c.option.toString();
    const int bauds = code_of(p.value(baud), baudTexts);
    const int parities = code_of(p.value(parity), parityTexts);
    bool addressOk = false;
    o.address = p.value(address).toInt(&addressOk);
    if (p.isSet(maxSeconds))
        o.maxSeconds = p.value(maxSeconds).toInt();
    QStringList errors;
    if (bauds < 0)
        errors << OptionText::tr("--baud must be 4800, 9600 or 19200");
    if (parities < 0)
        errors << OptionText::tr("--parity must be none, odd or even");
    if (!addressOk || o.address < 1 || o.address > 247)
        errors << OptionText::tr("--address must be a number from 1 to 247");
    if (!ok || o.screenshotDelayS < 0)
        errors << OptionText::tr("--screenshot-delay must be a number of seconds");
    if (!speedOk || o.demoSpeed <= 0 || o.demoSpeed > 1000)
        errors << OptionText::tr("--demo-speed must be a number above 0, at most 1000");
    o.exportCsv = p.value(exportCsv);
    const QString recordName = p.value(record).trimmed().toLower();
    o.longRecord = recordName == u"long";
    if (recordName != u"long" && recordName != u"short")
        errors << OptionText::tr("--record must be short or long");
    o.exportEvents = p.value(exportEvents);
    const bool events = !o.exportEvents.isEmpty();
    // An export named with an empty or blank file would otherwise start the console instead.
    if (p.isSet(exportCsv) && o.exportCsv.trimmed().isEmpty())
        errors << OptionText::tr("--export-csv needs a file name");
    if (p.isSet(exportEvents) && o.exportEvents.trimmed().isEmpty())
        errors << OptionText::tr("--export-events needs a file name");
    // Events carry milliseconds: their range runs to the end of the minute or second named.
    const auto timeOf = [events](const QString& text, bool end) {
        return events ? parse_journal_time(text, end) : parse_option_time(text, end);
    };
    if (p.isSet(from) && !(o.from = timeOf(p.value(from), false)))
        errors << OptionText::tr("--from: \"%1\" is no time (2024-03-05 or 2024-03-05T12:30:15)")
                      .arg(p.value(from));
    if (p.isSet(to) && !(o.to = timeOf(p.value(to), true)))
        errors << OptionText::tr("--to: \"%1\" is no time (2024-03-05 or 2024-03-05T12:30:15)")
                      .arg(p.value(to));
    if (o.from && o.to && *o.from > *o.to)
        errors << OptionText::tr("--from is after --to");
    if (!o.exportCsv.isEmpty() && events)
        errors << OptionText::tr("--export-csv and --export-events exclude each other");
    if (o.exportCsv.isEmpty() && !events && (p.isSet(from) || p.isSet(to)))
        errors << OptionText::tr("--from and --to go with --export-csv or --export-events");
    if (o.exportCsv.isEmpty() && p.isSet(record))
        errors << OptionText::tr("--record goes with --export-csv");
    if (p.isSet(category)) {
        QString why;
        if (!events)
            errors << OptionText::tr("--category goes with --export-events");
        else if (const auto list = parse_category_list(p.value(category), why))
            o.categories = *list;
        else
            errors << why;
    }
    o.backup = p.value(backup);
    o.compare = p.value(compare);
    o.restore = p.value(restore);
    o.includeComms = p.isSet(includeComms);
    const int fileJobs = int(p.isSet(backup)) + int(p.isSet(compare)) + int(p.isSet(restore));
    if (fileJobs > 1)
        errors << OptionText::tr("--backup, --compare and --restore exclude each other");
    o.against = p.value(against);
    if (!o.against.isEmpty() && o.compare.isEmpty())
        errors << OptionText::tr("--against goes with --compare");
    if (fileJobs > 0 && o.connectPort.isEmpty() && o.against.isEmpty())
        errors << OptionText::tr("--backup, --compare and --restore need --connect PORT");
    if (o.includeComms && o.restore.isEmpty())
        errors << OptionText::tr("--include-comms goes with --restore");
    o.verifyJournal = p.isSet(verifyJournal);
    if (o.verifyJournal && (!o.exportCsv.isEmpty() || events || fileJobs > 0))
        errors << OptionText::tr("--verify-journal goes alone (with --db)");
    o.runReport = p.value(runReport);
    const QString reportEnding = QFileInfo(o.runReport).suffix().toLower();
    if (p.isSet(runReport) && reportEnding != u"pdf" && reportEnding != u"csv")
        errors << OptionText::tr("--run-report needs a file ending in .pdf or .csv");
    if (p.isSet(run)) {
        bool runOk = false;
        const qint64 number = p.value(run).toLongLong(&runOk);
        if (!runOk || number < 1)
            errors << OptionText::tr("--run must be a run number from 1 on");
        else
            o.run = number;
        if (!p.isSet(runReport))
            errors << OptionText::tr("--run goes with --run-report");
    }
    if (p.isSet(runReport) && (!o.exportCsv.isEmpty() || events || fileJobs > 0 || o.verifyJournal))
        errors << OptionText::tr("--run-report goes alone (with --run and --db)");
    o.historian = p.value(historian);
    o.consoleName = p.value(consoleName).trimmed();
    o.forward = p.isSet(forward);
    if (p.isSet(historian)) {
        QString why;
        if (!HistorianConninfo::parse(o.historian, &why))
            errors << OptionText::tr("--historian: %1").arg(why);
    }
    if (o.forward && !p.isSet(historian))
        errors << OptionText::tr("--forward needs --historian CONNINFO");
    if (o.forward && (!o.exportCsv.isEmpty() || events || fileJobs > 0 || o.verifyJournal))
        errors << OptionText::tr("--forward goes alone (with --historian, --console-name, --db)");
    if (p.isSet(consoleName) && o.consoleName.isEmpty())
        errors << OptionText::tr("--console-name needs a name");
    o.language = p.value(lang).trimmed();
    o.screen = p.value(screen).trimmed();
    if (!o.screen.isEmpty() && !kStartScreens.contains(o.screen))
        errors << OptionText::tr("--screen must be one of: %1").arg(kStartScreens.join(u", "));
    if (!is_console_language(o.language))
        errors << OptionText::tr("--lang must be zh_CN or en");
    if (o.demo && !o.connectPort.isEmpty())
        errors << OptionText::tr("--demo and --connect exclude each other");
    if (!errors.isEmpty()) {
        message = errors.join(u'\n');
        exitCode = 2;
        return std::nullopt;
    }
    o.baudCode = bauds;
    o.parityCode = parities;
    return o;
}

std::optional<QList<EventCategory>> parse_category_list(const QString& text, QString& why) {
    QList<EventCategory> list;
    for (const QString& name : text.split(u',', Qt::SkipEmptyParts)) {
        const auto c = category_of_key(name.trimmed());
        if (!c) {
            why = OptionText::tr("--category: \"%1\" is no category; the categories are %2")
                      .arg(name.trimmed(), category_keys().join(QStringLiteral(", ")));
            return std::nullopt;
        }
        if (!list.contains(*c))
            list << *c;
    }
    if (list.isEmpty()) {
        why = OptionText::tr("--category names none of %1")
                  .arg(category_keys().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    return list;
}

bool is_console_language(const QString& language) {
    return language == QLatin1String("zh_CN") || language == QLatin1String("en");
}

QString language_asked(const QStringList& arguments) {
    const QString option = QStringLiteral("--lang");
    QString asked = ConsoleOptions{}.language;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            asked = arguments[i + 1];
        else if (arguments[i].startsWith(option + u'='))
            asked = arguments[i].mid(option.size() + 1);
    }
    return asked.trimmed();
}

std::optional<QDateTime> parse_option_time(const QString& text, bool endOfDay) {
    const QString t = text.trimmed();
    // QDate reads the date at the head of a longer text too: a date alone is ten characters.
    const QDate day = t.size() == 10 ? QDate::fromString(t, Qt::ISODate) : QDate();
    if (day.isValid())
        return QDateTime(day, endOfDay ? QTime(23, 59, 59) : QTime(0, 0));
    QString stamp = t;
    stamp.replace(u' ', u'T');
    const QDateTime at = QDateTime::fromString(stamp, Qt::ISODate);
    if (!at.isValid() || at.timeSpec() != Qt::LocalTime)
        return std::nullopt; // an offset or a zone would not be the console's local time
    return at;
}
