#include "app/screens.h"

#include "overview/overview_form.h"
#include "records/history_form.h"
#include "records/record_store.h"

void register_screens(OverviewForm& overview, const ScreenContext& context) {
    const QString path = context.dbPath.isEmpty() ? RecordStore::defaultPath() : context.dbPath;
    Clock* clock = context.clock;
    overview.setScreenFactory(Screen::History, [path, clock](ReturnToOverview back) {
        auto* shown = new lsqx(path, std::move(back), clock);
        shown->Form_Load();
        return shown;
    });
}
