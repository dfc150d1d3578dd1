#include "records/record_indicator.h"

LampView RecordIndicator::view(const RecordStoreStatus& s) {
    const QString lastWrite = !s.lastWrite.isValid()
                                  ? tr("no record written yet")
                                  : tr("last record %1 · %2 written")
                                        .arg(s.lastWrite.toString(QStringLiteral("HH:mm:ss")))
                                        .arg(s.writes);
    switch (s.state) {
    case RecordStoreState::Closed:
        return {tr("Record file closed"), LampHealth::Closed};
    case RecordStoreState::Ok:
        return {tr("Record file ok · %1").arg(lastWrite), LampHealth::Good};
    default:
        break;
    }
    const QString why = s.text.isEmpty() ? tr("failing") : s.text;
    return {tr("Record file: %1 · %2 · failed %3").arg(why, lastWrite).arg(s.failures),
            LampHealth::Failing};
}

RecordIndicator::RecordIndicator(QWidget* parent)
    : StatusLamp(QStringLiteral("RecordStatus"), parent) {
    display(RecordStoreStatus{});
}

void RecordIndicator::watch(RecordStore& store) {
    filePath = store.path();
    connect(&store, &RecordStore::statusChanged, this, &RecordIndicator::display);
    display(store.status());
}

void RecordIndicator::display(const RecordStoreStatus& status) {
    last = status;
    LampView shown = view(status);
    if (journalFailing && shown.health != LampHealth::Failing) {
        shown.text += u' ' + tr("· event journal failing");
        shown.health = LampHealth::Failing;
    }
    // The worse of the file's and the historian's (the lamp's healths run from best to worst).
    if (!historianLine.isEmpty() && int(historianHealth) > int(shown.health))
        shown.health = historianHealth;
    QString detail = journalDetail.isEmpty() ? filePath : filePath + u'\n' + journalDetail;
    if (!historianLine.isEmpty())
        detail += u'\n' + historianLine;
    showView(shown, detail);
}

void RecordIndicator::setHistorianState(const QString& line, LampHealth health) {
    historianLine = line;
    historianHealth = health;
    display(last);
}

void RecordIndicator::mouseDoubleClickEvent(QMouseEvent* event) {
    StatusLamp::mouseDoubleClickEvent(event);
    emit historianAsked();
}

void RecordIndicator::setJournalState(const QString& detail, bool failing) {
    journalDetail = detail;
    journalFailing = failing;
    display(last);
}
