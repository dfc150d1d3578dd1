#include "app/historian_wiring.h"

#include "journal/measured_spans.h"

#include "historian/forwarder.h"
#include "historian/historian_dialog.h"
#include "historian/historian_view.h"
#include "records/record_indicator.h"

MeasuredJudge measured_judge(const QString& recordFile) {
    return measured_check(recordFile);
}

HistorianWiring::HistorianWiring(QString recordFile, std::optional<int> instrumentAddress,
                                 QString consoleSession, RecordIndicator& indicator)
    : file(std::move(recordFile)), address(instrumentAddress), session(std::move(consoleSession)),
      lamp(indicator) {
    connect(&lamp, &RecordIndicator::historianAsked, this, &HistorianWiring::openDialog);
}

HistorianWiring::~HistorianWiring() {
    delete forwarder.data(); // waits for the pass under way: the console is ending
}

void HistorianWiring::start(const QString& conninfo, const QString& name) {
    if (forwarder)
        forwarder->retire();
    forwarder.clear();
    if (conninfo.trimmed().isEmpty()) {
        lamp.setHistorianState(QString(), LampHealth::Good);
        return;
    }
    QString why;
    const auto info = HistorianConninfo::parse(conninfo, &why);
    if (!info) {
        HistorianState refused;
        refused.phase = HistorianState::Phase::Failing;
        refused.reason = why;
        show(refused);
        return;
    }
    forwarder = new HistorianForwarder(
        {file, *info, name, address, session, measured_judge(file), 5000}, this);
    connect(forwarder, &HistorianForwarder::stateChanged, this, &HistorianWiring::show);
    forwarder->start();
}

void HistorianWiring::show(const HistorianState& state) {
    const LampView view = HistorianView::of(state);
    lamp.setHistorianState(view.text, view.health);
}

void HistorianWiring::openDialog() {
    auto* dialog = new HistorianDialog(lamp.window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &HistorianDialog::chosen, this, &HistorianWiring::start);
    dialog->show();
}
