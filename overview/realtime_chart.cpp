#include "overview/realtime_chart.h"

#include "curves/plan_controls.h"
#include "overview/overview_form.h"

#include <QGridLayout>
#include <QGroupBox>

#include <QVBoxLayout>

RealtimeChart::RealtimeChart(OverviewForm& overview, const CurveShared& shared,
                             const QString& dbPath, Clock* clock)
    : QObject(&overview), form(overview), records(dbPath) {
    QWidget* area = form.chartArea();
    screen = new CurveScreen(kRealTimeCurves, shared, form.timer1(), area);
    auto* layout = area->layout() ? area->layout() : new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screen);
    std::array<QLabel*, 6> values{};
    for (int i = 0; i < 6; ++i)
        values[static_cast<std::size_t>(i)] = form.statusPanel().d3w(i);
    screen->setValueLabels(values);
    screen->setClock(clock);
    screen->setExportSource(records.path(), false);
    screen->setKeyWindow(&form); // Esc stays the overview's own: it ends the program
    screen->setSelectAction([this] { form.show(); });
    // The plan's controls go with the program group, under the times left: the chart's side
    // column has no height to spare on the overview.
    if (auto* grid = qobject_cast<QGridLayout*>(form.statusPanel().programGroup()->layout()))
        grid->addWidget(&screen->plan(), 4, 4, 1, 2);

    ChartHooks hooks;
    hooks.rulerMode = [this] { return screen && screen->RulerMode(); };
    hooks.tick = [this] {
        if (screen)
            screen->Timer1_Timer();
    };
    hooks.afterRefresh = [this] {
        if (screen)
            screen->showZoomStep();
    };
    hooks.unload = [this] { unload(); };
    hooks.load = [this] { load(); };
    form.setChartHooks(std::move(hooks));
    load();
}

RealtimeChart::~RealtimeChart() = default;

void RealtimeChart::load() {
    records.open();
    if (screen)
        screen->Load(records.shortRecords());
}

void RealtimeChart::unload() {
    records.close();
    if (screen)
        screen->Unload();
}
