#include "app/screens.h"

#include "app/journal_wiring.h"
#include "core/output_target.h"
#include "curves/history_form.h"
#include "files/files_form.h"
#include "journal/event_journal.h"
#include "journal/journal_form.h"
#include "journal/measured_spans.h"
#include "overview/overview_form.h"
#include "params/alarm_form.h"
#include "params/config_form.h"
#include "params/grouped_pid_form.h"
#include "params/pid_form.h"
#include "programs/tech_form.h"
#include "records/record_store.h"
#include "runs/runs_form.h"

#include <QPointer>

namespace {
// A parameter screen, loaded; what it says about the instrument's own line settings goes to the
// overview's link indicator, even after the screen has gone.
template <class Form>
ScreenFactory parameter_screen(OverviewForm& overview, Instrument& instrument,
                               InstrumentLink& link) {
    return [&overview, &instrument, &link](ReturnToOverview back) {
        auto* shown = new Form(instrument, link, std::move(back));
        shown->fields().setLinkNote([to = QPointer<OverviewForm>(&overview)](const QString& t) {
            if (to)
                to->showLinkNote(t);
        });
        shown->Form_Load();
        return shown;
    };
}
} // namespace

void register_screens(OverviewForm& overview, const ScreenContext& context) {
    Instrument& instrument = context.instrument;
    InstrumentLink& link = context.link;
    overview.setScreenFactory(Screen::Alarms, parameter_screen<ALM1>(overview, instrument, link));
    overview.setScreenFactory(Screen::Config,
                              parameter_screen<CONFIG1>(overview, instrument, link));
    overview.setScreenFactory(Screen::Pid, parameter_screen<PIDC>(overview, instrument, link));
    overview.setScreenFactory(Screen::GroupedPid,
                              parameter_screen<PID1>(overview, instrument, link));
    overview.setScreenFactory(Screen::ProgramEditor,
                              parameter_screen<Tech>(overview, instrument, link));
    EventJournal* journal = context.journal;
    const QString recordFile =
        context.dbPath.isEmpty() ? RecordStore::defaultPath() : context.dbPath;
    overview.setScreenFactory(Screen::Files,
                              [&instrument, &link, journal, recordFile](ReturnToOverview back) {
                                  auto* shown = new FilesForm(instrument, link, std::move(back));
                                  shown->job().setTargetCheck([recordFile](const QString& path) {
                                      return refuse_output_target(path, recordFile);
                                  });
                                  if (journal)
                                      journal_file_jobs(shown->job(), *journal);
                                  shown->Form_Load();
                                  return shown;
                              });

    const QString path = context.dbPath.isEmpty() ? RecordStore::defaultPath() : context.dbPath;
    Clock* clock = context.clock;
    const CurveShared shared{instrument.image(), context.logging, context.axis};
    const PlanSource plan = context.plan;
    overview.setScreenFactory(Screen::History,
                              [shared, path, clock, journal, plan](ReturnToOverview back) {
                                  auto* shown = new lsqx(shared, path, std::move(back), clock);
                                  if (journal)
                                      shown->curves().setMarkSource(journal_mark_source(*journal));
                                  shown->curves().chart().setPlanSource(plan);
                                  shown->Form_Load();
                                  return shown;
                              });
    overview.setScreenFactory(Screen::Runs, [path](ReturnToOverview back) {
        auto* shown = new RunsForm(path, std::move(back));
        shown->setMeasuredCheck(measured_check(path));
        shown->Form_Load();
        return shown;
    });
    // The journal screen reads the record file the console journals into; no journal, no screen.
    if (EventJournal* journal = context.journal)
        overview.setScreenFactory(Screen::Journal, [journal](ReturnToOverview back) {
            auto* shown = new JournalForm(*journal, std::move(back));
            shown->Form_Load();
            return shown;
        });
}
