// mt3600-console: the operator console of the MT3600 process controller.
#include "app/console_app.h"
#include "app/console_options.h"
#include "app/journal_wiring.h"
#include "app/translations.h"
#include "core/console_settings.h"
#include "core/output_target.h"
#include "files/setup_job.h"
#include "historian/forwarder.h"
#include "journal/event_export.h"
#include "journal/event_journal.h"
#include "journal/journal_chain.h"
#include "journal/journal_link.h"
#include "journal/journal_words.h"
#include "journal/measured_spans.h"
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/port_table.h"
#include "records/csv_export.h"
#include "records/record_store.h"
#include "runs/run_report.h"
#include "runs/run_report_writer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The command line's own lines, in the interface language.
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

int signalPipe[2] = {-1, -1};

void on_signal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[0], &c, 1);
}

// SIGTERM and SIGINT reach the event loop as `stop`: by default the loop ends normally, so the
// serial port is closed (and its lock file removed) and the record database connection let go.
void on_stop_signals(
    QCoreApplication& app, std::function<void()> stop = [] { QCoreApplication::exit(0); }) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [stop] {
        char c;
        [[maybe_unused]] const auto n = ::read(signalPipe[1], &c, 1);
        stop();
    });
    struct sigaction sa = {};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}
// --export-csv: records out to CSV with no window and no display; 0 with a one-line summary, 2
// with the reason (nothing is left behind then).
int export_csv(int argc, char* argv[], const ConsoleOptions& options) {
    QCoreApplication app(argc, argv);
    install_console_translation(app, options.language);
    CsvRequest request{options.dbPath, options.longRecord, options.from, options.to,
                       options.exportCsv};
    qint64 rows = 0;
    QString why;
    if (!CsvExport::run(request, &rows, &why)) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(why));
        return 2;
    }
    const QString done = options.longRecord
                             ? CommandLine::tr("mt3600-console: %1 long records written to %2")
                             : CommandLine::tr("mt3600-console: %1 short records written to %2");
    std::printf("%s\n", qPrintable(done.arg(rows).arg(options.exportCsv)));
    return 0;
}
// --export-events: the event journal out to CSV, oldest first, with the exit codes of --export-csv.
int export_events(int argc, char* argv[], const ConsoleOptions& options) {
    QCoreApplication app(argc, argv);
    install_console_translation(app, options.language);
    JournalFilter filter;
    filter.from = options.from.value_or(QDateTime());
    filter.to = options.to.value_or(QDateTime());
    filter.categories = options.categories;
    qint64 rows = 0;
    QString why;
    if (!EventExport::run({options.dbPath, filter, options.exportEvents}, &rows, &why)) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(why));
        return 2;
    }
    std::printf("%s\n", qPrintable(CommandLine::tr("mt3600-console: %1 events written to %2")
                                       .arg(rows)
                                       .arg(options.exportEvents)));
    return 0;
}
// --run-report: a program run's report, PDF or CSV by the file's ending, with no window and no
// display; 0 written, 2 with the reason (no such run, its records overwritten, a path that cannot
// be written), nothing left behind then.
int run_report(int argc, char* argv[], const ConsoleOptions& options) {
    // The PDF's text is laid out by the GUI module, which needs a platform: one without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    install_console_translation(app, options.language);
    const QString recordFile =
        options.dbPath.isEmpty() ? RecordStore::defaultPath() : options.dbPath;
    if (const auto refused = refuse_output_target(options.runReport, recordFile)) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(*refused));
        return 2;
    }
    RunReportRequest request;
    request.recordFile = recordFile;
    request.run = options.run;
    console_settings::enable(); // the tolerance the runs screen remembers
    request.tolerance = remembered_run_tolerance();
    request.measured = measured_check(recordFile);
    QString why;
    const auto report = RunReportLoader::load(request, &why);
    const bool pdf =
        QFileInfo(options.runReport).suffix().compare(u"pdf", Qt::CaseInsensitive) == 0;
    if (!report || !(pdf ? RunReportWriter::writePdf(*report, options.runReport, &why)
                         : RunReportWriter::writeCsv(*report, options.runReport, &why))) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(why));
        return 2;
    }
    std::printf("%s\n",
                qPrintable(CommandLine::tr("mt3600-console: the report of run %1 written to %2")
                               .arg(report->run.number)
                               .arg(options.runReport)));
    return 0;
}
// --verify-journal: the journal's hash chain checked from its first event, read-only; 0 intact,
// 1 broken (the first break said), 2 the file cannot be read.
int verify_journal(int argc, char* argv[], const ConsoleOptions& options) {
    QCoreApplication app(argc, argv);
    install_console_translation(app, options.language);
    ChainCheck check(options.dbPath.isEmpty() ? RecordStore::defaultPath() : options.dbPath);
    const ChainCheck::State state = check.runToEnd();
    const bool intact = state == ChainCheck::State::Intact;
    std::fprintf(state == ChainCheck::State::Unreadable ? stderr : stdout, "mt3600-console: %s\n",
                 qPrintable(check.text()));
    return intact ? 0 : state == ChainCheck::State::Broken ? 1 : 2;
}
// --forward: what the record file holds (a file copied off a PC that died, say) forwarded to the
// historian; 0 all forwarded, 1 some rows could not be (the server went away and stayed away), 2
// cannot start (the file or the server cannot be used), the reason said.
int forward_records(int argc, char* argv[], const ConsoleOptions& options) {
    QCoreApplication app(argc, argv);
    install_console_translation(app, options.language);
    QString why;
    const auto info = HistorianConninfo::parse(options.historian, &why);
    const QString file = options.dbPath.isEmpty() ? RecordStore::defaultPath() : options.dbPath;
    if (!QFileInfo(file).isFile()) { // nothing is made where no record file is
        std::fprintf(stderr, "mt3600-console: %s\n",
                     qPrintable(CommandLine::tr("there is no record file at %1").arg(file)));
        return 2;
    }
    ForwardPass pass({file, info.value_or(HistorianConninfo{}), options.consoleName,
                      options.address, QString(), measured_check(file), 5000});
    if (!info || !pass.start(&why)) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(why));
        return 2;
    }
    // A server that goes away part-way gets the forwarder's first back-off steps (1, 2, 4 s).
    int failures = 0;
    for (;;) {
        const ForwardPass::Outcome outcome = pass.step(&why);
        if (outcome == ForwardPass::Outcome::Current)
            break;
        if (outcome == ForwardPass::Outcome::Sent) {
            failures = 0;
            continue;
        }
        if (!pass.everConnected() || ++failures > 3) {
            std::fprintf(
                stderr, "mt3600-console: %s\n",
                qPrintable(CommandLine::tr("forwarding to the historian failed: %1").arg(why)));
            if (!pass.everConnected())
                return 2;
            std::fprintf(stderr, "%s\n",
                         qPrintable(CommandLine::tr("mt3600-console: %1 rows forwarded, some "
                                                    "could not be")
                                        .arg(pass.sent())));
            return 1;
        }
        // The back-off waits in the event loop, not asleep: the process stays answerable (a
        // SIGTERM, Qt's own events) while the server is away.
        QEventLoop backoff;
        QTimer::singleShot(std::chrono::seconds(ForwarderWorker::backoffS(failures)), &backoff,
                           &QEventLoop::quit);
        backoff.exec();
    }
    std::printf("%s\n", qPrintable(CommandLine::tr("mt3600-console: %1 rows forwarded, all of "
                                                   "the record file is in the historian")
                                       .arg(pass.sent())));
    return 0;
}
// --backup, --compare, --restore: an instrument file against the instrument on --connect, with
// no window; the report on stdout, exit 0 (done, or no differences), 1 (differences, or writes
// not taken), 2 (bad arguments, no link, a refused file).
// Runs one job to its end in the event loop: its report on stdout, its status as the exit code.
int run_job(SetupJob& job, const std::function<void()>& start) {
    int status = 2;
    QObject::connect(&job, &SetupJob::finished, &job, [&](SetupJob::Status s) {
        status = s == SetupJob::Status::Done ? 0 : s == SetupJob::Status::Differences ? 1 : 2;
        for (const QString& line : job.report())
            std::printf("%s\n", qPrintable(line));
        QCoreApplication::exit(status);
    });
    QTimer::singleShot(0, &job, start);
    QCoreApplication::exec();
    return status;
}

int file_job(int argc, char* argv[], const ConsoleOptions& options) {
    QCoreApplication app(argc, argv);
    install_console_translation(app, options.language);
    // The job's writes and its outcome go to the event journal of the record file, as the screen's.
    // The instrument is only its link target here: no poll cycle fills an image.
    Instrument instrument;
    LinkTarget& target = instrument.target();
    EventJournal journal(options.dbPath.isEmpty() ? RecordStore::defaultPath() : options.dbPath);
    journal.setAddressSource(target_address(target));
    journal.open();
    ModbusLink wire;
    JournalLink link(wire, journal);
    link.setPortSources(journal_words::commandLine(), journal_words::commandLine());
    SetupJob job(link, target);
    job.setWriteSource(journal_words::commandLine());
    journal_file_jobs(job, journal);
    job.setTargetCheck([recordFile = journal.store().path()](const QString& path) {
        return refuse_output_target(path, recordFile);
    });
    // Stopped by a signal, the job ends between two requests with the operator's curve put back,
    // and the port is closed on the way out.
    on_stop_signals(app, [&job] {
        if (job.busy())
            job.cancel();
        else
            QCoreApplication::exit(2);
    });
    if (!options.against.isEmpty()) // two files: no instrument
        return run_job(job, [&] { job.compareFiles(options.compare, options.against); });
    const QString device =
        PortTable::isTypedTarget(options.connectPort) ? options.connectPort : QString();
    bool number = false;
    const int port = options.connectPort.toInt(&number);
    target.port = number ? port : 0;
    target.baudCode = options.baudCode;
    target.parityCode = options.parityCode;
    target.address = options.address;
    // A TCP gateway connects later; a serial device is open at once or not at all.
    if (link.OpenPort_Modbus(target.port, options.baudCode, options.parityCode, device) != 0 &&
        !link.status().open && !PortTable::isTcpTarget(options.connectPort)) {
        std::fprintf(stderr, "mt3600-console: %s\n", qPrintable(link.status().lastMessage));
        return 2;
    }
    const int status = run_job(job, [&] {
        if (!options.backup.isEmpty()) {
            const QDateTime now = QDateTime::currentDateTime();
            job.backup(options.backup,
                       {now.toOffsetFromUtc(now.offsetFromUtc()), link.status().device,
                        link.status().settings, options.address});
        } else if (!options.compare.isEmpty()) {
            job.compare(options.compare);
        } else {
            job.restore(options.restore, options.includeComms);
        }
    });
    link.ClosePort_Modbus(target.port);
    return status;
}
} // namespace

int main(int argc, char* argv[]) {
    // The options are read before the window's application exists, so --help and mistakes need no
    // display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    std::optional<ConsoleOptions> options;
    {
        // A core application only (no display), for the translation of the parser's messages.
        QCoreApplication reading(argc, argv);
        install_console_translation(reading, language_asked(arguments));
        QString message;
        int exitCode = 0;
        options = parse_console_options(arguments, message, exitCode);
        if (!options) {
            std::fputs(qPrintable(message + u'\n'), exitCode == 0 ? stdout : stderr);
            return exitCode;
        }
    }
    // Every record export, the screens' and the command line's, judges its records by the journal.
    set_measured_spans_source(journal_measured_source());
    if (!options->exportCsv.isEmpty())
        return export_csv(argc, argv, *options);
    if (!options->exportEvents.isEmpty())
        return export_events(argc, argv, *options);
    if (!options->runReport.isEmpty())
        return run_report(argc, argv, *options);
    if (options->verifyJournal)
        return verify_journal(argc, argv, *options);
    if (options->forward)
        return forward_records(argc, argv, *options);
    if (!options->backup.isEmpty() || !options->compare.isEmpty() || !options->restore.isEmpty())
        return file_job(argc, argv, *options);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mt3600-console"));
    // The desktop entry's name (Wayland matches windows to it) and its icon for the windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("mt3600-console"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/mt3600-console.png")));
    on_stop_signals(app);
    if (!install_console_translation(app, options->language))
        std::fputs("mt3600-console: the Chinese texts could not be loaded; English is shown\n",
                   stderr);
    ConsoleApp console(*options);
    console.start();
    return QApplication::exec();
}
