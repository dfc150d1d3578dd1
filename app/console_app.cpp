#include "console_app.h"

#include "app/demo_instrument.h"
#include "app/historian_wiring.h"
#include "app/journal_wiring.h"
#include "app/plan_wiring.h"
#include "app/screens.h"
#include "app/splash_form.h"
#include "core/console_settings.h"
#include "historian/historian_dialog.h"
#include "journal/event_journal.h"
#include "journal/event_watcher.h"
#include "journal/journal_link.h"
#include "link/line_settings.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "link/port_table.h"
#include "overview/overview_form.h"
#include "overview/realtime_chart.h"
#include "records/logger_form.h"
#include "records/record_indicator.h"
#include "records/record_store.h"
#include "runs/run_store.h"
#include "runs/run_watcher.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>

ConsoleApp::ConsoleApp(ConsoleOptions options, QObject* parent)
    : QObject(parent), options(std::move(options)) {
    console_settings::enable();
}

ConsoleApp::~ConsoleApp() {
    // The forwarder's thread first; the overview goes before the forms it uses; the link closes
    // its device on the way out.
    historian.reset();
    overview.reset();
    logger.reset();
    plans.reset();
    runWatcher.reset(); // a run it follows ends as "console closed"
    runs.reset();
    watcher.reset();
    poll.reset();
    journaled.reset();
    link.reset();
    demo.reset();
    // Last: the journal outlives everything that journals.
    if (journal)
        journal->endSession();
    journal.reset();
}

void ConsoleApp::start() {
    if (options.maxSeconds > 0)
        QTimer::singleShot(options.maxSeconds * 1000, qApp, [] { QCoreApplication::exit(0); });
    splash = std::make_unique<frmSplash>(axis);
    connect(splash.get(), &frmSplash::startupDue, this, [this] {
        createForms();
        splash.release()->deleteLater(); // it is still inside its own signal
    });
    splash->show();
    splash->Form_Load();
}

void ConsoleApp::createForms() {
    const PortTable ports = PortTable::scan();
    // The journal first, so that an earlier console's unclean end and this start come before
    // anything this console does.
    journal = std::make_unique<EventJournal>(options.dbPath.isEmpty() ? RecordStore::defaultPath()
                                                                      : options.dbPath);
    journal->setAddressSource(target_address(instrument.target()));
    journal->open();
    journal->startSession();
    link = std::make_unique<ModbusLink>(ports);
    journaled = std::make_unique<JournalLink>(*link, *journal);
    poll = std::make_unique<Met1>(instrument, *journaled);
    watcher = std::make_unique<EventWatcher>(instrument, *poll, *journaled, *journal);
    // Runs an earlier console left open ended with it; this one keeps the runs it sees.
    runs = std::make_unique<RunStore>(journal->store().path());
    runs->closeUnfinished();
    runWatcher = std::make_unique<RunWatcher>(instrument, *poll, *journaled, *runs);
    overview = std::make_unique<OverviewForm>(instrument, *journaled, *poll, ports);
    // The real-time curve, on a connection of its own to the record file; owned by the overview.
    auto* curves =
        new RealtimeChart(*overview, {instrument.image(), logging, axis}, options.dbPath);
    curves->curves().setMarkSource(journal_mark_source(*journal));
    plans = std::make_unique<PlanWiring>(instrument, *journaled, *poll, *journal);
    curves->curves().chart().setPlanSource(plans->source());
    overview->statusPanel().setProgramShape(
        [plan = QPointer<PlanWiring>(plans.get())] { return plan ? plan->shape() : std::nullopt; });
    register_screens(*overview, {instrument, *journaled, logging, axis, options.dbPath, nullptr,
                                 journal.get(), plans->source()});
    // exit(), not quit(): quit() asks the windows to close, and the overview's close guard refuses.
    connect(overview.get(), &OverviewForm::exitRequested, qApp, [] { QCoreApplication::exit(0); });
    overview->show();
    logger = std::make_unique<mscom>(instrument.image(), logging, options.dbPath);
    // The record-file indicator shows the store that writes the records.
    auto* records = new RecordIndicator;
    records->watch(logger->store());
    show_journal_state(*records, *journal);
    overview->setRecordIndicator(records);
    historian = std::make_unique<HistorianWiring>(
        options.dbPath.isEmpty() ? RecordStore::defaultPath() : options.dbPath, options.address,
        journal->session(), *records);
    historian->start(
        options.historian.isEmpty() ? HistorianDialog::savedConninfo() : options.historian,
        options.consoleName.isEmpty() ? HistorianDialog::savedConsoleName() : options.consoleName);
    connectAtStart();
    // Once the link has had its first poll cycles, so the screen shows the instrument's values.
    if (!options.screen.isEmpty())
        QTimer::singleShot(1500, this, &ConsoleApp::openStartScreen);
    scheduleScreenshot();
}

void ConsoleApp::connectAtStart() {
    if (!options.connectPort.isEmpty()) {
        openLink(options.connectPort, options.parityCode);
        return;
    }
    if (!options.demo) {
        overview->restoreLinkChoice(); // chosen, not opened: the operator presses "打开"
        return;
    }
    demo = std::make_unique<DemoInstrument>();
    connect(demo.get(), &DemoInstrument::ready, this, [this](const QString& path) {
        openLink(path, 0); // a pseudo terminal carries no parity
    });
    connect(demo.get(), &DemoInstrument::failed, overview.get(), &OverviewForm::showLinkNote);
    demo->start({QStringLiteral("--baud"), QString::number(baud_of_code(options.baudCode)),
                 QStringLiteral("--address"), QString::number(options.address),
                 QStringLiteral("--speed"), QString::number(options.demoSpeed)});
}

void ConsoleApp::openLink(const QString& port, int parityCode) {
    overview->applyLinkOptions(port, options.baudCode, parityCode, options.address);
    overview->Command9_Click();
}

void ConsoleApp::openStartScreen() {
    static const QHash<QString, Screen> screens{{QStringLiteral("program"), Screen::ProgramEditor},
                                                {QStringLiteral("alarms"), Screen::Alarms},
                                                {QStringLiteral("config"), Screen::Config},
                                                {QStringLiteral("pid"), Screen::Pid},
                                                {QStringLiteral("grouped-pid"), Screen::GroupedPid},
                                                {QStringLiteral("history"), Screen::History},
                                                {QStringLiteral("files"), Screen::Files},
                                                {QStringLiteral("journal"), Screen::Journal},
                                                {QStringLiteral("runs"), Screen::Runs}};
    if (screens.contains(options.screen))
        overview->navigation().open(screens.value(options.screen));
}

void ConsoleApp::scheduleScreenshot() {
    if (options.screenshot.isEmpty())
        return;
    QTimer::singleShot(options.screenshotDelayS * 1000, this, [this] {
        QWidget* shown = overview->navigation().shownScreen();
        const bool saved = (shown ? shown : overview.get())->grab().save(options.screenshot, "PNG");
        QCoreApplication::exit(saved ? 0 : 1);
    });
}
