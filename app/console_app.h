#pragma once
// The console's start-up: the splash, then the long-lived forms (the overview, the hidden poll
// form Met1 and the hidden logger form mscom), and the command-line additions (--connect, --demo,
// --screenshot, --max-seconds). It owns the instrument object (register image and link target),
// the logger's state and the value axis, and hands them to the forms that use them.

#include "app/console_options.h"
#include "charts/value_axis.h"
#include "link/instrument.h"
#include "records/logger_state.h"

#include <QObject>
#include <memory>

class DemoInstrument;
class EventJournal;
class EventWatcher;
class HistorianWiring;
class JournalLink;
class Met1;
class ModbusLink;
class OverviewForm;
class PlanWiring;
class RunStore;
class RunWatcher;
class frmSplash;
class mscom;

class ConsoleApp final : public QObject {
    Q_OBJECT
public:
    explicit ConsoleApp(ConsoleOptions options, QObject* parent = nullptr);
    ~ConsoleApp() override;

    void start(); // shows the splash

private:
    void createForms();
    void connectAtStart();
    void openLink(const QString& port, int parityCode);
    void openStartScreen();
    void scheduleScreenshot();

    ConsoleOptions options;
    // First, so that they outlive every form that reads them.
    Instrument instrument;
    LoggerState logging;
    ValueAxis axis;
    std::unique_ptr<EventJournal> journal;
    std::unique_ptr<ModbusLink> link;
    std::unique_ptr<JournalLink> journaled; // the link every form uses: it journals the writes
    std::unique_ptr<Met1> poll;
    std::unique_ptr<EventWatcher> watcher;
    std::unique_ptr<PlanWiring> plans;
    std::unique_ptr<RunStore> runs;
    std::unique_ptr<RunWatcher> runWatcher; // keeps the program runs
    std::unique_ptr<mscom> logger;
    std::unique_ptr<OverviewForm> overview;
    std::unique_ptr<DemoInstrument> demo;
    std::unique_ptr<HistorianWiring> historian;
    std::unique_ptr<frmSplash> splash; // until it hands over
};
