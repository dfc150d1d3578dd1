#include "records/record_indicator.h"

#include "core/naming.h"

namespace {

QString last_write_of(const RecordStoreStatus& s) {
    if (!s.lastWrite.isValid())
        return QStringLiteral("no record written yet");
    return QStringLiteral("last record %1 · %2 written")
        .arg(s.lastWrite.toString(QStringLiteral("HH:mm:ss")))
        .arg(s.writes);
}

} // namespace

RecordIndicatorView record_indicator_view(const RecordStoreStatus& s) {
    switch (s.state) {
    case RecordStoreState::Closed:
        return {QStringLiteral("Record file closed"), RecordHealth::Closed};
    case RecordStoreState::Ok:
        return {QStringLiteral("Record file ok · %1").arg(last_write_of(s)), RecordHealth::Good};
    default:
        break;
    }
    const QString why = s.text.isEmpty() ? QStringLiteral("failing") : s.text;
    return {QStringLiteral("Record file: %1 · %2 · failed %3")
                .arg(why, last_write_of(s))
                .arg(s.failures),
            RecordHealth::Failing};
}

RecordIndicator::RecordIndicator(QWidget* parent) : QLabel(parent) {
    name_control(this, QStringLiteral("RecordStatus"));
    make_status_lamp(*this);
    display(RecordStoreStatus{});
}

void RecordIndicator::watch(RecordStore& store) {
    filePath = store.path();
    connect(&store, &RecordStore::statusChanged, this, &RecordIndicator::display);
    display(store.status());
}

void RecordIndicator::display(const RecordStoreStatus& status) {
    const RecordIndicatorView v = record_indicator_view(status);
    setText(v.text);
    setToolTip(filePath.isEmpty() ? v.text : v.text + QLatin1Char('\n') + filePath);
    shown = v.health;
    show_lamp(*this, v.health);
}
